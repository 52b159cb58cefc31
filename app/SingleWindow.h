#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class CSingleInstance;
class Prompter;
class QWidget;

// The start's side of "one program per data file": claims the data file for
// this program or hands over to the one that runs on it, and brings this
// program's window to the front when a later start hands over to it.
class CSingleWindow : public QObject
{
    Q_OBJECT

public:
    CSingleWindow();
    ~CSingleWindow() override;

    // True when this program is to run on the data file. Otherwise the
    // program ends: the running one came to the front (HandedOver()), or it
    // did not answer and the user has been told so.
    bool Claim(const QString &dataFilePath, Prompter &prompter);
    bool HandedOver() const { return m_handedOver; }

    // The window to bring to the front.
    void SetWindow(QWidget *window);
    void BringToFront();

private:
    std::unique_ptr<CSingleInstance> m_instance;
    QPointer<QWidget> m_window;
    bool m_handedOver = false;
};
