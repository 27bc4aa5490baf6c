// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/RadioGroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace mitoran {

RadioGroup::RadioGroup(const QString& name, const QString& caption, std::initializer_list<QString> items,
                       QWidget* parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this)) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    int id = 0;
    for (const QString& item : items) {
        auto* button = new QRadioButton(item, this);
        m_buttons->addButton(button, id++);
        layout->addWidget(button);
    }
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            emit ItemChanged(index);
    });
}

int RadioGroup::ItemIndex() const {
    return m_buttons->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = m_buttons->button(index))
        button->setChecked(true);
}

} // namespace mitoran
