// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/EscDialog.h"

#include <initializer_list>
#include <string>

class QGroupBox;

namespace mitoran {

struct PayView;
class SettingsStore;

// 給与金額: the amounts of the settings, the days and times of the month (or span) on display and the pay
// they give. It computes nothing: the main window hands it the pay view after each calculation. Not modal;
// closing only hides it.
class TTotal : public EscDialog {
    Q_OBJECT

public:
    TTotal(SettingsStore& store, std::string startUser, QWidget* parent);

    void ShowPayView(const PayView& view);
    void OkButtonClick();
    // Stores the window's position, at each closing and when the program ends with the window open.
    void FormDestroy();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    struct Field {
        const char16_t* name;
        const char16_t* caption;
    };
    void FormCreate();
    QGroupBox* FieldGroup(const QString& title, std::initializer_list<std::initializer_list<Field>> columns);
    void TimeMemoChange(const QString& name);

    SettingsStore& m_store;
    std::string m_startUser;
};

} // namespace mitoran
