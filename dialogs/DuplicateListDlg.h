#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Asks for the name of a list's copy, proposing "<name> (copy)", and whether
// the copy starts with every item unticked (on at first: a list is mostly
// copied to be used again). OK waits for a name.
class CDuplicateListDlg : public QDialog
{
    Q_OBJECT

public:
    CDuplicateListDlg(const QString &listName, QWidget *parent);

    QString Name() const;
    bool UntickEveryItem() const;

    QLineEdit *NameField() const { return m_name; }
    QCheckBox *UntickBox() const { return m_untick; }
    QPushButton *OKButton() const { return m_ok; }

private:
    QLineEdit *m_name;
    QCheckBox *m_untick;
    QPushButton *m_ok;
};
