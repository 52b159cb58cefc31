#include "view/QuillmarkView.h"

#include "controls/ListTree.h"
#include "model/ShownText.h"
#include "model/QuillmarkDoc.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "view/ViewLook.h"

#include <QFontMetrics>
#include <QPainter>

namespace ViewLook {

namespace {
QFont SansSerif(int pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
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
// cells filled white; returns the size it measured in the painter's font.
QSize DrawTextAt(QPainter &dc, QPoint at, const QString &text)
{
    const QFontMetrics fm = dc.fontMetrics();
    const QSize size(fm.horizontalAdvance(text), fm.height());
    dc.fillRect(QRect(at, size), Qt::white);
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

void CQuillmarkView::paintEvent(QPaintEvent *)
{
    if (!m_tree)
        return; // nothing before the first set-up, not even the banner
    QPainter dc(this);
    dc.fillRect(rect(), Qt::white);
    dc.setBackground(Qt::white);
    dc.setPen(Qt::black);
    const QPixmap banner = Art::Bitmap(Res::IDB_BANNER);
    if (!banner.isNull())
        dc.drawPixmap(ViewLook::kBannerRect, banner);
    // The details of an item that is gone show the banner alone.
    if (m_mode == Mode::Item && !HasCurrentItem())
        return;
    if (m_mode == Mode::Item)
        DrawItemDetails(dc);
    else if (m_mode == Mode::Items)
        DrawTotal(dc);
    const ViewActions::Row &row = Buttons();
    for (int slot = 0; slot < ViewLook::kButtonCount; ++slot) {
        const QPixmap face = m_faces.value(row[slot].face);
        if (IsDrawn(row[slot]) && !face.isNull())
            dc.drawPixmap(ViewLook::ButtonRect(slot, height()), face);
    }
}

void CQuillmarkView::DrawItemDetails(QPainter &dc)
{
    using namespace ViewLook;
    const CListItem &item = CurrentItem();
    const int right = width();

    // The tick comes first: a name long enough covers it.
    if (item.m_bDone)
        dc.drawPixmap(QPoint(right - kTickFromRight, kItemNameAt.y()),
                      Art::Region(Art::Bitmap(Res::IDB_TICK), kTickSource));
    if (item.m_nIcon >= Res::kFirstStripImage) {
        const QPixmap icon = m_tree->Images().Image(item.m_nIcon);
        if (!icon.isNull())
            dc.drawPixmap(QRect(kItemIconAt, QSize(Res::kImageSize, Res::kImageSize)), icon);
    }
    dc.setFont(TitleFont());
    const int rule = kItemNameAt.y() + DrawTextAt(dc, kItemNameAt, item.m_strName).height() + kRuleBelowName;
    dc.drawLine(kRuleInset, rule, right - kRuleInset - 1, rule);
    int y = rule + kGap;

    const auto line = [&](const QFont &font, const QString &text) {
        dc.setFont(font);
        return DrawTextAt(dc, QPoint(kSectionLeft, y), text).height();
    };
    const auto section = [&](const QString &label, const QString &value) {
        y += line(LabelFont(), label) + kGap;
        y += line(ValueFont(), value) + kGap;
    };
    if (item.m_bDated)
        section(Str::LabelDate(), ShownText::DateAndTime(item));
    if (item.m_dPrice != 0.0)
        section(Str::LabelPrice(), ShownText::Price(item.m_dPrice));
    if (item.m_strDesc.isEmpty())
        return;
    y += line(LabelFont(), Str::LabelDescription()) + kGap;
    const QRect box(QPoint(kDescriptionLeft, y),
                    QPoint(right - kDescriptionRightInset - 1, height() - kDescriptionBottomInset - 1));
    if (!box.isValid())
        return;
    QString text = item.m_strDesc;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    dc.save();
    dc.setFont(ValueFont());
    dc.setClipRect(box);
    dc.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    dc.restore();
}

void CQuillmarkView::DrawTotal(QPainter &dc)
{
    using namespace ViewLook;
    // Of every item, the hidden done ones too.
    const double total = HasCurrentList() ? m_doc.Lists().at(m_curList.row()).Total() : 0.0;
    if (total == 0.0)
        return;
    const QString amount = ShownText::Price(total);
    dc.setFont(ValueFont());
    const QFontMetrics fm = dc.fontMetrics();
    const QPoint at(width() - fm.horizontalAdvance(amount) - kTotalRightInset,
                    height() - fm.height() - kTotalBottomInset);
    FrameRect(dc,
              QRect(at - QPoint(kFramePad, kFramePad),
                    QPoint(width() - kFrameRightInset - 1, at.y() + fm.height() + kFramePad - 1)),
              Qt::black);
    DrawTextAt(dc, at, amount);
    dc.setFont(LabelFont());
    const int labelWidth = dc.fontMetrics().horizontalAdvance(Str::LabelTotal());
    DrawTextAt(dc, QPoint(at.x() - labelWidth - kGap, at.y()), Str::LabelTotal());
}
