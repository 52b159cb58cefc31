#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QEvent;
class QWidget;

// A button that a widget paints on itself rather than a child widget: where
// it lies and the tool tip that names it (empty: none, as for a place that
// acts but shows no face).
struct DrawnButton
{
    QRect rect;
    QString tip;
};

namespace DrawnButtons {

// The index of the button that contains the point, or -1.
qsizetype At(const QList<DrawnButton> &buttons, const QPoint &point);

// Answers the owner's QEvent::ToolTip: the tip of the button under the
// pointer, shown for as long as the pointer stays on it, or no tip at all.
void ShowTip(QWidget *owner, QEvent *toolTipEvent, const QList<DrawnButton> &buttons);

} // namespace DrawnButtons
