// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/TimeEntry.h"
#include "gui/common/EscDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace mitoran {

// The manual entry dialog "残業時間入力": a value of the day typed by hand, whether it is left out of
// recalculation, and whether the day off is a statutory holiday. It has no OK or Cancel: Enter in the
// field or the window's close button ends it, and its values are taken either way. Esc leaves it open.
class TTimeSet : public EscDialog, public TimeSetEditor {
    Q_OBJECT

public:
    explicit TTimeSet(QWidget* parent = nullptr);

    // Fills the dialog for the request, shows it and returns what it holds when it closes.
    TimeSetAnswer EditTime(const TimeSetRequest& request) override;
    void Prepare(const TimeSetRequest& request);
    TimeSetAnswer Answer() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QCheckBox* m_noCalcCheckBox;
    QCheckBox* m_houteiKyujituCheckBox;
    QLineEdit* m_zanTimeMemo;
    QLabel* m_zanTimeLabel;
};

} // namespace mitoran
