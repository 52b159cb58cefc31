#pragma once

#include "app/SingleWindow.h"

#include <QApplication>

#include <memory>
#include <vector>

class CMainFrame;
class EndSignals;
class Prompter;
class QTranslator;

// The application object: names the settings store, builds and shows the
// main window. The lists belong to the main window's document.
class CQuillmarkApp : public QApplication
{
    Q_OBJECT

public:
    CQuillmarkApp(int &argc, char **argv);
    ~CQuillmarkApp() override;

    // The start-up steps; false when this start is to end at once, because
    // a program already runs on the data file (see HandedOver). Qt ends the
    // program itself when it finds no display. The prompter answers whatever
    // the start and the window ask later (tests pass a scripted one).
    bool InitInstance(Prompter &prompter);
    bool InitInstance();

    CMainFrame *MainFrame() const { return m_pMainWnd.get(); }
    // InitInstance returned false because a program already runs on the
    // data file and came to the front: this start ends without a failure.
    bool HandedOver() const { return m_singleWindow.HandedOver(); }

protected:
    bool event(QEvent *event) override;

private:
    // Hints readable on the desktop's colours (see ReadableHints.h).
    void MendHints();
    // The program's texts, and Qt's, in the user's language where there is
    // a translation for it.
    void LoadTranslations();

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    CSingleWindow m_singleWindow;
    // The main window, which Qt needs destroyed before the application.
    std::unique_ptr<CMainFrame> m_pMainWnd;
    // SIGTERM, SIGHUP and SIGINT end the program as the close button does.
    std::unique_ptr<EndSignals> m_endSignals;
};
