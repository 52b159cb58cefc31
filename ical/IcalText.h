#pragma once

#include <QString>

// Text as an iCalendar TEXT value can carry it: line breaks of any kind
// become line feeds, and control characters other than tab and line feed,
// which the format does not allow, are left out. What the hand-over writes
// and what the sync sends and compares go through the same cleaning.
namespace IcalText {

QString Clean(const QString &text);

} // namespace IcalText
