// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QColor;
class QModelIndex;
class QStyleOptionViewItem;
class QPainter;
class QRect;
class QString;
class QWidget;

// What screen readers and keyboard users need of every window: the controls' names from the engine's table,
// read-only fields that Tab reaches, a status that is read out, and focus frames that stand out.
namespace mitoran {

// Names the window's own controls (not those of its child windows) from the table, and lets Tab reach its
// read-only fields so that they can be read; a click still does not take the focus into them.
void MakeAccessible(QWidget& window);
// Applies MakeAccessible to every window of the program as it is shown.
void InstallAccessibleWindows();

// Text colours of the program that carry a meaning: warnings (negative values, late arrivals, Sundays) and
// notices (Saturdays, figures left out).
QColor AlertTextColor();
QColor NoticeTextColor();

// Puts what just happened into the window's accessible description and tells screen readers.
void AnnounceStatus(QWidget& window, const QString& text);

// Whether the cell is its view's current cell while the view or the cell's editor has the keyboard focus.
bool CellHasKeyboardFocus(const QStyleOptionViewItem& option, const QModelIndex& index);
// The frame of a grid's current cell, two pixels wide inside the cell, in the colour that stands out from its
// background.
void DrawFocusFrame(QPainter& painter, const QRect& cell, const QColor& background);

// The platform's style, except that the focus frame of check boxes, radio buttons and other controls is drawn
// in the program's focus colour whenever a control has the focus (not only after a key moved it there), and the
// menu bar's active item is framed.
class FocusFrameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace mitoran
