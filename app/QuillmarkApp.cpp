#include "app/QuillmarkApp.h"

#include "app/MainFrame.h"
#include "app/RescueCopy.h"
#include "model/QuillmarkDoc.h"
#include "platform/AppPaths.h"
#include "platform/EndSignals.h"
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

    // One program per data file: a second start brings the first forward.
    if (!m_singleWindow.Claim(AppPaths::DataFilePath(), prompter))
        return false;

    auto frame = std::make_unique<CMainFrame>();
    frame->SetPrompter(&prompter);
    frame->OnInitialUpdate();
    m_pMainWnd = std::move(frame);
    m_singleWindow.SetWindow(m_pMainWnd.get());

    m_pMainWnd->show();
    m_pMainWnd->repaint();

    if (!m_endSignals)
        m_endSignals = std::make_unique<EndSignals>();
    connect(m_endSignals.get(), &EndSignals::received, m_pMainWnd.get(), &CMainFrame::EndWithoutAsking);
    // Told once the event loop runs, over the window.
    CMainFrame *shown = m_pMainWnd.get();
    QMetaObject::invokeMethod(
            shown,
            [shown, &prompter] { RescueCopy::TellOnceIfWritten(shown, prompter, shown->Document()->Path()); },
            Qt::QueuedConnection);
    return true;
}
