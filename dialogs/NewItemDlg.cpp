#include "dialogs/NewItemDlg.h"

#include "controls/DateField.h"
#include "dialogs/DescriptionEdit.h"
#include "dialogs/DialogTemplates.h"
#include "dialogs/IconChooser.h"
#include "dialogs/PriceText.h"
#include "dialogs/TemplateFit.h"
#include "model/ShownText.h"
#include "prompt/Prompter.h"
#include "res/Art.h"
#include "res/ClientArea.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace T = DialogTemplates::NewItem;
using DialogUnits::Place;

namespace {

// A description in the data file may break its lines with CR LF; the field
// works with LF, and ReadControls gives such a description its CR LF back.
QString ForField(const QString &desc)
{
    QString shown = desc;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QLabel *MakeLabel(const QString &text, const DialogUnits::DluRect &r, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    Place(label, r);
    return label;
}

} // namespace

CNewItemDlg::CNewItemDlg(QWidget *parent, Prompter *prompter)
    : CQmDialog(parent, prompter)
{
    setWindowTitle(Tr::tr("New Item"));

    // The frame first, so that the fields drawn inside it lie above it.
    auto *frame = new QGroupBox(this);
    Place(frame, T::kDateFrame);

    // In the order the Tab key visits them, which is the order they are
    // read in: the left column, the icons beside it, then the date frame.
    m_editName = new QLineEdit(this);
    Place(m_editName, T::kName);
    m_editDesc = new CDescriptionEdit(this);
    Place(m_editDesc, T::kDesc);
    m_editPrice = new QLineEdit(this);
    Place(m_editPrice, T::kPrice);

    m_listIcons = new CIconChooser(this);
    Place(m_listIcons, T::kIcons);

    // It sits on the frame's top edge and hides the line behind its text;
    // it comes before the fields it switches on.
    m_checkDated = new QCheckBox(Tr::tr("Dated"), this);
    m_checkDated->setAutoFillBackground(true);
    Place(m_checkDated, T::kDated);

    m_dateCtrl = new CDateField(this);
    m_dateCtrl->setDisplayFormat(ShownText::DateFormat(locale()));
    m_dateCtrl->setCalendarPopup(true);
    m_dateCtrl->setDateRange(FirstDate(), LastDate());
    Place(m_dateCtrl, T::kDate);

    m_timeCtrl = new QTimeEdit(this);
    m_timeCtrl->setDisplayFormat(ShownText::TimeFormat(locale()));
    Place(m_timeCtrl, T::kTime);

    MakeOKCancel(T::kOK, T::kCancel);

    QLabel *nameLabel = MakeLabel(Str::FieldName(), T::kNameLabel, this);
    QLabel *descLabel = MakeLabel(Tr::tr("Desc:"), T::kDescLabel, this);
    QLabel *priceLabel = MakeLabel(Tr::tr("Price:"), T::kPriceLabel, this);
    QLabel *dateLabel = MakeLabel(Tr::tr("Date:"), T::kDateLabel, this);
    QLabel *timeLabel = MakeLabel(Tr::tr("Time:"), T::kTimeLabel, this);

    // Labels and fields grow where the user's font is wider than the layout allows.
    const int insideFrame = frame->x() + frame->width() - TemplateFit::kMargin;
    TemplateFit::FitLabels({{nameLabel, m_editName},
                            {descLabel, m_editDesc, m_editName->height()},
                            {priceLabel, m_editPrice}});
    TemplateFit::GrowToHint(m_checkDated, insideFrame);
    TemplateFit::GrowToHint(m_dateCtrl, insideFrame);
    TemplateFit::GrowToHint(m_timeCtrl, insideFrame);
    TemplateFit::FitLabels({{dateLabel, m_dateCtrl}, {timeLabel, m_timeCtrl}});

    // In a larger form the name, description and price take the width, the
    // description and the icons the height; the date frame and the buttons
    // stay below them.
    using G = TemplateGrowth;
    TemplateGrowth growth;
    growth.Add(m_editName, G::Wider);
    growth.Add(m_editDesc, G::Wider | G::Taller);
    growth.Add(m_editPrice, G::Wider | G::Down);
    growth.Add(priceLabel, G::Down);
    growth.Add(m_listIcons, G::Right | G::Taller);
    growth.Add(frame, G::Wider | G::Down);
    for (QWidget *inFrame : std::initializer_list<QWidget *>{m_checkDated, m_dateCtrl, m_timeCtrl, dateLabel, timeLabel})
        growth.Add(inFrame, G::Down);
    growth.Add(OKButton(), G::HalfRight | G::Down);
    growth.Add(CancelButton(), G::HalfRight | G::Down);
    AllowGrowth(growth);
    // Under a larger desktop font the form opens wider by as much, so that
    // the name, the description and the price hold as much text as they do
    // at the default font.
    const int wider = qRound(ClientArea::kSize.width() * (Art::DesktopFontScale() - 1.0));
    if (wider > 0)
        resize(width() + wider, height());
}

CNewItemDlg::~CNewItemDlg() = default;

void CNewItemDlg::FillFrom(const CListItem *item)
{
    //: The title of the item form when it changes an item that exists.
    setWindowTitle(item ? Tr::tr("Change Item") : Tr::tr("New Item"));
    if (item) {
        m_strName = item->m_strName;
        m_strDesc = item->m_strDesc;
        m_dPrice = item->m_dPrice;
        m_bDated = item->m_bDated;
        m_nIcon = item->m_nIcon;
    }
    m_date = m_time = item && item->m_bDated ? item->m_time : CalendarTimeOps::TodayAtNoon();
}

void CNewItemDlg::ApplyTo(CListItem &item) const
{
    item.SetName(m_strName);
    item.SetDescription(m_strDesc);
    item.m_nIcon = m_nIcon;
    item.m_bDated = m_bDated;
    item.m_dPrice = m_dPrice;
    if (m_bDated)
        item.SetDateTime(CombinedDateTime());
}

CalendarTime CNewItemDlg::CombineDateTime(CalendarTime date, CalendarTime time)
{
    LocalFields d;
    LocalFields t;
    if (!CalendarTimeOps::ToLocal(date, d) || !CalendarTimeOps::ToLocal(time, t))
        return time;
    if (d.year == t.year && d.month == t.month && d.day == t.day)
        return time;
    CalendarTime combined = time;
    CalendarTimeOps::FromLocal(d.year, d.month, d.day, t.hour, t.minute, t.second, combined);
    return combined;
}

void CNewItemDlg::OnInitDialog()
{
    m_editName->setText(m_strName);
    m_editDesc->SetText(ForField(m_strDesc));
    m_shownDesc = m_editDesc->Text();
    m_shownPrice = PriceText::Format(m_dPrice);
    m_editPrice->setText(m_shownPrice);
    m_editPrice->setCursorPosition(0);
    m_checkDated->setChecked(m_bDated);

    LocalFields f;
    if (!CalendarTimeOps::ToLocal(m_date, f))
        CalendarTimeOps::ToLocal(CalendarTimeOps::TodayAtNoon(), f);
    const QDate date(f.year, f.month, f.day);
    // A day before the usual range is offered rather than moved.
    if (date.isValid() && date < m_dateCtrl->minimumDate())
        m_dateCtrl->setMinimumDate(date);
    m_dateCtrl->setDate(date);
    m_shownDate = m_dateCtrl->date();

    LocalFields t;
    if (!CalendarTimeOps::ToLocal(m_time, t))
        t = LocalFields{};
    m_timeCtrl->setTime(QTime(t.hour, t.minute, t.second));
    m_shownTime = m_timeCtrl->time();

    m_images = CImageList::StripOnly();
    m_listIcons->Fill(m_images);
    // m_nIcon itself stays the caller's number until OK, so Cancel or OK
    // without a chosen row hands that number back.
    const int row = CIconChooser::RowOfIcon(m_nIcon);
    if (row < 0) {
        m_listIcons->SelectRow(CIconChooser::RowOfIcon(ProposedIcon()));
    } else {
        m_listIcons->SelectRow(row);
        m_listIcons->ScrollRowIntoView(row);
    }

    m_editName->setFocus();
}

bool CNewItemDlg::ReadControls()
{
    m_strName = m_editName->text();

    QString desc = m_editDesc->Text();
    if (desc != m_shownDesc) {
        // Line breaks keep the form the description came with.
        if (m_strDesc.contains(QStringLiteral("\r\n")))
            desc.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        m_strDesc = desc;
    }

    const QString priceText = m_editPrice->text();
    if (priceText != m_shownPrice) {
        double price = 0.0;
        if (!PriceText::Parse(priceText, price, m_editPrice->locale())) {
            //: The price field takes a point as the decimal mark in every language.
            Prompts().Message(this, Tr::tr("Please enter a number for the price, for example 12.50."));
            m_editPrice->setFocus();
            m_editPrice->selectAll();
            return false;
        }
        m_dPrice = price;
    }

    m_bDated = m_checkDated->isChecked();

    const QDate date = m_dateCtrl->date();
    if (date != m_shownDate) {
        // Noon: no time zone skips or repeats it, so the day stays the day.
        CalendarTimeOps::FromLocal(date.year(), date.month(), date.day(), 12, 0, 0, m_date);
    }
    const QTime time = m_timeCtrl->time();
    if (time != m_shownTime) {
        // The field shows no seconds: a time the user set has none.
        CalendarTimeOps::FromLocal(date.year(), date.month(), date.day(), time.hour(), time.minute(), 0, m_time);
    }
    return true;
}

void CNewItemDlg::OnOK()
{
    if (ReadControls())
        EndNamedOK(m_strName, m_editName, *m_listIcons, m_nIcon, Tr::tr("New Item must have a name."));
}
