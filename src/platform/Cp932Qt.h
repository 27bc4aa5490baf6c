// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Where engine text (CP932 bytes) crosses into a window or the settings store.
namespace mitoran {

QString ToQString(std::string_view cp932);
std::string FromQString(const QString& text);

} // namespace mitoran
