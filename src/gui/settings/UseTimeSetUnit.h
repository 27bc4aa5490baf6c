// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/settings/PresetBoxesForm.h"

namespace mitoran {

// The preset time dialog "良く使う時刻を設定": six boxes `UseTime1Memo` … `UseTime6Memo`, each stored as
// time text, or empty when blank.
class TUseTimeSetForm : public PresetBoxesForm {
    Q_OBJECT

public:
    TUseTimeSetForm(Settings& settings, std::function<void()> saveSettings, QWidget* parent = nullptr);

protected:
    QString BoxText(int index) const override;
    void StoreBox(int index, const QString& text) override;
};

} // namespace mitoran
