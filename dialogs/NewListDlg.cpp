#include "dialogs/NewListDlg.h"

#include "dialogs/DialogTemplates.h"
#include "dialogs/IconChooser.h"
#include "dialogs/TemplateFit.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QLabel>
#include <QLineEdit>

namespace T = DialogTemplates::NewList;
using DialogUnits::Place;

CNewListDlg::CNewListDlg(QWidget *parent, Prompter *prompter)
    : CQmDialog(parent, prompter)
{
    setWindowTitle(Tr::tr("New List"));

    // In the order the Tab key visits them.
    m_editName = new QLineEdit(this);
    Place(m_editName, T::kName);

    MakeOKCancel(T::kOK, T::kCancel);

    auto *label = new QLabel(Str::FieldName(), this);
    Place(label, T::kNameLabel);
    TemplateFit::FitLabels({{label, m_editName}});

    m_listIcons = new CIconChooser(this);
    Place(m_listIcons, T::kIcons);

}

CNewListDlg::~CNewListDlg() = default;

void CNewListDlg::OnInitDialog()
{
    m_editName->setText(m_strName);

    m_images = CImageList::StripOnly();
    m_listIcons->Fill(m_images);
    // m_nIcon stays the caller's number until OK (see OnOK).
    const int iconRow = CIconChooser::RowOfIcon(m_nIcon);
    const int row = iconRow < 0 ? kNewListRow : iconRow;
    m_listIcons->SelectRow(row);
    m_listIcons->ScrollRowIntoView(row);

    m_editName->setFocus();
}

void CNewListDlg::OnOK()
{
    m_strName = m_editName->text();
    EndNamedOK(m_strName, m_editName, *m_listIcons, m_nIcon, Tr::tr("New List must have a name."));
}
