#include "controls/DrawnButton.h"

#include <QAction>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CDrawnButton::CDrawnButton(QAction *action, const QPixmap &face, Blend blend, QWidget *parent)
    : QAbstractButton(parent)
    , m_action(action)
    , m_face(face)
    , m_blend(blend)
{
    setObjectName(action->objectName() + QStringLiteral("Button"));
    setFocusPolicy(Qt::TabFocus);
    resize(kSize, kSize);
    connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, this, &CDrawnButton::FollowAction);
    FollowAction();
}

void CDrawnButton::FollowAction()
{
    // iconText is the text without its mnemonic and trailing dots.
    setAccessibleName(m_action->iconText());
    setAccessibleDescription(m_action->toolTip());
    setToolTip(m_action->toolTip());
    setEnabled(m_action->isEnabled());
}

void CDrawnButton::paintEvent(QPaintEvent *)
{
    QPainter dc(this);
    if (!m_face.isNull()) {
        if (m_blend == Blend::And)
            dc.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        dc.drawPixmap(QRect(0, 0, kSize, kSize), m_face);
    }
    if (hasFocus()) {
        dc.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &dc, this);
    }
}
