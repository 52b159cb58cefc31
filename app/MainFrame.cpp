#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/ExitSaver.h"
#include "app/HelpPage.h"
#include "platform/Prompter.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "view/QuillmarkView.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QSessionManager>

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
    , m_view(new CQuillmarkView(this))
    , m_prompter(&Prompter::Standard())
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setWindowTitle(Str::AppTitle());
    CreateHelpMenu();

    // The view was laid out for the handheld's client area; the window keeps
    // exactly that size below its menu bar.
    m_view->setFixedSize(CQuillmarkView::kWidth, CQuillmarkView::kHeight);
    setCentralWidget(m_view);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_view, &CQuillmarkView::exitRequested, this, &CMainFrame::OnExitRequested);
    m_view->SetExitSave([this] { return SaveBeforeEnd(); });
    connect(m_view, &CQuillmarkView::aboutRequested, this, &CMainFrame::OnAppAbout);
    // QCoreApplication::quit() (the session manager's, for one) closes the
    // window first, so the close event below covers it.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitData);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateHelpMenu()
{
    QMenu *help = menuBar()->addMenu(Str::MenuHelp());
    QAction *about = help->addAction(Str::MenuAbout());
    about->setData(Res::ID_APP_ABOUT);
    connect(about, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    QAction *contents = help->addAction(Str::MenuContents());
    contents->setData(Res::ID_HELP_CONTENTS);
    connect(contents, &QAction::triggered, this, &CMainFrame::OnHelpContents);
}

void CMainFrame::SetPrompter(Prompter *prompter)
{
    m_prompter = prompter ? prompter : &Prompter::Standard();
    m_view->SetPrompter(m_prompter);
}

void CMainFrame::SetUrlOpener(UrlOpener opener)
{
    m_openUrl = std::move(opener);
}

void CMainFrame::OnInitialUpdate()
{
    m_view->OnInitialUpdate();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dlg(this);
    m_prompter->Run(dlg);
}

void CMainFrame::OnHelpContents()
{
    // Neither waits for the viewer nor reports a failure: what the viewer
    // shows, a missing page included, is its own matter.
    if (m_openUrl)
        m_openUrl(HelpPage::ContentsUrl(HelpPage::HelpPagePath()));
}

CExitSaver CMainFrame::ExitSaver() const
{
    return CExitSaver(
            m_view->DataFilePath(), [view = m_view](QString &error) { return view->TrySaveDataFile(error); },
            [view = m_view] { return view->Lists(); });
}

bool CMainFrame::SaveBeforeEnd()
{
    if (m_bSavedForEnd)
        return true;
    if (ExitSaver().SaveAsking(this, *m_prompter) == CExitSaver::Outcome::StayOpen)
        return false;
    m_bSavedForEnd = true;
    return true;
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // The close button ends the program as "Exit" does; the window stays
    // open only when the user chose so after a failed save.
    if (SaveBeforeEnd())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::OnExitRequested()
{
    // The view has saved already.
    m_bSavedForEnd = true;
    QCoreApplication::exit(0);
}

void CMainFrame::EndWithoutAsking()
{
    if (m_bSavedForEnd)
        return; // on its way out already
    const bool saved = ExitSaver().SaveWithoutAsking() == CExitSaver::Outcome::Saved;
    m_bSavedForEnd = true;
    QCoreApplication::exit(saved ? EXIT_SUCCESS : EXIT_FAILURE);
}

void CMainFrame::OnCommitData(QSessionManager &manager)
{
    // The desktop session is ending. Save now; a session that is cancelled
    // later finds the program running on, so a save to the data file is not
    // marked as the last one. Lists that had to go elsewhere end the program
    // at once.
    if (m_bSavedForEnd)
        return;
    const bool mayAsk = manager.allowsInteraction();
    const CExitSaver::Outcome outcome =
            mayAsk ? ExitSaver().SaveAsking(this, *m_prompter) : ExitSaver().SaveWithoutAsking();
    if (outcome == CExitSaver::Outcome::StayOpen)
        manager.cancel();
    if (mayAsk)
        manager.release();
    if (outcome != CExitSaver::Outcome::Saved && outcome != CExitSaver::Outcome::StayOpen) {
        m_bSavedForEnd = true;
        QCoreApplication::exit(mayAsk ? EXIT_SUCCESS : EXIT_FAILURE);
    }
}
