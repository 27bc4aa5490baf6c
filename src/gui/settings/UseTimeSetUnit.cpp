// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/UseTimeSetUnit.h"

#include "engine/settings/Presets.h"
#include "engine/settings/Settings.h"
#include "platform/Cp932Qt.h"

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TUseTimeSetForm::TUseTimeSetForm(Settings& settings, std::function<void()> saveSettings, QWidget* parent)
    : PresetBoxesForm(settings, std::move(saveSettings), static_cast<int>(settings.PresetTimes.size()),
                      u"UseTime%1Memo"_s, u"良く使う時刻 (%1)"_s, parent) {
    setObjectName(u"TUseTimeSetForm"_s);
    setWindowTitle(u"良く使う時刻を設定"_s);
}

QString TUseTimeSetForm::BoxText(int index) const {
    return ToQString(PresetTimeText(m_settings.PresetTimes[static_cast<std::size_t>(index)]));
}

void TUseTimeSetForm::StoreBox(int index, const QString& text) {
    m_settings.PresetTimes[static_cast<std::size_t>(index)] = PresetTimeText(FromQString(text));
}

} // namespace mitoran
