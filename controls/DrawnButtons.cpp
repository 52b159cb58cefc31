#include "controls/DrawnButtons.h"

#include <QHelpEvent>
#include <QToolTip>

namespace DrawnButtons {

qsizetype At(const QList<DrawnButton> &buttons, const QPoint &point)
{
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i).rect.contains(point))
            return i;
    }
    return -1;
}

void ShowTip(QWidget *owner, QEvent *toolTipEvent, const QList<DrawnButton> &buttons)
{
    const auto *help = static_cast<QHelpEvent *>(toolTipEvent);
    const qsizetype i = At(buttons, help->pos());
    if (i >= 0 && !buttons.at(i).tip.isEmpty()) {
        QToolTip::showText(help->globalPos(), buttons.at(i).tip, owner, buttons.at(i).rect);
        return;
    }
    QToolTip::hideText();
    toolTipEvent->ignore();
}

} // namespace DrawnButtons
