#pragma once

#include "res/Art.h"

#include <QIcon>
#include <QList>
#include <QRect>
#include <QTreeWidget>

class QKeyEvent;
class QMouseEvent;

// A tree of group items and check items. A check item's mark is toggled by a
// click on its box or by the space bar; kind and state live in the item's
// image index alone (0 unchecked, 1 checked, any other a group item's
// picture), shown from the control's own 57-image list. A mark the user
// changes is told through checkToggled; marks set by the owner are not.
class CTreeOptionsCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    // Where each item keeps its image index and the owner's 32-bit value.
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int ItemDataRole = Qt::UserRole + 2;

    explicit CTreeOptionsCtrl(QWidget *parent = nullptr);

    // New items (item data 0) in no tree yet: a whole branch built apart goes
    // into the tree in one step (QTreeWidgetItem::addChildren), many times
    // faster than item by item.
    static QTreeWidgetItem *NewGroupItem(const QString &text, int image);
    static QTreeWidgetItem *NewCheckItem(const QString &text, bool checked);

    // The selected item (the one shown highlighted), or nullptr.
    QTreeWidgetItem *SelectedItem() const;

    bool IsCheckItem(const QTreeWidgetItem *item) const;
    bool GetCheck(const QTreeWidgetItem *item) const;
    void SetCheck(QTreeWidgetItem *item, bool checked);

    static int GetImage(const QTreeWidgetItem *item);
    static void SetImage(QTreeWidgetItem *item, int image);
    static qint32 GetItemData(const QTreeWidgetItem *item);
    static void SetItemData(QTreeWidgetItem *item, qint32 value);

    // The rectangle, in viewport coordinates, where the item's picture is
    // drawn; empty when the item shows none.
    QRect IconRect(const QTreeWidgetItem *item) const;
    const CImageList &Images() const { return m_images; }

signals:
    // The user ticked or unticked the item (a click on its box, the space bar).
    void checkToggled(QTreeWidgetItem *item, bool checked);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class COptionItem;
    QIcon IconFor(int image) const;
    bool ToggleIfCheckItem(QTreeWidgetItem *item);
    // Toggles the item whose box lies under a left-button press.
    void ToggleAtPress(const QMouseEvent *event);

    CImageList m_images;
    QList<QIcon> m_icons; // made once: the items ask on every paint
};
