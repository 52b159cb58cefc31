#include "dialogs/DuplicateListDlg.h"

#include "res/Strings.h"
#include "res/Tr.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CDuplicateListDlg::CDuplicateListDlg(const QString &listName, QWidget *parent)
    : QDialog(parent)
    , m_name(new QLineEdit(Tr::tr("%1 (copy)").arg(listName), this))
    , m_untick(new QCheckBox(Tr::tr("&Untick every item"), this))
    , m_ok(nullptr)
{
    setWindowTitle(Tr::tr("Duplicate List"));
    m_name->selectAll();
    m_untick->setChecked(true);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(Str::ButtonCancel(), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &name) { m_ok->setEnabled(!name.isEmpty()); });
    m_ok->setEnabled(!m_name->text().isEmpty());

    auto *form = new QFormLayout(this);
    form->addRow(Str::FieldName(), m_name);
    form->addRow(m_untick);
    form->addRow(buttons);
    // Wide enough for a long name to be read whole.
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 32);
}

QString CDuplicateListDlg::Name() const
{
    return m_name->text();
}

bool CDuplicateListDlg::UntickEveryItem() const
{
    return m_untick->isChecked();
}
