#include "controls/DrawnButton.h"

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QPen>

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

QPixmap CDrawnButton::Face() const
{
    if (m_blend == Blend::Cover || m_face.isNull())
        return m_face;
    // The ground is what the parent paints under the button.
    const QWidget *under = parentWidget();
    const QColor ground = under ? under->palette().color(under->backgroundRole()) : palette().color(QPalette::Window);
    if (ground.lightness() < 128)
        return m_face;
    QImage tinted = m_face.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb mask = ground.rgb() | 0xFF000000;
    for (int y = 0; y < tinted.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x) {
            const int over = 255 - qAlpha(line[x]);
            if (over == 255)
                continue;
            // The picture's smoothed edge as it was on white, then masked.
            line[x] = qRgb(qRed(line[x]) + over, qGreen(line[x]) + over, qBlue(line[x]) + over) & mask;
        }
    }
    QPixmap face = QPixmap::fromImage(tinted);
    face.setDevicePixelRatio(m_face.devicePixelRatio());
    return face;
}

void CDrawnButton::paintEvent(QPaintEvent *)
{
    QPainter dc(this);
    if (!m_face.isNull())
        dc.drawPixmap(QRect(0, 0, kSize, kSize), Face());
    // The style's dotted frame is lost on the round faces: a ring in the
    // highlight colour, two pixels wide, shows where Tab has come.
    if (hasFocus()) {
        QPen ring(palette().color(QPalette::Highlight), 2);
        ring.setJoinStyle(Qt::MiterJoin);
        dc.setPen(ring);
        dc.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}
