#include "view/QuillmarkView.h"

#include "platform/NumberText.h"
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

// A one-pixel frame just inside the rectangle (right and bottom excluded).
void FrameRect(QPainter &dc, int left, int top, int right, int bottom, const QColor &colour)
{
    if (right <= left || bottom <= top)
        return;
    dc.fillRect(QRect(left, top, right - left, 1), colour);
    dc.fillRect(QRect(left, bottom - 1, right - left, 1), colour);
    dc.fillRect(QRect(left, top, 1, bottom - top), colour);
    dc.fillRect(QRect(right - 1, top, 1, bottom - top), colour);
}

// Part of a picture, the source given in logical pixels.
void DrawPart(QPainter &dc, QPoint at, const QPixmap &picture, const QRect &source)
{
    if (picture.isNull())
        return;
    const qreal dpr = picture.devicePixelRatio();
    const QRectF from(source.x() * dpr, source.y() * dpr, source.width() * dpr, source.height() * dpr);
    dc.drawPixmap(QRectF(QPointF(at), QSizeF(source.size())), picture, from);
}

} // namespace

void CQuillmarkView::paintEvent(QPaintEvent *)
{
    QPainter dc(this);
    OnDraw(dc);
}

void CQuillmarkView::OnDraw(QPainter &dc)
{
    if (!m_bReady)
        return;
    dc.fillRect(rect(), Qt::white);
    dc.setBackground(Qt::white);
    dc.setPen(Qt::black);
    switch (m_nMode) {
    case modeTree:
        DrawTreeMode(dc);
        break;
    case modeItem:
        DrawItemDetails(dc);
        break;
    case modeItems:
        DrawItemsMode(dc);
        break;
    default:
        break;
    }
}

void CQuillmarkView::DrawBanner(QPainter &dc) const
{
    const QPixmap banner = Art::Bitmap(Res::IDB_BANNER);
    if (!banner.isNull())
        dc.drawPixmap(QRect(0, 0, ViewLook::kBannerWidth, ViewLook::kBannerHeight), banner);
}

void CQuillmarkView::DrawTreeMode(QPainter &dc)
{
    DrawBanner(dc);
    DrawButtonBar(dc);
}

void CQuillmarkView::DrawButtonBar(QPainter &dc)
{
    // FaceAt also names the buttons' tool tips: what is drawn is what is named.
    for (int button = 0; button < ViewLook::kButtonCount; ++button) {
        const QPixmap *picture = nullptr;
        switch (FaceAt(button)) {
        case Res::IDB_EXIT: picture = &m_bmpExit; break;
        case Res::IDB_MENU: picture = &m_bmpMenu; break;
        case Res::IDB_EDIT: picture = &m_bmpEdit; break;
        case Res::IDB_VIEW: picture = &m_bmpView; break;
        case Res::IDB_DONE: picture = &m_bmpDone; break;
        case Res::IDB_OUTLOOK: picture = &m_bmpOutlook; break;
        case Res::IDB_BACK: picture = &m_bmpBack; break;
        default: break;
        }
        if (picture && !picture->isNull())
            dc.drawPixmap(ViewLook::ButtonRect(button, height()), *picture);
    }
}

void CQuillmarkView::DrawItemDetails(QPainter &dc)
{
    const QFont previous = dc.font();
    dc.setFont(ViewLook::TitleFont());
    DrawBanner(dc);
    if (!HasCurrentItem()) {
        dc.setFont(previous);
        return;
    }
    const CListItem item = m_lists.at(m_nCurList).GetItem(m_nCurItem);
    const int right = width();

    // The tick comes first: a name long enough covers it.
    if (item.m_bDone)
        DrawPart(dc, QPoint(right - ViewLook::kTickFromRight, 30), Art::Bitmap(Res::IDB_TICK),
                 ViewLook::kTickSource);
    if (item.m_nIcon >= Res::kFirstStripImage) {
        const QPixmap icon = m_images.Image(item.m_nIcon);
        if (!icon.isNull())
            dc.drawPixmap(QRect(ViewLook::kItemIconAt, QSize(Res::kImageSize, Res::kImageSize)), icon);
    }
    const int h = DrawTextAt(dc, ViewLook::kItemNameAt, item.m_strName).height();
    dc.drawLine(4, 35 + h, right - 5, 35 + h);
    int y = 40 + h;

    const auto section = [&](const QString &label, const QString &value) {
        dc.setFont(ViewLook::LabelFont());
        y += DrawTextAt(dc, QPoint(8, y), label).height() + 5;
        dc.setFont(ViewLook::ValueFont());
        y += DrawTextAt(dc, QPoint(8, y), value).height() + 5;
    };
    if (item.m_bDated)
        section(Str::LabelDate(), item.GetDateText(false));
    if (item.m_dPrice != 0.0)
        section(Str::LabelPrice(), NumberText::FormatFixed2(item.m_dPrice));

    if (!item.m_strDesc.isEmpty()) {
        dc.setFont(ViewLook::LabelFont());
        const int labelHeight = DrawTextAt(dc, QPoint(8, y), Str::LabelDescription()).height();
        dc.setFont(ViewLook::ValueFont());
        // Right and bottom edges excluded; what does not fit is cut.
        const QRect box(QPoint(18, y + labelHeight + 5), QPoint(right - 5 - 1, height() - 27 - 1));
        if (box.isValid()) {
            QString text = item.m_strDesc;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            dc.save();
            dc.setClipRect(box);
            dc.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
            dc.restore();
        }
    }

    DrawButtonBar(dc);
    dc.setFont(previous);
}

void CQuillmarkView::DrawItemsMode(QPainter &dc)
{
    const QFont previous = dc.font();
    dc.setFont(ViewLook::ValueFont());
    DrawBanner(dc);
    const double total = GetListTotal();
    if (total != 0.0) {
        const QString amount = NumberText::FormatFixed2(total);
        const QFontMetrics fm = dc.fontMetrics();
        const int w = fm.horizontalAdvance(amount);
        const int h = fm.height();
        const int x = width() - w - 15;
        const int y = height() - h - 10;
        FrameRect(dc, x - 2, y - 2, width() - 10, y + h + 2, Qt::black);
        DrawTextAt(dc, QPoint(x, y), amount);
        dc.setFont(ViewLook::LabelFont());
        const int w2 = dc.fontMetrics().horizontalAdvance(Str::LabelTotal());
        DrawTextAt(dc, QPoint(x - w2 - 5, y), Str::LabelTotal());
    }
    DrawButtonBar(dc);
    dc.setFont(previous);
}

double CQuillmarkView::GetListTotal() const
{
    if (!HasCurrentList())
        return 0.0;
    double total = 0.0;
    for (const CListItem &item : m_lists.at(m_nCurList).m_items)
        total += item.m_dPrice;
    return total;
}
