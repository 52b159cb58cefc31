#pragma once

#include "model/ListItem.h"

#include <QList>
#include <QLocale>
#include <QString>

// Lines of text that a person pastes or drops onto a list, read as items:
// one item per line that is not blank. A line may be a task of a Markdown
// checklist ("- [ ] Milk", "- [x] Eggs" done, "* Bread", "1. Butter"), a
// plain line with a trailing price ("Milk 1.29", "Milk 1,29 €" where a comma
// is the decimal separator), a row of a spreadsheet (name, description and
// price between tabs) or a row of a Markdown table, and this program's own
// "Copy as Text", plain or Markdown, which reads back as the items copied.
// What is no item (a heading, the copy's total, a dividing line, a line
// without a name) is skipped and said why.
namespace PastedText {

// A line's name and the price at its end: a number, written with a point or
// with `locale`'s decimal separator, with or without a currency sign. A line
// that is nothing but a number is a name.
struct NameAndPrice
{
    QString name;
    double price = 0.0;
};
NameAndPrice SplitPrice(QStringView line, const QLocale &locale);

enum class Why { Heading, Total, Rule, NoName, PriceNotNumber };

struct Skipped
{
    qsizetype line = 0; // counting from 1
    QString text;
    Why why = Why::NoName;
};

struct Parsed
{
    QList<CListItem> items; // in the order of their lines
    QList<Skipped> skipped;
};

// `icon` is every item's icon.
Parsed Parse(QStringView text, const QLocale &locale, qint32 icon);

// Why a line was skipped, for the person who pasted it.
QString WhyText(Why why);

} // namespace PastedText
