#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QAction;

// One of the 20 x 20 picture buttons under the main view and in List Setup:
// its face is a picture of the program's art, painted as it always was, and
// it is a real button all the same. It triggers its action; its tool tip,
// enabled state and the name and description a screen reader announces are
// the action's. Tab reaches it; a click does not take the keyboard from the
// control that has it.
class CDrawnButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kSize = 20;

    // How the face meets the ground, which shows through its transparent
    // parts: it covers its place, or on a light ground it takes on the
    // ground's tint, each colour masked by the ground's bits (the look List
    // Setup's buttons always had); on a dark ground it stays as drawn.
    enum class Blend { Cover, Tint };

    CDrawnButton(QAction *action, const QPixmap &face, Blend blend, QWidget *parent);

    QAction *Action() const { return m_action; }

    QSize sizeHint() const override { return {kSize, kSize}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FollowAction();
    // The face as the ground asks for it.
    QPixmap Face() const;

    QAction *m_action;
    QPixmap m_face;
    Blend m_blend;
};
