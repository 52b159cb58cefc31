#pragma once

#include "dialogs/QmDialog.h"
#include "res/Art.h"
#include "res/ResourceIds.h"

#include <QString>

class CIconChooser;
class QLineEdit;

// The form in which a list gets its name and icon, for a new list and for
// an existing one. The caller fills the members, runs it and reads them
// after OK.
class CNewListDlg : public CQmDialog
{
    Q_OBJECT

public:
    // The row a new list starts with: a list made without touching the
    // chooser gets icon number 10.
    static constexpr int kNewListRow = 5;
    static constexpr qint32 kNewListIcon = Res::kFirstStripImage + kNewListRow;

    explicit CNewListDlg(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CNewListDlg() override;

    QString m_strName;
    // Icon number in and out (icon strip image n is number n + 5); -1 when
    // the caller has none and no row is chosen.
    qint32 m_nIcon = -1;

    CIconChooser *IconChooser() const { return m_listIcons; }
    QLineEdit *NameField() const { return m_editName; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    CIconChooser *m_listIcons = nullptr;
    CImageList m_images;

    QLineEdit *m_editName = nullptr;
};
