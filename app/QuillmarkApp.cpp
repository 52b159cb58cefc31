#include "app/QuillmarkApp.h"

#include "app/MainFrame.h"
#include "platform/Prompter.h"
#include "res/Art.h"
#include "res/Strings.h"

CQuillmarkApp::CQuillmarkApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

CQuillmarkApp::~CQuillmarkApp() = default;

bool CQuillmarkApp::InitInstance()
{
    return InitInstance(Prompter::Standard());
}

bool CQuillmarkApp::InitInstance(Prompter &prompter)
{
    // First of all: the names choose the settings file and the data folder.
    setOrganizationName(QStringLiteral("Fernwise"));
    setApplicationName(Str::AppTitle());
    setWindowIcon(Art::ProgramIcon());
    // Ties the window to the installed desktop entry (its icon and name in
    // task bars and window switchers).
    setDesktopFileName(QStringLiteral("org.fernwise.Quillmark"));

    auto frame = std::make_unique<CMainFrame>();
    frame->SetPrompter(&prompter);
    frame->OnInitialUpdate();
    m_pMainWnd = std::move(frame);

    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}
