// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ProgramFont.h"

#include <QStringList>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// The fonts of the system ("ＭＳ Ｐゴシック" for the window, "ＭＳ ゴシック" for the grid). Elsewhere both use
// IPAGothic, one family alone: every further family in a font makes Qt ask the font configuration for that
// font's whole fall-back list when it first loads, and a second face costs its loading, at start. Where
// IPAGothic is missing the font configuration substitutes its nearest face.
QFont PixelFont(const QStringList& families) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(12);
    return font;
}

} // namespace

QFont ProgramFont() {
#ifdef Q_OS_WIN
    return PixelFont({u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s});
#else
    return PixelFont({u"IPAGothic"_s});
#endif
}

QFont GridFont() {
#ifdef Q_OS_WIN
    return PixelFont({u"ＭＳ ゴシック"_s, u"MS Gothic"_s});
#else
    return ProgramFont();
#endif
}

} // namespace mitoran
