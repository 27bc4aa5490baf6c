// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/EscDialog.h"

#include <string>

class QLineEdit;

namespace mitoran {

// "有給休暇 - 削除(件数指定)": how many of the oldest entries to fold into the carry-over. The count keeps
// what it last held; "削 除" closes with OK.
class TVacDel : public EscDialog {
    Q_OBJECT

public:
    explicit TVacDel(QWidget* parent);

    // The count as typed, CP932.
    std::string CountText() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QLineEdit* m_delNoMemo;
};

} // namespace mitoran
