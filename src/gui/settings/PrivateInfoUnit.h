// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/EscDialog.h"

namespace mitoran {

struct Settings;

// The personal information dialog "個人情報・CSVﾌｧｲﾙ出力設定": the personal name for the title bar, the file
// name and the information for CSV output. "確 定" writes them into the settings in memory; only the settings
// dialog's OK saves them.
class TPrivateInfoForm : public EscDialog {
    Q_OBJECT

public:
    TPrivateInfoForm(Settings& settings, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    Settings& m_settings;
};

} // namespace mitoran
