#pragma once

#include <QApplication>

#include <memory>

class CMainFrame;
class Prompter;

// The application object: names the settings store, builds and shows the
// main window. The lists belong to the main window's document.
class CQuillmarkApp : public QApplication
{
    Q_OBJECT

public:
    CQuillmarkApp(int &argc, char **argv);
    ~CQuillmarkApp() override;

    // The start-up steps; main() ends the program with a failure code when
    // they return false (none of them can fail here: Qt ends the program
    // itself when it finds no display). The prompter answers whatever the
    // start and the window ask later (tests pass a scripted one).
    bool InitInstance(Prompter &prompter);
    bool InitInstance();

    CMainFrame *MainFrame() const { return m_pMainWnd.get(); }

private:
    // The main window, which Qt needs destroyed before the application.
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
