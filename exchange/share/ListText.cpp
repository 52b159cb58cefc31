#include "exchange/share/ListText.h"

#include "model/ListItemArray.h"
#include "platform/NumberText.h"
#include "res/Tr.h"

#include <QMimeData>
#include <QStringList>

namespace {

const QString kMarkdownType = QStringLiteral("text/markdown");

// A line break typed into a name (or brought in by an import) would split
// its item in two.
QString OneLine(QString text)
{
    for (QChar &c : text) {
        switch (c.unicode()) {
        case '\n': case '\r': case '\v': case '\f': case 0x85: case 0x2028: case 0x2029:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return text;
}

// Markdown would read emphasis, code, links, tags, strike-through or a
// heading's closing marks into a name; a backslash keeps each character as
// typed. An ampersand only matters where it could start an entity.
QString EscapeMarkdown(const QString &text)
{
    static const QString special = QStringLiteral("\\`*_[]<>~#");
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool entity = c == QLatin1Char('&') && i + 1 < text.size()
                && (text.at(i + 1).isLetterOrNumber() || text.at(i + 1) == QLatin1Char('#'));
        if (entity || special.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// What follows the name on an item's line.
QString PriceAndDate(const CListItem &item)
{
    QString tail;
    if (!NumberText::ReadsAsZero(item.m_dPrice))
        tail += QStringLiteral("  ") + NumberText::FormatFixed2(item.m_dPrice);
    const QString date = item.m_bDated ? item.GetDateText(true) : QString();
    if (!date.isEmpty())
        tail += QStringLiteral("  ") + date;
    return tail;
}

QString Box(const CListItem &item) { return item.m_bDone ? QStringLiteral("[x] ") : QStringLiteral("[ ] "); }

QString PlainLine(const CListItem &item) { return Box(item) + OneLine(item.m_strName) + PriceAndDate(item); }

QString MarkdownLine(const CListItem &item)
{
    // Spaces at the ends vanish in markdown anyway; two at the end would
    // be read as a line break.
    return QStringLiteral("- ") + Box(item) + EscapeMarkdown(OneLine(item.m_strName).trimmed())
            + PriceAndDate(item);
}

QString TotalLine(const CListItemArray &list)
{
    const double total = list.Total();
    if (NumberText::ReadsAsZero(total))
        return QString();
    //: Before the list's sum where a list is copied as text or printed; keep the space at the end.
    return Tr::tr("Total: ") + NumberText::FormatFixed2(total);
}

QMimeData *MimeData(const QString &plain, const QString &markdown)
{
    auto *data = new QMimeData;
    data->setText(plain);
    data->setData(kMarkdownType, markdown.toUtf8());
    return data;
}

} // namespace

namespace ListText {

QMimeData *ToMimeData(const CListItemArray &list)
{
    QStringList plain{OneLine(list.m_strName)};
    QStringList items;
    for (const CListItem &item : list.m_items) {
        plain << PlainLine(item);
        items << MarkdownLine(item);
    }
    // Blank lines keep the heading, the task list and the total apart: a
    // line right after the list would be read as part of its last item.
    QStringList markdown{QStringLiteral("# ") + EscapeMarkdown(OneLine(list.m_strName).trimmed())};
    if (!items.isEmpty())
        markdown << QString() << items.join(QLatin1Char('\n'));
    const QString total = TotalLine(list);
    if (!total.isEmpty()) {
        plain << total;
        markdown << QString() << total;
    }
    return MimeData(plain.join(QLatin1Char('\n')), markdown.join(QLatin1Char('\n')));
}

QMimeData *ToMimeData(const CListItem &item) { return MimeData(PlainLine(item), MarkdownLine(item)); }

} // namespace ListText
