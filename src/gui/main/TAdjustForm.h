// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/TimeEntry.h"
#include "gui/common/EscDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mitoran {

// The stamp dialog "時刻自動入力": shows the clock time, lets the user move the proposed time by the rounding
// unit or type another one, and answers OK or Cancel. Esc cancels a leaving time; for an arrival it
// follows the program's Esc rule and leaves the dialog open.
class TTimeAdjust : public EscDialog, public TimeConfirm {
    Q_OBJECT

public:
    explicit TTimeAdjust(QWidget* parent = nullptr);

    // Fills the dialog for the request, shows it centred on the screen and returns the accepted time.
    std::optional<std::string> ConfirmTime(const TimeConfirmRequest& request) override;
    // Fills the fields, captions and Esc handling for a request (done by ConfirmTime on every use).
    void Prepare(const TimeConfirmRequest& request);

signals:
    // The dialog appeared or went away: the tray's "終了" is disabled while it is open.
    void OpenChanged(bool open);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SpeedButtonUpClick();
    void DownSpeedButtonClick();
    void OkButtonClick();
    void CenterOnScreen();

    QLineEdit* m_nowMemo;
    QLineEdit* m_timeMemo;
    QToolButton* m_upButton;
    QToolButton* m_downButton;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QLabel* m_helpLabel;
    QGroupBox* m_adjustGroupBox;
    TimeKind m_kind = TimeKind::Arrival;
    int m_step = 1;
};

} // namespace mitoran
