#pragma once

#include "dialogs/QmDialog.h"
#include "exchange/csv/ImportFields.h"
#include "res/Art.h"

#include <QSpinBox>

class CIconChooser;

// A column number: typed freely (digits only), its arrows stopping at the
// column range. The range is checked when the dialog's OK is pressed, so
// a number out of range is refused with a message rather than silently
// changed to the nearest allowed one.
class CFieldSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    CFieldSpinBox(int low, int high, QWidget *parent = nullptr);

    int Low() const { return m_low; }
    int High() const { return m_high; }
    // The typed number, when the text is one in the column range.
    bool Checked(int &value) const;

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_low;
    int m_high;
};

// "Import Fields": which column of an imported line holds the item's name,
// description and price, and which icon imported items get. Reads the four
// settings when it opens and writes them only on OK.
class CImportFieldsDlg : public CQmDialog
{
    Q_OBJECT

public:
    explicit CImportFieldsDlg(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CImportFieldsDlg() override;

    CFieldSpinBox *NameSpin() const { return m_spinName; }
    CFieldSpinBox *DescSpin() const { return m_spinDesc; }
    CFieldSpinBox *PriceSpin() const { return m_spinPrice; }
    CIconChooser *IconChooser() const { return m_listIcons; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    bool TakeField(CFieldSpinBox *spin, int &value);

    CIconChooser *m_listIcons = nullptr;
    CFieldSpinBox *m_spinName = nullptr;
    CFieldSpinBox *m_spinDesc = nullptr;
    CFieldSpinBox *m_spinPrice = nullptr;
    CImageList m_images;
};
