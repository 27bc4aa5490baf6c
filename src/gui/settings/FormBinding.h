// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingControls.h"

#include <QObject>

class QWidget;

// Copies between a settings dialog's controls, found by their object names, and the values of the engine's
// table of that dialog: check boxes, combo boxes and radio groups, one-line boxes and the cells of a grid.
namespace mitoran {

void ShowFormValues(QWidget& form, SettingForm which, const FormValues& values);
FormValues ReadFormValues(const QWidget& form, SettingForm which);
// What one control shows.
ControlValue ReadControl(const QWidget& control);

// Enables the form's controls by its rules; the governing controls are found in `governors` (the form itself,
// or for the print layout dialog the settings dialog). A disabled check box that its rule clears is cleared.
void ApplyEnableRules(QWidget& form, SettingForm which, const QWidget& governors);
// Applies the rules again whenever a governing control of the form changes.
void FollowEnableRules(QWidget& form, SettingForm which);

// The one-line boxes of the table select their text when they get the focus and apply their box's rule then
// and when they lose it.
class BoxRules : public QObject {
    Q_OBJECT

public:
    BoxRules(QWidget& form, SettingForm which);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    SettingForm m_form;
};

} // namespace mitoran
