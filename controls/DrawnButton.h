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

    // How the face meets the ground: it covers its place, or it is ANDed
    // onto it (round faces on white, which lets the ground through).
    enum class Blend { Cover, And };

    CDrawnButton(QAction *action, const QPixmap &face, Blend blend, QWidget *parent);

    QAction *Action() const { return m_action; }

    QSize sizeHint() const override { return {kSize, kSize}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FollowAction();

    QAction *m_action;
    QPixmap m_face;
    Blend m_blend;
};
