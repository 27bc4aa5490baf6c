// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/UseMemoSetUnit.h"

#include "engine/settings/Presets.h"
#include "engine/settings/Settings.h"
#include "platform/Cp932Qt.h"

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TUseMemoSetForm::TUseMemoSetForm(Settings& settings, std::function<void()> saveSettings, QWidget* parent)
    : PresetBoxesForm(settings, std::move(saveSettings), static_cast<int>(settings.PresetMemos.size()),
                      u"UseMemo%1Memo"_s, u"定型メモ (%1)"_s, parent) {
    setObjectName(u"TUseMemoSetForm"_s);
    setWindowTitle(u"定型メモを設定"_s);
}

QString TUseMemoSetForm::BoxText(int index) const {
    return ToQString(m_settings.PresetMemos[static_cast<std::size_t>(index)]);
}

void TUseMemoSetForm::StoreBox(int index, const QString& text) {
    m_settings.PresetMemos[static_cast<std::size_t>(index)] = PresetMemoText(FromQString(text));
}

} // namespace mitoran
