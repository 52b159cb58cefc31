#include "exchange/csv/PastedText.h"

#include "platform/CalendarTime.h"
#include "platform/NumberText.h"
#include "res/Tr.h"

#include <cmath>
#include <utility>

namespace PastedText {

namespace {

bool IsDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }
bool IsCurrency(QChar c) { return c.category() == QChar::Symbol_Currency; }

// The number a token writes, with a point or the locale's decimal separator
// (not both: "1.234,50" is refused rather than read as another price),
// currency signs at either end left out.
bool ReadPrice(QStringView token, const QLocale &locale, double &price)
{
    while (!token.isEmpty() && IsCurrency(token.front()))
        token = token.sliced(1);
    while (!token.isEmpty() && IsCurrency(token.back()))
        token.chop(1);
    const QString point = locale.decimalPoint();
    const bool commaDecimal = point.size() == 1 && point.at(0) != u'.' && !token.contains(u'.');
    QByteArray plain;
    int digits = 0;
    bool separator = false;
    for (const QChar c : token) {
        if (IsDigit(c)) {
            ++digits;
            plain.append(char(c.unicode()));
        } else if (!separator && (c == u'.' || (commaDecimal && c == point.at(0)))) {
            separator = true;
            plain.append('.');
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    const double value = NumberText::ParseCDouble(plain);
    if (!std::isfinite(value))
        return false;
    price = value;
    return true;
}

// The start of the last run of non-blanks before `end`.
qsizetype TokenStart(QStringView text, qsizetype end)
{
    qsizetype start = end;
    while (start > 0 && !text.at(start - 1).isSpace())
        --start;
    return start;
}

qsizetype TrimmedEnd(QStringView text, qsizetype end)
{
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return end;
}

// "3/7/2002", as the copy writes a dated item's day: that day at noon.
bool ReadDate(QStringView token, CalendarTime &time)
{
    const QList<QStringView> parts = token.split(u'/');
    if (parts.size() != 3 || parts.at(2).size() != 4)
        return false;
    int fields[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        fields[i] = parts.at(i).toInt(&ok);
        if (!ok || parts.at(i).isEmpty() || !IsDigit(parts.at(i).front()))
            return false;
    }
    return CalendarTimeOps::FromLocal(fields[2], fields[0], fields[1], 12, 0, 0, time);
}

// Markdown's backslash before a punctuation mark keeps the mark as typed.
QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 1 < text.size() && text.at(i + 1).isPunct())
            ++i;
        out += text.at(i);
    }
    return out;
}

// A bullet ("- ", "* ", "+ ") or a number ("1. ", "2) ") at the start.
qsizetype BulletLength(QStringView line)
{
    if (line.size() >= 2 && (line.at(0) == u'-' || line.at(0) == u'*' || line.at(0) == u'+')
        && line.at(1).isSpace())
        return 2;
    qsizetype i = 0;
    while (i < line.size() && i < 9 && IsDigit(line.at(i)))
        ++i;
    if (i > 0 && i + 1 < line.size() && (line.at(i) == u'.' || line.at(i) == u')') && line.at(i + 1).isSpace())
        return i + 2;
    return 0;
}

enum class Box { None, Open, Ticked };

// "[ ] ", "[x] " and the box characters notes programs write.
Box TakeBox(QStringView &line)
{
    if (line.size() >= 3 && line.at(0) == u'[' && line.at(2) == u']'
        && (line.size() == 3 || line.at(3).isSpace())) {
        const QChar mark = line.at(1);
        if (mark == u' ' || mark == u'x' || mark == u'X') {
            line = line.sliced(3).trimmed();
            return mark == u' ' ? Box::Open : Box::Ticked;
        }
    }
    if (!line.isEmpty()) {
        switch (line.at(0).unicode()) {
        case 0x2610: // ballot box
            line = line.sliced(1).trimmed();
            return Box::Open;
        case 0x2611: case 0x2612: case 0x2713: case 0x2714: // ticked boxes and check marks
            line = line.sliced(1).trimmed();
            return Box::Ticked;
        default:
            break;
        }
    }
    return Box::None;
}

bool IsTotal(QStringView line)
{
    for (const QString &label : {QStringLiteral("Total: "), Tr::tr("Total: ")}) {
        double price = 0.0;
        if (line.startsWith(label) && ReadPrice(line.sliced(label.size()).trimmed(), QLocale::c(), price))
            return true;
    }
    return false;
}

// "---", "***", "___": a line that only divides.
bool IsRule(QStringView line)
{
    if (line.size() < 3 || (line.front() != u'-' && line.front() != u'*' && line.front() != u'_'))
        return false;
    for (const QChar c : line) {
        if (c != line.front() && !c.isSpace())
            return false;
    }
    return true;
}

bool IsTableRule(QStringView line)
{
    for (const QChar c : line) {
        if (c != u'|' && c != u'-' && c != u':' && !c.isSpace())
            return false;
    }
    return true;
}

class Reader
{
public:
    Reader(const QLocale &locale, qint32 icon) : m_locale(locale), m_icon(icon) {}

    void Line(QStringView raw, qsizetype number);
    Parsed Take() { return std::move(m_out); }

private:
    void Skip(qsizetype number, QStringView text, Why why) { m_out.skipped.append({number, text.toString(), why}); }
    void Add(qsizetype number, QStringView raw, CListItem item);
    void Fields(const QList<QStringView> &fields, QStringView raw, qsizetype number);

    const QLocale &m_locale;
    const qint32 m_icon;
    Parsed m_out;
    // The first line that is not blank, while it may still be a title: a
    // line with no box of its own, followed by a checklist.
    qsizetype m_firstLine = 0;
    bool m_firstMayBeTitle = false;
    bool m_lastWasTableRow = false;
    // The line of the last item.
    qsizetype m_lastNumber = 0;
    QStringView m_lastRaw;
};

void Reader::Add(qsizetype number, QStringView raw, CListItem item)
{
    m_lastRaw = raw;
    item.m_nIcon = m_icon;
    m_out.items.append(std::move(item));
    m_lastNumber = number;
}

// Name, description and price: a spreadsheet's row.
void Reader::Fields(const QList<QStringView> &fields, QStringView raw, qsizetype number)
{
    CListItem item;
    item.m_strName = fields.value(0).trimmed().toString();
    // Two columns are a name and its price where the second is a number.
    double twoColumnPrice = 0.0;
    const bool twoColumns = fields.size() == 2 && ReadPrice(fields.at(1).trimmed(), m_locale, twoColumnPrice);
    item.m_strDesc = twoColumns ? QString() : fields.value(1).trimmed().toString();
    const QStringView price = fields.value(twoColumns ? 1 : 2).trimmed();
    if (item.m_strName.isEmpty())
        return Skip(number, raw, Why::NoName);
    if (!price.isEmpty() && !ReadPrice(price, m_locale, item.m_dPrice))
        return Skip(number, raw, Why::PriceNotNumber);
    Add(number, raw, std::move(item));
}

void Reader::Line(QStringView raw, qsizetype number)
{
    QStringView line = raw.trimmed();
    if (line.isEmpty())
        return;
    const bool first = m_firstLine == 0;
    if (first)
        m_firstLine = number;
    const bool tableRow = line.startsWith(u'|');
    const bool afterTableRow = std::exchange(m_lastWasTableRow, tableRow);

    if (line.contains(u'\t'))
        return Fields(raw.split(u'\t'), raw, number);
    if (tableRow) {
        if (IsTableRule(line)) {
            // The row above the rule was the table's heading.
            if (afterTableRow && m_lastNumber == number - 1 && !m_out.items.isEmpty()) {
                m_out.items.removeLast();
                Skip(number - 1, m_lastRaw, Why::Heading);
            }
            return Skip(number, raw, Why::Rule);
        }
        QStringView cells = line.sliced(1);
        if (cells.endsWith(u'|'))
            cells.chop(1);
        return Fields(cells.split(u'|'), raw, number);
    }
    if (line.startsWith(u'#') && (line.size() == 1 || line.at(1) == u'#' || line.at(1).isSpace()))
        return Skip(number, raw, Why::Heading);
    if (IsRule(line))
        return Skip(number, raw, Why::Rule);
    if (IsTotal(line))
        return Skip(number, raw, Why::Total);

    const qsizetype bullet = BulletLength(line);
    line = line.sliced(bullet).trimmed();
    const Box box = TakeBox(line);
    if (first) {
        m_firstMayBeTitle = bullet == 0 && box == Box::None;
    } else if (m_firstMayBeTitle) {
        m_firstMayBeTitle = false;
        // The copy of a list starts with its name.
        if (box != Box::None && !m_out.items.isEmpty() && m_lastNumber == m_firstLine) {
            m_out.items.removeLast();
            m_out.skipped.prepend({m_firstLine, m_lastRaw.toString(), Why::Heading});
        }
    }

    CListItem item;
    item.m_bDone = box == Box::Ticked;
    // The copy's date comes after the price.
    qsizetype end = line.size();
    const qsizetype dateStart = TokenStart(line, end);
    if (dateStart > 0 && ReadDate(line.sliced(dateStart), item.m_time)) {
        item.m_bDated = true;
        line = line.first(TrimmedEnd(line, dateStart));
    }
    NameAndPrice split = SplitPrice(line, m_locale);
    if (bullet > 0)
        split.name = Unescape(split.name);
    if (split.name.isEmpty())
        return Skip(number, raw, Why::NoName);
    item.m_strName = split.name;
    item.m_dPrice = split.price;
    Add(number, raw, std::move(item));
}

} // namespace

NameAndPrice SplitPrice(QStringView line, const QLocale &locale)
{
    line = line.trimmed();
    qsizetype end = line.size();
    qsizetype start = TokenStart(line, end);
    // A currency sign of its own after the number: "1,29 €".
    if (start < end && start > 0) {
        bool signs = true;
        for (const QChar c : line.sliced(start, end - start))
            signs = signs && IsCurrency(c);
        if (signs) {
            end = TrimmedEnd(line, start);
            start = TokenStart(line, end);
        }
    }
    double price = 0.0;
    if (start > 0 && ReadPrice(line.sliced(start, end - start), locale, price)) {
        QStringView name = line.first(TrimmedEnd(line, start));
        // "Milk: 1.29", "Milk - 1.29", "Milk @ 1.29".
        while (!name.isEmpty() && (name.back() == u':' || name.back() == u'-' || name.back() == u'@'
                                   || name.back() == u'=' || name.back() == QChar(0x2013)))
            name = name.first(TrimmedEnd(name, name.size() - 1));
        if (!name.isEmpty())
            return {name.toString(), price};
    }
    return {line.toString(), 0.0};
}

Parsed Parse(QStringView text, const QLocale &locale, qint32 icon)
{
    Reader reader(locale, icon);
    qsizetype number = 0;
    for (const QStringView line : text.tokenize(u'\n')) {
        ++number;
        reader.Line(line.endsWith(u'\r') ? line.chopped(1) : line, number);
    }
    return reader.Take();
}

QString WhyText(Why why)
{
    switch (why) {
    case Why::Heading:
        //: Why a pasted line was not taken as an item.
        return Tr::tr("a heading");
    case Why::Total:
        return Tr::tr("the list's total");
    case Why::Rule:
        return Tr::tr("a dividing line");
    case Why::NoName:
        return Tr::tr("no name");
    case Why::PriceNotNumber:
        return Tr::tr("the price is not a number");
    }
    return QString();
}

} // namespace PastedText
