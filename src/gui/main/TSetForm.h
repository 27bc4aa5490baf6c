// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/TimeEntry.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mitoran {

// The manual entry dialog "残業時間入力": a value of the day typed by hand, whether it is left out of
// recalculation, and whether the day off is a statutory holiday. It has no OK or Cancel: Enter in the
// field or the window's close button ends it, and its values are taken either way.
class TTimeSet : public QDialog, public TimeSetEditor {
    Q_OBJECT

public:
    explicit TTimeSet(QWidget* parent = nullptr);

    // Fills the dialog for the request, shows it and returns what it holds when it closes.
    TimeSetAnswer EditTime(const TimeSetRequest& request) override;
    void Prepare(const TimeSetRequest& request);
    TimeSetAnswer Answer() const;

signals:
    // Esc: the program's Esc rule; the dialog stays open.
    void EscapePressed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QCheckBox* m_noCalcCheckBox;
    QCheckBox* m_houteiKyujituCheckBox;
    QLineEdit* m_zanTimeMemo;
    QLabel* m_zanTimeLabel;
    QPushButton* m_escButton;
};

} // namespace mitoran
