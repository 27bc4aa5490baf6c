// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/FormBinding.h"

#include "gui/settings/RadioGroup.h"
#include "platform/Cp932Qt.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace mitoran {

namespace {

QModelIndex CellOf(const QTableView& grid, const SettingControl& control) {
    return grid.model()->index(control.row - 1, control.half == SlotHalf::First ? 1 : 2);
}

QWidget* Control(const QWidget& form, const char* name) {
    return form.findChild<QWidget*>(QString::fromLatin1(name));
}

void Show(QWidget& control, const ControlValue& value) {
    if (auto* check = qobject_cast<QCheckBox*>(&control))
        check->setChecked(value.checked);
    else if (auto* combo = qobject_cast<QComboBox*>(&control))
        combo->setCurrentIndex(value.index);
    else if (auto* group = qobject_cast<RadioGroup*>(&control))
        group->SetItemIndex(value.index);
    else if (auto* box = qobject_cast<QLineEdit*>(&control))
        box->setText(ToQString(value.text));
}

const SettingControl* ControlNamed(SettingForm which, const QString& name) {
    for (const SettingControl& control : FormControls(which)) {
        if (name == QLatin1String(control.control))
            return &control;
    }
    return nullptr;
}

} // namespace

void ShowFormValues(QWidget& form, SettingForm which, const FormValues& values) {
    const auto controls = FormControls(which);
    for (std::size_t i = 0; i < controls.size() && i < values.size(); ++i) {
        QWidget* control = Control(form, controls[i].control);
        if (control == nullptr)
            continue;
        if (auto* grid = qobject_cast<QTableView*>(control); grid != nullptr && controls[i].row > 0)
            grid->model()->setData(CellOf(*grid, controls[i]), ToQString(values[i].text));
        else
            Show(*control, values[i]);
    }
}

ControlValue ReadControl(const QWidget& control) {
    ControlValue value;
    if (const auto* check = qobject_cast<const QCheckBox*>(&control))
        value.checked = check->isChecked();
    else if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        value.index = combo->currentIndex();
    else if (const auto* group = qobject_cast<const RadioGroup*>(&control))
        value.index = group->ItemIndex();
    else if (const auto* box = qobject_cast<const QLineEdit*>(&control))
        value.text = FromQString(box->text());
    return value;
}

FormValues ReadFormValues(const QWidget& form, SettingForm which) {
    FormValues values;
    for (const SettingControl& control : FormControls(which)) {
        const QWidget* widget = Control(form, control.control);
        if (widget == nullptr) {
            values.emplace_back();
        } else if (const auto* grid = qobject_cast<const QTableView*>(widget); grid != nullptr && control.row > 0) {
            values.push_back({FromQString(CellOf(*grid, control).data(Qt::EditRole).toString())});
        } else {
            values.push_back(ReadControl(*widget));
        }
    }
    return values;
}

void ApplyEnableRules(QWidget& form, SettingForm which, const QWidget& governors) {
    for (const EnableRule& rule : EnableRules(which)) {
        QWidget* control = Control(form, rule.control);
        const QWidget* governor = Control(governors, rule.governor);
        if (control == nullptr || governor == nullptr)
            continue;
        const bool enabled = IsEnabled(rule.when, ReadControl(*governor));
        control->setEnabled(enabled);
        if (auto* check = qobject_cast<QCheckBox*>(control); check != nullptr && rule.clears && !enabled)
            check->setChecked(false);
    }
}

void FollowEnableRules(QWidget& form, SettingForm which) {
    const auto apply = [&form, which] { ApplyEnableRules(form, which, form); };
    for (const EnableRule& rule : EnableRules(which)) {
        QWidget* governor = Control(form, rule.governor);
        if (auto* check = qobject_cast<QCheckBox*>(governor))
            QObject::connect(check, &QCheckBox::toggled, &form, apply);
        else if (auto* combo = qobject_cast<QComboBox*>(governor))
            QObject::connect(combo, &QComboBox::currentIndexChanged, &form, apply);
        else if (auto* group = qobject_cast<RadioGroup*>(governor))
            QObject::connect(group, &RadioGroup::ItemChanged, &form, apply);
    }
}

BoxRules::BoxRules(QWidget& form, SettingForm which) : QObject(&form), m_form(which) {
    for (const SettingControl& control : FormControls(which)) {
        if (auto* box = qobject_cast<QLineEdit*>(Control(form, control.control)))
            box->installEventFilter(this);
    }
}

bool BoxRules::eventFilter(QObject* object, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(object);
    const SettingControl* control = box != nullptr ? ControlNamed(m_form, box->objectName()) : nullptr;
    if (control != nullptr && event->type() == QEvent::FocusIn) {
        box->setText(ToQString(EnterText(control->rule, FromQString(box->text()))));
        // Also when the mouse put the caret in the box.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (control != nullptr && event->type() == QEvent::FocusOut && !box->isReadOnly()) {
        box->setText(ToQString(LeaveText(control->rule, FromQString(box->text()))));
    }
    return QObject::eventFilter(object, event);
}

} // namespace mitoran
