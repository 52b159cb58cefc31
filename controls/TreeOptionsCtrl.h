#pragma once

#include "res/Art.h"

#include <QIcon>
#include <QList>
#include <QRect>
#include <QTreeWidget>

class QKeyEvent;
class QMouseEvent;

// A tree of group items and check items. A check item's mark is toggled by a
// tap on its box or by the space bar; kind and state live in the item's image
// index alone (0 unchecked, 1 checked, 2 and 3 the same greyed, 4 and up a
// group icon), shown from the control's own 57-image list. A mark the user
// changes is told through checkToggled; marks set by the owner are not.
class CTreeOptionsCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    // Where each item keeps its image index and the owner's 32-bit value.
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int ItemDataRole = Qt::UserRole + 2;

    explicit CTreeOptionsCtrl(QWidget *parent = nullptr);

    // Appends an item to the parent (nullptr: top level); item data 0.
    QTreeWidgetItem *AddGroupItem(const QString &text, int image, QTreeWidgetItem *parent = nullptr);
    QTreeWidgetItem *AddCheckItem(const QString &text, QTreeWidgetItem *parent, bool checked);
    // The same items in no tree yet: a whole branch built apart goes into
    // the tree in one step (QTreeWidgetItem::addChildren), many times faster
    // than item by item.
    static QTreeWidgetItem *NewGroupItem(const QString &text, int image);
    static QTreeWidgetItem *NewCheckItem(const QString &text, bool checked);

    // The selected item (the one shown highlighted), or nullptr.
    QTreeWidgetItem *SelectedItem() const;

    bool IsCheckItem(const QTreeWidgetItem *item) const;
    bool GetCheck(const QTreeWidgetItem *item) const;
    // Also enables a disabled check item: the state lives in the image.
    void SetCheck(QTreeWidgetItem *item, bool checked);
    bool IsCheckEnabled(const QTreeWidgetItem *item) const;
    void EnableCheck(QTreeWidgetItem *item, bool enable);

    static int GetImage(const QTreeWidgetItem *item);
    static void SetImage(QTreeWidgetItem *item, int image);
    static qint32 GetItemData(const QTreeWidgetItem *item);
    static void SetItemData(QTreeWidgetItem *item, qint32 value);

    // The rectangle, in viewport coordinates, where the item's picture is
    // drawn; empty when the item shows none.
    QRect IconRect(const QTreeWidgetItem *item) const;
    const CImageList &Images() const { return m_images; }

signals:
    // The user ticked or unticked the item (a tap on its box, the space bar).
    void checkToggled(QTreeWidgetItem *item, bool checked);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class COptionItem;
    QIcon IconFor(int image) const;
    bool ToggleIfEnabled(QTreeWidgetItem *item);
    // Toggles the item whose box lies under a left-button press.
    void ToggleAtPress(const QMouseEvent *event);

    CImageList m_images;
    QList<QIcon> m_icons; // made once: the items ask on every paint
};
