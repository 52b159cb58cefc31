#include "view/QuillmarkView.h"

#include "controls/DrawnButton.h"
#include "controls/FindPane.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "controls/QuickAddField.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "model/ShownText.h"
#include "res/Art.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Tr.h"
#include "view/ViewLook.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace ViewLook {

namespace {
QFont SansSerif(int pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, qRound(pixelSize * Art::DesktopFontScale())));
    font.setWeight(weight);
    return font;
}
} // namespace

QFont ValueFont() { return SansSerif(11, QFont::Normal); }
QFont LabelFont() { return SansSerif(11, QFont::Bold); }
QFont TitleFont() { return SansSerif(17, QFont::Bold); }

} // namespace ViewLook

namespace {

// One line of text with its top left corner at the point and its character
// cells filled with the ground; returns the size it measured in the
// painter's font.
QSize DrawTextAt(QPainter &dc, QPoint at, const QString &text)
{
    const QFontMetrics fm = dc.fontMetrics();
    const QSize size(fm.horizontalAdvance(text), fm.height());
    dc.fillRect(QRect(at, size), dc.background());
    dc.drawText(at.x(), at.y() + fm.ascent(), text);
    return size;
}

// A one-pixel frame just inside the rectangle.
void FrameRect(QPainter &dc, const QRect &r, const QColor &colour)
{
    if (r.isEmpty())
        return;
    dc.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    dc.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    dc.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    dc.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

} // namespace

void CQuillmarkView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CQuillmarkView::LayOut()
{
    if (!m_tree)
        return;
    const QRect child = ViewLook::ChildRect(size());
    // What the table grows by beyond the smallest size goes to its name column.
    m_listItems->SetOwnWidth(ViewLook::ChildRect(ClientArea::kSize).width());
    for (QWidget *control : {static_cast<QWidget *>(m_tree), static_cast<QWidget *>(m_listItems),
                             static_cast<QWidget *>(m_find)})
        control->setGeometry(child);
    // The add field takes the table's last line while it is open.
    if (IsAdding()) {
        const int line = m_quickAdd->sizeHint().height();
        m_listItems->setGeometry(child.adjusted(0, 0, 0, -line));
        m_quickAdd->setGeometry(child.left(), child.bottom() + 1 - line, child.width(), line);
    }
    // The back button only while there is somewhere to go back to; its key
    // works all the same (and then does nothing).
    const CViewActions::Row &row = Buttons();
    for (int c = CViewActions::kFirstButton; c <= CViewActions::kLastButton; ++c) {
        const auto slot = std::find(row.begin(), row.end(), CViewActions::Command(c)) - row.begin();
        const bool shown = slot < ViewLook::kButtonCount && (c != CViewActions::Back || m_prevMode);
        if (shown)
            m_buttons[c]->setGeometry(ViewLook::ButtonRect(int(slot), height()));
        m_buttons[c]->setVisible(shown);
    }
    ShowReadOuts();
}

void CQuillmarkView::paintEvent(QPaintEvent *)
{
    if (!m_tree)
        return; // nothing before the first set-up, not even the banner
    QPainter dc(this);
    // The desktop's colours; under a light desktop white ground, black text.
    const QColor ground = palette().color(QPalette::Base);
    dc.fillRect(rect(), ground);
    dc.setBackground(ground);
    dc.setPen(palette().color(QPalette::Text));
    DrawBanner(dc);
    // The details of an item that is gone show the banner alone.
    if (m_mode == Mode::Item && !HasCurrentItem())
        return;
    if (m_mode == Mode::Item)
        DrawItemDetails(dc);
    else if (m_mode == Mode::Items)
        DrawTotal(dc);
}

void CQuillmarkView::DrawBanner(QPainter &dc)
{
    const QPixmap banner = Art::Bitmap(Res::IDB_BANNER);
    if (banner.isNull())
        return;
    const QRect art = ViewLook::kBannerRect;
    dc.drawPixmap(art, banner);
    // A wider window: the art's last column, its band, on to the edge.
    if (width() > art.right() + 1)
        dc.drawPixmap(QRect(art.right() + 1, art.top(), width() - art.right() - 1, art.height()),
                      Art::Region(banner, QRect(art.width() - 1, 0, 1, art.height())));
}

CQuillmarkView::ItemLook CQuillmarkView::LayOutItem() const
{
    using namespace ViewLook;
    ItemLook look;
    const CListItem &item = CurrentItem();
    const int right = width();
    const QFontMetrics title(TitleFont(), this);
    const QFontMetrics label(LabelFont(), this);
    const QFontMetrics value(ValueFont(), this);

    if (item.m_bDone)
        look.tickArea = QRect(QPoint(right - kTickFromRight, kItemNameAt.y()), kTickSource.size());
    // A name too long for its line ends in an ellipsis before the tick.
    const int nameEnd = item.m_bDone ? right - kTickFromRight - 1 : right - kRuleInset;
    look.name = title.elidedText(item.m_strName, Qt::ElideRight, nameEnd - kItemNameAt.x());
    look.nameArea = QRect(kItemNameAt, QSize(title.horizontalAdvance(look.name), title.height()));
    look.rule = kItemNameAt.y() + title.height() + kRuleBelowName;
    int y = look.rule + kGap;

    const auto section = [&](ReadOut readOut, const QString &text, const QString &shown) {
        ItemLook::Section part{readOut, text, shown, QPoint(kSectionLeft, y), {}, {}};
        y += label.height() + kGap;
        part.valueAt = QPoint(kSectionLeft, y);
        y += value.height() + kGap;
        part.area = QRect(part.labelAt, QSize(std::max(label.horizontalAdvance(text), value.horizontalAdvance(shown)),
                                              part.valueAt.y() + value.height() - part.labelAt.y()));
        look.sections.append(part);
    };
    if (item.m_bDated)
        section(ItemDate, Tr::tr("Date"), ShownText::DateAndTime(item));
    if (item.m_dPrice != 0.0)
        section(ItemPrice, Tr::tr("Price"), ShownText::Price(item.m_dPrice));
    if (item.m_strDesc.isEmpty())
        return look;
    look.description = item.m_strDesc;
    look.description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    look.description.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    look.descriptionLabelAt = QPoint(kSectionLeft, y);
    look.descriptionLabelArea =
        QRect(look.descriptionLabelAt, QSize(label.horizontalAdvance(Str::LabelDescription()), label.height()));
    y += label.height() + kGap;
    look.descriptionBox = QRect(QPoint(kDescriptionLeft, y),
                                QPoint(right - kDescriptionRightInset - 1, height() - kDescriptionBottomInset - 1));
    return look;
}

void CQuillmarkView::DrawItemDetails(QPainter &dc)
{
    using namespace ViewLook;
    const CListItem &item = CurrentItem();
    const ItemLook look = LayOutItem();

    if (!look.tickArea.isNull())
        dc.drawPixmap(look.tickArea.topLeft(), Art::Region(Art::GroundlessBitmap(Res::IDB_TICK), kTickSource));
    if (item.m_nIcon >= Res::kFirstStripImage) {
        const QPixmap icon = m_tree->Images().Image(item.m_nIcon);
        if (!icon.isNull())
            dc.drawPixmap(QRect(kItemIconAt, QSize(Res::kImageSize, Res::kImageSize)), icon);
    }
    dc.setFont(TitleFont());
    DrawTextAt(dc, kItemNameAt, look.name);
    dc.drawLine(kRuleInset, look.rule, width() - kRuleInset - 1, look.rule);

    for (const ItemLook::Section &part : look.sections) {
        dc.setFont(LabelFont());
        DrawTextAt(dc, part.labelAt, part.label);
        dc.setFont(ValueFont());
        DrawTextAt(dc, part.valueAt, part.value);
    }
    if (look.descriptionLabelArea.isNull())
        return;
    dc.setFont(LabelFont());
    DrawTextAt(dc, look.descriptionLabelAt, Str::LabelDescription());
    const QRect box = look.descriptionBox;
    if (!box.isValid())
        return;
    dc.save();
    dc.setFont(ValueFont());
    dc.setClipRect(box);
    dc.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, look.description);
    dc.restore();
}

CQuillmarkView::TotalLook CQuillmarkView::LayOutTotal() const
{
    using namespace ViewLook;
    TotalLook look;
    if (m_mode != Mode::Items || !HasCurrentList())
        return look;
    // Of every item, the hidden done ones too.
    const CListItemArray &list = m_doc.Lists().at(CListsModel::ListOf(m_curList));
    const double total = list.Total();
    if (total == 0.0)
        return look;
    const CListItemArray::Split split = list.TotalSplit();
    if (split.anyDone) {
        //: The total's tool tip once an item is done: what the items not done and those done come to.
        look.tip = Tr::tr("Left: %1 · Done: %2").arg(ShownText::Price(split.left), ShownText::Price(split.done));
    }

    // The room right of the buttons on show.
    int roomLeft = 0;
    for (const CDrawnButton *button : m_buttons) {
        if (button && !button->isHidden())
            roomLeft = std::max(roomLeft, button->geometry().right() + 1 + kTotalClearOfButtons);
    }
    const QFontMetrics value(ValueFont(), this);
    const QFontMetrics label(LabelFont(), this);
    look.amount = ShownText::Price(total);
    look.amountAt = QPoint(width() - value.horizontalAdvance(look.amount) - kTotalRightInset,
                           height() - value.height() - kTotalBottomInset);
    look.frame = QRect(look.amountAt - QPoint(kFramePad, kFramePad),
                       QPoint(width() - kFrameRightInset - 1, look.amountAt.y() + value.height() + kFramePad - 1));
    look.area = look.frame;

    // The label ends kGap before the amount; where a longer translation
    // does not fit beside the buttons it loses its space, then its end.
    const int labelEnd = look.amountAt.x() - kGap;
    //: Drawn in front of the sum; keep the space at the end.
    look.label = Tr::tr("Total: ");
    if (labelEnd - label.horizontalAdvance(look.label) < roomLeft)
        look.label = label.elidedText(look.label.trimmed(), Qt::ElideRight, std::max(0, labelEnd - roomLeft));
    const int labelWidth = label.horizontalAdvance(look.label);
    look.labelAt = QPoint(labelEnd - labelWidth, look.amountAt.y());
    look.area |= QRect(look.labelAt, QSize(labelWidth, label.height()));

    // A wider window also shows what is left, where there is room for it.
    if (split.anyDone && width() > ClientArea::kWidth) {
        //: Drawn before what the items not yet done come to, left of the total in a wide window; keep the space.
        look.leftLabel = Tr::tr("Left: ");
        look.leftAmount = ShownText::Price(split.left);
        const int amountWidth = value.horizontalAdvance(look.leftAmount);
        const int blockWidth = label.horizontalAdvance(look.leftLabel) + amountWidth;
        const int blockEnd = look.labelAt.x() - kLeftBeforeTotal;
        if (blockEnd - blockWidth >= roomLeft) {
            look.leftLabelAt = QPoint(blockEnd - blockWidth, look.amountAt.y());
            look.leftAmountAt = QPoint(blockEnd - amountWidth, look.amountAt.y());
            look.area |= QRect(look.leftLabelAt, QPoint(blockEnd - 1, look.amountAt.y() + value.height() - 1));
        } else {
            look.leftLabel.clear();
            look.leftAmount.clear();
        }
    }
    return look;
}

void CQuillmarkView::DrawTotal(QPainter &dc)
{
    const TotalLook look = LayOutTotal();
    if (look.amount.isEmpty())
        return;
    FrameRect(dc, look.frame, palette().color(QPalette::WindowText));
    dc.setFont(ViewLook::ValueFont());
    DrawTextAt(dc, look.amountAt, look.amount);
    if (!look.leftAmount.isEmpty())
        DrawTextAt(dc, look.leftAmountAt, look.leftAmount);
    dc.setFont(ViewLook::LabelFont());
    DrawTextAt(dc, look.labelAt, look.label);
    if (!look.leftLabel.isEmpty())
        DrawTextAt(dc, look.leftLabelAt, look.leftLabel);
}

namespace {

// A read-out says `name` over `area`, or is hidden when there is nothing to
// say; a screen reader hears of a change of what it says.
void SetReadOut(QWidget *readOut, const QString &name, const QRect &area)
{
    if (name.isEmpty()) {
        readOut->hide();
        return;
    }
    if (readOut->accessibleName() != name)
        readOut->setAccessibleName(name);
    readOut->setGeometry(area);
    readOut->show();
}

// A label and what it labels, as a reader speaks them.
QString Labelled(const QString &label, const QString &value)
{
    //: What a screen reader reads of a labelled value, e.g. "Price: 3.50".
    return Tr::tr("%1: %2").arg(label, value);
}

} // namespace

void CQuillmarkView::ShowReadOuts()
{
    if (!m_tree)
        return;
    // The table is called by its list's name, which may change on show.
    if (m_mode == Mode::Items && HasCurrentList()) {
        const QString list = m_doc.Lists().at(CListsModel::ListOf(m_curList)).m_strName;
        if (m_listItems->accessibleName() != list)
            m_listItems->setAccessibleName(list);
    }
    std::array<QString, ReadOutCount> names;
    std::array<QRect, ReadOutCount> areas;
    const bool item = m_mode == Mode::Item && HasCurrentItem();
    if (item) {
        const CListItem &shown = CurrentItem();
        const ItemLook look = LayOutItem();
        // The whole name and description, also where the screen cuts them.
        names[ItemName] = Labelled(Tr::tr("Name"), shown.m_strName);
        areas[ItemName] = look.nameArea;
        for (const ItemLook::Section &part : look.sections) {
            names[part.readOut] = Labelled(part.label, part.value);
            areas[part.readOut] = part.area;
        }
        if (!look.descriptionLabelArea.isNull()) {
            names[ItemDescription] = Labelled(Str::LabelDescription(), look.description);
            areas[ItemDescription] = look.descriptionLabelArea | look.descriptionBox.intersected(rect());
        }
        m_doneBox->setChecked(shown.m_bDone);
        // Over the tick, or where it would be.
        m_doneBox->setGeometry(QRect(QPoint(width() - ViewLook::kTickFromRight, ViewLook::kItemNameAt.y()),
                                     ViewLook::kTickSource.size()));
    }
    m_doneBox->setVisible(item);

    const TotalLook total = LayOutTotal();
    if (!total.amount.isEmpty()) {
        names[Total] = Labelled(Tr::tr("Total"), total.amount);
        areas[Total] = total.frame;
        const CListItemArray::Split split = m_doc.Lists().at(CListsModel::ListOf(m_curList)).TotalSplit();
        if (split.anyDone) {
            names[TotalLeft] = Labelled(Tr::tr("Left"), ShownText::Price(split.left));
            names[TotalDone] = Labelled(Tr::tr("Done"), ShownText::Price(split.done));
            // Where what is left is drawn, in a wide window; else with the total.
            areas[TotalLeft] = total.leftAmount.isEmpty()
                                   ? total.frame
                                   : QRect(total.leftLabelAt, QPoint(total.labelAt.x() - ViewLook::kLeftBeforeTotal - 1,
                                                                     total.frame.bottom()));
            areas[TotalDone] = total.frame;
        }
    }
    for (int r = 0; r < ReadOutCount; ++r)
        SetReadOut(m_readOuts[r], names[r], areas[r]);
}

bool CQuillmarkView::event(QEvent *event)
{
    // Over the total: what is left and what is done, once anything is done.
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const TotalLook look = LayOutTotal();
        if (!look.tip.isEmpty() && look.area.contains(help->pos()))
            QToolTip::showText(help->globalPos(), look.tip, this, look.area);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
