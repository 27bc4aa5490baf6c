// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/PresetBoxesForm.h"

#include "gui/common/WindowUtil.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

PresetBoxesForm::PresetBoxesForm(Settings& settings, std::function<void()> saveSettings, int count,
                                 const QString& boxName, const QString& label, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_saveSettings(std::move(saveSettings)) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* boxes = new QFormLayout;
    for (int n = 1; n <= count; ++n) {
        auto* box = new QLineEdit(this);
        box->setObjectName(boxName.arg(n));
        box->installEventFilter(this);
        boxes->addRow(new QLabel(label.arg(n), this), box);
        m_boxes.push_back(box);
    }
    auto* okButton = NamedButton(u"OkButton"_s, u"登 録"_s, this);
    okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &PresetBoxesForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(ButtonRow({okButton, cancelButton}));
}

void PresetBoxesForm::showEvent(QShowEvent* event) {
    for (int i = 0; i < static_cast<int>(m_boxes.size()); ++i)
        m_boxes[static_cast<std::size_t>(i)]->setText(BoxText(i));
    QDialog::showEvent(event);
    m_boxes.front()->setFocus();
}

bool PresetBoxesForm::eventFilter(QObject* object, QEvent* event) {
    // Entering a box selects its text, also when the mouse put the caret in it.
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(object))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(object, event);
}

void PresetBoxesForm::OkButtonClick() {
    for (int i = 0; i < static_cast<int>(m_boxes.size()); ++i)
        StoreBox(i, m_boxes[static_cast<std::size_t>(i)]->text());
    m_saveSettings();
    accept();
}

} // namespace mitoran
