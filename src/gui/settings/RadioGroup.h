// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

#include <initializer_list>

class QButtonGroup;

namespace mitoran {

// A framed group of radio buttons chosen by index, as the settings dialog's radio groups are.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& name, const QString& caption, std::initializer_list<QString> items, QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);

signals:
    // A button was chosen, by the user or by SetItemIndex.
    void ItemChanged(int index);

private:
    QButtonGroup* m_buttons;
};

} // namespace mitoran
