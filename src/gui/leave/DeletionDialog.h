// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QString;
class QWidget;

namespace mitoran {

// Lays out a deletion dialog of the paid-leave window: the field and its sentence on one row, "削 除"
// (the default, accepting) and "ｷｬﾝｾﾙ" below, at a fixed size.
void LayOutDeletionDialog(QDialog* dialog, QWidget* field, const QString& sentence);

} // namespace mitoran
