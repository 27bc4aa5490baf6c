// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/YuKyuDel.h"

#include "gui/leave/DeletionDialog.h"
#include "platform/Cp932Qt.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TVacDel::TVacDel(QWidget* parent) : EscDialog(parent) {
    setObjectName(u"TVacDel"_s);
    setWindowTitle(u"有給休暇 - 削除(件数指定)"_s);
    m_delNoMemo = new QLineEdit(u"1"_s, this);
    m_delNoMemo->setObjectName(u"DelNoMemo"_s);
    m_delNoMemo->setAlignment(Qt::AlignRight);
    m_delNoMemo->setFixedWidth(48);
    m_delNoMemo->installEventFilter(this);

    LayOutDeletionDialog(this, m_delNoMemo, u"件の古い有給休暇を削除します。"_s);
}

std::string TVacDel::CountText() const {
    return FromQString(m_delNoMemo->text());
}

void TVacDel::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_delNoMemo->setFocus();
}

bool TVacDel::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_delNoMemo, &QLineEdit::selectAll);
    return QDialog::eventFilter(object, event);
}

} // namespace mitoran
