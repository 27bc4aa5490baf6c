// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingControls.h"
#include "gui/common/EscDialog.h"

namespace mitoran {

class Questions;
struct Settings;

// The print layout dialog "ﾍｯﾀﾞ文字列・印刷ﾌｫﾝﾄ設定": titles, paper orientations, header and footer positions
// and the print fonts, each chosen with the font dialog. "確 定" writes them into the settings in memory once the
// positions do not collide; only the settings dialog's OK saves them.
class TPrintSettingForm : public EscDialog {
    Q_OBJECT

public:
    TPrintSettingForm(Settings& settings, Questions& questions, QWidget* parent);

    // Shows the dialog modally; the name, page-number and date controls are enabled by the print check boxes of
    // `governors` (the settings dialog).
    int Open(const QWidget& governors);

private:
    void OkButtonClick();
    void ShowFontSamples();
    // The font dialog on the print font of a part (in the order of PrintFonts); OK takes its face and size.
    void FontButtonClick(std::size_t part);

    Settings& m_settings;
    Questions& m_questions;
    // Taken on show, changed by the "ﾌｫﾝﾄ" buttons and written back by OK.
    PrintFonts m_fonts;
};

} // namespace mitoran
