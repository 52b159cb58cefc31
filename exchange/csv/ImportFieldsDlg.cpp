#include "exchange/csv/ImportFieldsDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/IconChooser.h"
#include "dialogs/TemplateFit.h"
#include "platform/AppSettings.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using DialogUnits::DluRect;
using DialogUnits::Place;
using namespace AppSettings;

// Where each control sits, in dialog units. A column number is one spin box,
// its arrows inside its right edge.
constexpr DluRect kNameLabel{7, 3, 40, 12};
constexpr DluRect kNameField{48, 3, 38, 12};
constexpr DluRect kDescLabel{7, 19, 38, 12};
constexpr DluRect kDescField{48, 19, 38, 12};
constexpr DluRect kPriceLabel{7, 35, 37, 9};
constexpr DluRect kPriceField{48, 35, 38, 12};
constexpr DluRect kIconLabel{7, 54, 37, 13};
constexpr DluRect kIcons{49, 55, 38, 47};
constexpr DluRect kOK{22, 106, 33, 14};
constexpr DluRect kCancel{63, 106, 33, 14};

// Typing may go past the column range (three digits), so that OK can say
// what is wrong instead of the box changing the number by itself.
constexpr int kTypeableMax = 999;

} // namespace

CFieldSpinBox::CFieldSpinBox(int low, int high, QWidget *parent)
    : QSpinBox(parent), m_low(low), m_high(high)
{
    setRange(0, kTypeableMax);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

bool CFieldSpinBox::Checked(int &value) const
{
    bool ok = false;
    const int n = cleanText().toInt(&ok);
    if (!ok || n < m_low || n > m_high)
        return false;
    value = n;
    return true;
}

void CFieldSpinBox::stepBy(int steps)
{
    setValue(qBound(m_low, value() + steps, m_high));
    selectAll();
}

QAbstractSpinBox::StepEnabled CFieldSpinBox::stepEnabled() const
{
    StepEnabled e = StepNone;
    if (value() < m_high)
        e |= StepUpEnabled;
    if (value() > m_low)
        e |= StepDownEnabled;
    return e;
}

CImportFieldsDlg::CImportFieldsDlg(QWidget *parent, Prompter *prompter)
    : CQmDialog(parent, prompter)
{
    setWindowTitle(Tr::tr("Import Fields"));

    // In the order the Tab key visits them.
    auto *nameLabel = new QLabel(Tr::tr("Name Field:"), this);
    Place(nameLabel, kNameLabel);
    m_spinName = new CFieldSpinBox(kImportNameField.Low(), kImportNameField.High(), this);
    Place(m_spinName, kNameField);
    auto *descLabel = new QLabel(Tr::tr("Desc Field:"), this);
    Place(descLabel, kDescLabel);
    m_spinDesc = new CFieldSpinBox(kImportDescField.Low(), kImportDescField.High(), this);
    Place(m_spinDesc, kDescField);
    auto *priceLabel = new QLabel(Tr::tr("Price Field:"), this);
    Place(priceLabel, kPriceLabel);
    m_spinPrice = new CFieldSpinBox(kImportPriceField.Low(), kImportPriceField.High(), this);
    Place(m_spinPrice, kPriceField);
    auto *iconLabel = new QLabel(Tr::tr("Item Icon:"), this);
    Place(iconLabel, kIconLabel);
    m_listIcons = new CIconChooser(this);
    Place(m_listIcons, kIcons);

    MakeOKCancel(kOK, kCancel);

    TemplateFit::FitLabels({{nameLabel, m_spinName}, {descLabel, m_spinDesc}, {priceLabel, m_spinPrice}});
    TemplateFit::FitLabels({{iconLabel, m_listIcons, m_spinName->height()}});

}

CImportFieldsDlg::~CImportFieldsDlg() = default;

void CImportFieldsDlg::OnInitDialog()
{
    const CImportFields stored = CImportFields::Read();
    m_spinName->setValue(stored.nameField);
    m_spinDesc->setValue(stored.descField);
    m_spinPrice->setValue(stored.priceField);

    m_images = CImageList::StripOnly();
    m_listIcons->Fill(m_images);
    // The stored icon's row is selected where it is; the list stays at its
    // top. A number outside the offered icons selects nothing.
    m_listIcons->clearSelection();
    if (QTreeWidgetItem *row = m_listIcons->topLevelItem(CIconChooser::RowOfIcon(stored.icon)))
        row->setSelected(true);

    m_spinName->setFocus();
    m_spinName->selectAll();
}

bool CImportFieldsDlg::TakeField(CFieldSpinBox *spin, int &value)
{
    if (spin->Checked(value))
        return true;
    Prompts().Message(this,
                      Tr::tr("Please enter an integer between %1 and %2.").arg(spin->Low()).arg(spin->High()));
    spin->setFocus();
    spin->selectAll();
    return false;
}

void CImportFieldsDlg::OnOK()
{
    int name = 0;
    int desc = 0;
    int price = 0;
    if (!TakeField(m_spinName, name) || !TakeField(m_spinDesc, desc) || !TakeField(m_spinPrice, price))
        return; // nothing is stored until all three are right
    kImportNameField.Write(name);
    kImportDescField.Write(desc);
    kImportPriceField.Write(price);
    const int icon = m_listIcons->SelectedIcon();
    if (icon >= 0)
        kImportIcon.Write(icon);
    EndOK();
}
