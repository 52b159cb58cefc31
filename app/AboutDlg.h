#pragma once

#include <QDialog>

class QLabel;

// The About box: the program icon and its version. It has no buttons of its
// own: the window's close button, Enter and Escape close it.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);

    QLabel *IconLabel() const { return m_icon; }
    QLabel *VersionLabel() const { return m_version; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_icon = nullptr;
    QLabel *m_version = nullptr;
};
