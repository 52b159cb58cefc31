#pragma once

#include "model/CompactText.h"
#include "platform/CalendarTime.h"

#include <QString>

class CArchiveReader;
class CArchiveWriter;

// One entry of a list. A value: copies share nothing a caller could change.
class CListItem
{
public:
    CListItem(); // icon 6, not done, not dated, empty texts, price 0, time = now

    void SetName(const QString &name) { m_strName = name; }
    void SetDescription(const QString &desc) { m_strDesc = desc; }
    // Replaces the time; m_bDated stays as it is.
    void SetDateTime(CalendarTime t) { m_time = t; }

    // Writes or reads the item record of the data file.
    void Serialize(CArchiveWriter &ar) const;
    bool Serialize(CArchiveReader &ar);

    // "3/7/2002" when dateOnly, else "3/7/2002 at 1:15 PM", in local time and
    // the same whatever the user's regional settings.
    QString GetDateText(bool dateOnly) const;

    // One record of the export file, line feed included: "%s,%s,%.2f,\n" with
    // every comma and line break of the two texts replaced by a space.
    QString GetCsvRecord() const;

    bool operator==(const CListItem &other) const = default;

    qint32 m_nIcon = 6;
    bool m_bDone = false;
    bool m_bDated = false;
    CCompactText m_strName;
    CCompactText m_strDesc;
    CalendarTime m_time = 0;
    double m_dPrice = 0.0;
};

// Millions of items are moved as lists grow: bytes moved, not items.
Q_DECLARE_TYPEINFO(CListItem, Q_RELOCATABLE_TYPE);
