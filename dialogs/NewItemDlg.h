#pragma once

#include "dialogs/QmDialog.h"
#include "model/ListItem.h"
#include "platform/CalendarTime.h"
#include "res/Art.h"
#include "res/ResourceIds.h"

#include <QDate>
#include <QString>
#include <QTime>

class CDescriptionEdit;
class CIconChooser;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;

// The form in which one item is entered or changed. It only holds values:
// the caller fills the members, runs the dialog and, after OK, builds or
// changes its item from them.
class CNewItemDlg : public CQmDialog
{
    Q_OBJECT

public:
    explicit CNewItemDlg(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CNewItemDlg() override;

    QString m_strName;
    QString m_strDesc;
    double m_dPrice = 0.0;
    bool m_bDated = false;
    CalendarTime m_date = 0;  // only its local year, month and day count
    CalendarTime m_time = 0;  // only its local hour, minute and second count
    // Icon number in and out: icon strip image n is number n + 5.
    qint32 m_nIcon = 0;

    // Fills the members from an item: both pickers get the item's time when
    // it is dated, else today at 12:00:00. A null item gives a new item's form.
    void FillFrom(const CListItem *item);
    // After OK: the dialog's name, description, icon, dated flag and price go
    // into the item; a dated item gets the combined date and time. The done
    // mark, and the time of an undated item, stay as they were.
    void ApplyTo(CListItem &item) const;

    // The item's time after OK: m_date's day with m_time's time of day.
    CalendarTime CombinedDateTime() const { return CombineDateTime(m_date, m_time); }
    // Year, month and day of date with hour, minute and second of time, as
    // one local time (daylight saving left to the system). When time already
    // lies on that day it is that very instant, so an untouched pair hands
    // back the item's own time even in the hour that repeats in autumn.
    static CalendarTime CombineDateTime(CalendarTime date, CalendarTime time);

    // The icon the form proposes for a new item: the strip's first.
    static qint32 ProposedIcon() { return Res::kFirstStripImage; }

    // The earliest and latest day the date field offers.
    static QDate FirstDate() { return QDate(1900, 1, 1); }
    static QDate LastDate() { return QDate(9999, 12, 31); }

    CIconChooser *IconChooser() const { return m_listIcons; }
    QLineEdit *NameField() const { return m_editName; }
    CDescriptionEdit *DescriptionField() const { return m_editDesc; }
    QLineEdit *PriceField() const { return m_editPrice; }
    QCheckBox *DatedBox() const { return m_checkDated; }
    QDateEdit *DateField() const { return m_dateCtrl; }
    QTimeEdit *TimeField() const { return m_timeCtrl; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    // The members from the controls; false (after telling the user) when the
    // price is not a number. What the user left as it was shown stays exactly
    // as the caller gave it.
    bool ReadControls();

    CIconChooser *m_listIcons = nullptr;
    CImageList m_images;

    QLineEdit *m_editName = nullptr;
    CDescriptionEdit *m_editDesc = nullptr;
    QLineEdit *m_editPrice = nullptr;
    QCheckBox *m_checkDated = nullptr;
    QDateEdit *m_dateCtrl = nullptr;
    QTimeEdit *m_timeCtrl = nullptr;

    // What set-up put in, to tell what the user changed.
    QString m_shownDesc;
    QString m_shownPrice;
    QDate m_shownDate;
    QTime m_shownTime;
};
