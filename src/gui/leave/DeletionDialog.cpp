// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/DeletionDialog.h"

#include "gui/common/WindowUtil.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

void LayOutDeletionDialog(QDialog* dialog, QWidget* field, const QString& sentence) {
    auto* delButton = NamedButton(u"DelButton"_s, u"削 除"_s, dialog);
    delButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, dialog);
    QObject::connect(delButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    fields->addWidget(field);
    fields->addWidget(new QLabel(sentence, dialog));
    fields->addStretch();
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addLayout(ButtonRow({delButton, cancelButton}));
    dialog->setFixedSize(dialog->sizeHint());
}

} // namespace mitoran
