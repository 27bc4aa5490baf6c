// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Accessibility.h"

#include "engine/session/ControlNames.h"
#include "engine/session/ProgramColors.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

namespace mitoran {

namespace {

constexpr int kFrameWidth = 2;

QString ClassNameOf(const QWidget& window) {
    const QString name = QString::fromLatin1(window.metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

// Names the windows of the program once they are shown, whichever window made them.
class AccessibleWindows final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(object);
            if (widget->isWindow())
                MakeAccessible(*widget);
        }
        return false;
    }
};

QColor FocusColorFor(const QColor& background) {
    return ToQColor(FocusFrameColor(ToColorRef(background)), QPalette());
}

// Qt names a combo box on Unix by its value and gives its label through the "labelled by" relation, which comes
// from a label whose buddy it is: a hidden label beside it carries the name there.
void LabelComboBox(QComboBox& box, const QString& name) {
    QWidget* parent = box.parentWidget();
    if (parent == nullptr)
        return;
    const QString labelName = box.objectName() + QStringLiteral("Label");
    auto* label = parent->findChild<QLabel*>(labelName, Qt::FindDirectChildrenOnly);
    if (label == nullptr) {
        label = new QLabel(parent);
        label->setObjectName(labelName);
        label->hide();
        label->setBuddy(&box);
    }
    label->setText(name);
}

} // namespace

void MakeAccessible(QWidget& window) {
    const std::string windowClass = ClassNameOf(window).toStdString();
    for (const ControlName& entry : ControlNamesOf(windowClass)) {
        const auto controls = window.findChildren<QWidget*>(QString::fromStdString(entry.control));
        for (QWidget* control : controls) {
            if (control->window() != &window)
                continue;
            control->setAccessibleName(ToQString(entry.name));
            if (auto* box = qobject_cast<QComboBox*>(control))
                LabelComboBox(*box, ToQString(entry.name));
        }
    }
    // A group is named by its title (Qt would name a group inside another by the outer one's title).
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
        if (group->window() == &window && group->accessibleName().isEmpty())
            group->setAccessibleName(group->title());
    }
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (field->window() == &window && field->isReadOnly() && field->focusPolicy() == Qt::NoFocus)
            field->setFocusPolicy(Qt::TabFocus);
    }
}

void InstallAccessibleWindows() {
    static AccessibleWindows* installed = nullptr;
    if (installed != nullptr || qApp == nullptr)
        return;
    installed = new AccessibleWindows(qApp);
    qApp->installEventFilter(installed);
}

QColor AlertTextColor() {
    return ToQColor(colors::kAlertText, QPalette());
}

QColor NoticeTextColor() {
    return ToQColor(colors::kNoticeText, QPalette());
}

void AnnounceStatus(QWidget& window, const QString& text) {
    window.setAccessibleDescription(text);
    QAccessibleEvent changed(&window, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

bool CellHasKeyboardFocus(const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view == nullptr || index != view->currentIndex())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == view || view->isAncestorOf(focus));
}

void DrawFocusFrame(QPainter& painter, const QRect& cell, const QColor& background) {
    painter.save();
    QPen pen(FocusColorFor(background), kFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(cell).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0, -kFrameWidth / 2.0, -kFrameWidth / 2.0));
    painter.restore();
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QColor background =
        widget != nullptr ? widget->palette().color(widget->backgroundRole()) : option->palette.color(QPalette::Window);
    painter->save();
    painter->setPen(QPen(FocusColorFor(background), 1, Qt::SolidLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_MenuBarItem && (option->state & State_Selected) != 0) {
        painter->save();
        painter->setPen(QPen(FocusColorFor(option->palette.color(QPalette::Window)), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

} // namespace mitoran
