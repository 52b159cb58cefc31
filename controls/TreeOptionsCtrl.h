#pragma once

#include "res/Art.h"

#include <QIcon>
#include <QList>
#include <QRect>
#include <QTreeView>

class QKeyEvent;
class QMouseEvent;

// A view of group items and check items, drawn from the control's own
// 57-image list. A cell whose model gives a check state (Qt::CheckStateRole)
// is a check item: it shows the unchecked or the checked box, and a click on
// the box or the space bar asks the model to turn the mark over
// (setData of the check state). Any other cell shows the picture of its icon
// number (CListsModel::IconRole), or none outside the list. The pictures are
// the program's own, never the style's check boxes; the control keeps no
// marks of its own, so a picture can never disagree with the model.
class CTreeOptionsCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit CTreeOptionsCtrl(QWidget *parent = nullptr);

    // The image of a cell: 0 unchecked, 1 checked, a group's picture from 4
    // on; -1 for none.
    static int ImageOf(const QModelIndex &index);
    static bool IsCheckItem(const QModelIndex &index);
    static bool GetCheck(const QModelIndex &index);

    // The rectangle, in viewport coordinates, where the cell's picture is
    // drawn; empty when it shows none.
    QRect IconRect(const QModelIndex &index) const;
    const CImageList &Images() const { return m_images; }
    QIcon IconFor(int image) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool Toggle(const QModelIndex &index);
    // Toggles the check item whose box lies under a left-button press.
    bool ToggleAtPress(const QMouseEvent *event);

    CImageList m_images;
    QList<QIcon> m_icons; // made once: the cells ask on every paint
};
