#include "exchange/share/ListPrint.h"

#include "model/ListItemArray.h"
#include "model/ShownText.h"
#include "platform/NumberText.h"
#include "res/Tr.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace {

// Sizes on paper, in points and millimetres.
constexpr qreal kHeadingPt = 16, kNamePt = 11, kDescriptionPt = 9, kFooterPt = 8;
constexpr qreal kColumnGapMm = 4, kBoxGapMm = 2.5, kRowGapMm = 3;
constexpr qreal kRuleGapMm = 1.5, kBodyGapMm = 4, kFooterGapMm = 4;
// A printer that can print to the edge would put the list there.
constexpr qreal kLeastMarginMm = 12;

class Paper
{
public:
    explicit Paper(QPrinter &printer) : m_device(printer), m_dpi(printer.resolution()), m_area(Area(printer)) { }

    qreal Mm(qreal mm) const { return mm * m_dpi / 25.4; }
    qreal Pt(qreal pt) const { return pt * m_dpi / 72; }
    QPaintDevice &Device() const { return m_device; }
    // Where the list goes, in the painter's coordinates.
    QRectF ContentArea() const { return m_area; }

    QFont SansSerif(qreal points, QFont::Weight weight = QFont::Normal) const
    {
        QFont font;
        font.setFamilies({QStringLiteral("Sans Serif")});
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        font.setWeight(weight);
        return QFont(font, &m_device);
    }

private:
    // The printable area, inside margins of at least kLeastMarginMm from the
    // paper's edges; wider margins the user chose are kept.
    QRectF Area(const QPrinter &printer) const
    {
        const QPageLayout page = printer.pageLayout();
        const QRectF paper = page.fullRectPixels(printer.resolution());
        const QRectF printable = page.paintRectPixels(printer.resolution());
        const qreal least = Mm(kLeastMarginMm);
        auto more = [least](qreal margin) { return qMax(0.0, least - margin); };
        return QRectF(0, 0, printer.width(), printer.height())
                .adjusted(more(printable.left() - paper.left()), more(printable.top() - paper.top()),
                          -more(paper.right() - printable.right()), -more(paper.bottom() - printable.bottom()));
    }

    QPaintDevice &m_device;
    qreal m_dpi;
    QRectF m_area;
};

// Text the user typed, with its line breaks kept as breaks of the layout.
QString LayoutText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

// Wraps the text into lines of the width, one under the other from 0.
std::unique_ptr<QTextLayout> WrapText(const QString &text, const QFont &font, qreal width, QPaintDevice &device)
{
    auto layout = std::make_unique<QTextLayout>(LayoutText(text), font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    qreal y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

struct Row
{
    const CListItem *item = nullptr;
    QString date, price; // empty where there is nothing to show
    std::unique_ptr<QTextLayout> name, description;
};

// One line of a row where it lands on its page; the first line of a row
// carries the box, the date and the price.
struct Placed
{
    const Row *row;
    const QTextLayout *layout;
    int line;
    qreal y;
    bool first;
};

struct Page
{
    std::vector<Placed> lines;
    qreal totalY = -1; // where the total goes, on the page that has it
};

struct Columns
{
    qreal box, name, nameWidth, date, price, right;
};

class ListLayout
{
public:
    ListLayout(const CListItemArray &list, const Paper &paper)
        : m_list(list)
        , m_paper(paper)
        , m_area(paper.ContentArea())
        , m_heading(paper.SansSerif(kHeadingPt, QFont::Bold))
        , m_name(paper.SansSerif(kNamePt))
        , m_total(paper.SansSerif(kNamePt, QFont::Bold))
        , m_description(paper.SansSerif(kDescriptionPt))
        , m_footer(paper.SansSerif(kFooterPt))
    {
        MakeRows();
        PlaceRows();
    }

    int PageCount() const { return int(m_pages.size()); }
    void PaintPage(QPainter &painter, int index) const;

private:
    void MakeRows();
    void PlaceRows();
    qreal BodyTop() const;
    qreal BodyBottom() const;
    void PaintBox(QPainter &painter, const Placed &at) const;

    const CListItemArray &m_list;
    const Paper &m_paper;
    const QRectF m_area;
    const QFont m_heading, m_name, m_total, m_description, m_footer;
    Columns m_columns{};
    QString m_totalText;
    std::vector<Row> m_rows;
    std::vector<Page> m_pages;
};

void ListLayout::MakeRows()
{
    const QFontMetricsF nameMetrics(m_name, &m_paper.Device());
    qreal dateWidth = 0, priceWidth = 0;
    m_rows.resize(m_list.m_items.size());
    for (qsizetype i = 0; i < m_list.m_items.size(); ++i) {
        const CListItem &item = m_list.m_items.at(i);
        Row &row = m_rows[size_t(i)];
        row.item = &item;
        if (item.m_bDated)
            row.date = ShownText::Date(item);
        if (!NumberText::ReadsAsZero(item.m_dPrice))
            row.price = ShownText::Price(item.m_dPrice);
        dateWidth = qMax(dateWidth, nameMetrics.horizontalAdvance(row.date));
        priceWidth = qMax(priceWidth, nameMetrics.horizontalAdvance(row.price));
    }
    if (!NumberText::ReadsAsZero(m_list.Total())) {
        //: Before the list's sum where a list is copied as text or printed; keep the space at the end.
        m_totalText = Tr::tr("Total: ") + ShownText::Price(m_list.Total());
        priceWidth = qMax(priceWidth, nameMetrics.horizontalAdvance(ShownText::Price(m_list.Total())));
    }

    // From the right: the prices, right-aligned, then the dates; the names
    // take what is left, but never less than a third of the page.
    const qreal gap = m_paper.Mm(kColumnGapMm);
    Columns &c = m_columns;
    c.right = m_area.right();
    c.price = c.right - priceWidth;
    c.date = (priceWidth > 0 ? c.price - gap : c.right) - dateWidth;
    c.box = m_area.left();
    c.name = c.box + nameMetrics.ascent() + m_paper.Mm(kBoxGapMm);
    const qreal nameEnd = dateWidth > 0 ? c.date - gap : priceWidth > 0 ? c.price - gap : c.right;
    c.nameWidth = qMax(nameEnd - c.name, m_area.width() / 3);

    for (Row &row : m_rows) {
        row.name = WrapText(row.item->m_strName, m_name, c.nameWidth, m_paper.Device());
        if (!row.item->m_strDesc.ToString().trimmed().isEmpty())
            row.description = WrapText(row.item->m_strDesc, m_description, c.right - c.name, m_paper.Device());
    }
}

qreal ListLayout::BodyTop() const
{
    return m_area.top() + QFontMetricsF(m_heading, &m_paper.Device()).height() + m_paper.Mm(kRuleGapMm)
            + m_paper.Mm(kBodyGapMm);
}

qreal ListLayout::BodyBottom() const
{
    return m_area.bottom() - QFontMetricsF(m_footer, &m_paper.Device()).height() - m_paper.Mm(kFooterGapMm);
}

void ListLayout::PlaceRows()
{
    const qreal top = BodyTop(), bottom = BodyBottom();
    const qreal rowGap = m_paper.Mm(kRowGapMm);
    m_pages.emplace_back();
    qreal y = top;
    // A new page where the next piece does not fit, unless the page is still
    // empty: a piece taller than a page then runs over its foot rather than
    // asking for pages without end.
    auto makeRoom = [&](qreal height) {
        if (y + height > bottom && y > top) {
            m_pages.emplace_back();
            y = top;
        }
    };
    for (const Row &row : m_rows) {
        std::vector<const QTextLayout *> parts{row.name.get()};
        if (row.description)
            parts.push_back(row.description.get());
        qreal height = 0;
        for (const QTextLayout *layout : parts)
            height += layout->boundingRect().height();
        // A row stays whole on one page where a page can hold it.
        if (height <= bottom - top)
            makeRoom(height);
        bool first = true;
        for (const QTextLayout *layout : parts) {
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                makeRoom(line.height());
                m_pages.back().lines.push_back({&row, layout, i, y, first});
                y += line.height();
                first = false;
            }
        }
        y += rowGap;
    }
    if (!m_totalText.isEmpty()) {
        makeRoom(QFontMetricsF(m_total, &m_paper.Device()).height());
        m_pages.back().totalY = y;
    }
}

void ListLayout::PaintBox(QPainter &painter, const Placed &at) const
{
    const QTextLine line = at.layout->lineAt(at.line);
    const qreal size = QFontMetricsF(m_name, &m_paper.Device()).ascent() * 0.9;
    const QRectF box(m_columns.box, at.y + line.ascent() - size, size, size);
    painter.setPen(QPen(Qt::black, m_paper.Pt(0.6)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    if (!at.row->item->m_bDone)
        return;
    QPainterPath tick;
    tick.moveTo(box.left() + size * 0.2, box.top() + size * 0.52);
    tick.lineTo(box.left() + size * 0.42, box.top() + size * 0.76);
    tick.lineTo(box.left() + size * 0.82, box.top() + size * 0.22);
    painter.setPen(QPen(Qt::black, m_paper.Pt(1.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
}

void ListLayout::PaintPage(QPainter &painter, int index) const
{
    const Page &page = m_pages.at(size_t(index));
    painter.setPen(Qt::black);

    // The heading, on every page.
    const QFontMetricsF headingMetrics(m_heading, &m_paper.Device());
    painter.setFont(m_heading);
    painter.drawText(QPointF(m_area.left(), m_area.top() + headingMetrics.ascent()),
                     headingMetrics.elidedText(m_list.m_strName.simplified(), Qt::ElideRight, m_area.width()));
    const qreal ruleY = m_area.top() + headingMetrics.height() + m_paper.Mm(kRuleGapMm);
    painter.setPen(QPen(Qt::black, m_paper.Pt(0.8)));
    painter.drawLine(QPointF(m_area.left(), ruleY), QPointF(m_area.right(), ruleY));

    for (const Placed &at : page.lines) {
        const QTextLine line = at.layout->lineAt(at.line);
        painter.setPen(Qt::black);
        line.draw(&painter, QPointF(m_columns.name, at.y - line.position().y()));
        if (!at.first)
            continue;
        // A hairline between rows leads the eye from a name to its price.
        if (&at != &page.lines.front()) {
            const qreal y = at.y - m_paper.Mm(kRowGapMm) / 2;
            painter.setPen(QPen(Qt::black, m_paper.Pt(0.25)));
            painter.drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
        }
        PaintBox(painter, at);
        painter.setPen(Qt::black);
        painter.setFont(m_name);
        const QFontMetricsF metrics(m_name, &m_paper.Device());
        const qreal baseline = at.y + line.ascent();
        if (!at.row->date.isEmpty())
            painter.drawText(QPointF(m_columns.date, baseline), at.row->date);
        if (!at.row->price.isEmpty())
            painter.drawText(QPointF(m_columns.right - metrics.horizontalAdvance(at.row->price), baseline),
                             at.row->price);
    }

    if (page.totalY >= 0) {
        const QFontMetricsF metrics(m_total, &m_paper.Device());
        painter.setPen(QPen(Qt::black, m_paper.Pt(0.8)));
        painter.drawLine(QPointF(m_columns.price, page.totalY), QPointF(m_columns.right, page.totalY));
        painter.setFont(m_total);
        painter.drawText(QPointF(m_columns.right - metrics.horizontalAdvance(m_totalText),
                                 page.totalY + m_paper.Mm(kRuleGapMm) + metrics.ascent()),
                         m_totalText);
    }

    if (PageCount() > 1) {
        const QFontMetricsF metrics(m_footer, &m_paper.Device());
        const QString number = Tr::tr("Page %1 of %2").arg(index + 1).arg(PageCount());
        painter.setPen(Qt::black);
        painter.setFont(m_footer);
        painter.drawText(QPointF(m_area.center().x() - metrics.horizontalAdvance(number) / 2,
                                 m_area.bottom() - metrics.descent()),
                         number);
    }
}

// The pages the user chose, counted from 1.
bool Wanted(const QPrinter &printer, int page)
{
    return printer.printRange() != QPrinter::PageRange || printer.pageRanges().isEmpty()
            || printer.pageRanges().contains(page);
}

} // namespace

namespace ListPrint {

bool Print(const CListItemArray &list, QPrinter &printer)
{
    const Paper paper(printer);
    const ListLayout layout(list, paper);
    std::vector<int> pages;
    for (int i = 0; i < layout.PageCount(); ++i) {
        if (Wanted(printer, i + 1))
            pages.push_back(i);
    }
    if (pages.empty())
        return true;

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        layout.PaintPage(painter, pages[i]);
    }
    return painter.end();
}

} // namespace ListPrint
