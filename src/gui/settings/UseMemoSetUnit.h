// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/settings/PresetBoxesForm.h"

namespace mitoran {

// The preset memo dialog "定型メモを設定": ten boxes `UseMemo1Memo` … `UseMemo10Memo`, each stored without
// blanks at both ends.
class TUseMemoSetForm : public PresetBoxesForm {
    Q_OBJECT

public:
    TUseMemoSetForm(Settings& settings, std::function<void()> saveSettings, QWidget* parent = nullptr);

protected:
    QString BoxText(int index) const override;
    void StoreBox(int index, const QString& text) override;
};

} // namespace mitoran
