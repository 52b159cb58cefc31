#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/ConflictCopyOffer.h"
#include "app/ExchangeCommands.h"
#include "app/ExitSaver.h"
#include "app/HelpWindow.h"
#include "app/SyncControl.h"
#include "document/QuillmarkDoc.h"
#include "model/ConflictCopies.h"
#include "platform/DataFileWatcher.h"
#include "platform/AppSettings.h"
#include "prompt/Prompter.h"
#include "res/Strings.h"
#include "res/Tr.h"
#include "view/QuillmarkView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QWindow>

#include <utility>

namespace {
// How long a message waits for the window to come on the screen.
constexpr int kLongestWaitForScreen = 2000; // ms
} // namespace

CMainFrame::CMainFrame(QWidget *parent, Prompter *prompter)
    : QMainWindow(parent)
    , m_doc(new CQuillmarkDoc(this))
    , m_view(new CQuillmarkView(*m_doc, this, prompter))
    , m_prompter(&m_view->Prompts())
    , m_openUrl([opener = new CDesktopOpener(this)](const QUrl &url, std::function<void()> cannotOpen) {
        opener->Open(url, std::move(cannotOpen));
    })
{
    setWindowTitle(Str::AppTitle());
    m_sync = new CSyncControl(*m_doc, *this, *m_prompter);
    CreateMenus();

    // At its smallest the view is the default size of the window; the user may make
    // the window larger, and it opens as large as it was left.
    setCentralWidget(m_view);
    m_exchange = new CExchangeCommands(*m_doc, *m_view);

    connect(m_view, &CQuillmarkView::exitRequested, this, &CMainFrame::OnExitRequested);
    connect(m_view, &CQuillmarkView::aboutRequested, this, &CMainFrame::OnAppAbout);
    connect(m_view, &CQuillmarkView::contentsRequested, this, &CMainFrame::OnHelpContents);
    connect(m_view, &CQuillmarkView::syncNowRequested, m_sync, &CSyncControl::SyncNow);
    connect(m_view, &CQuillmarkView::syncAccountRequested, m_sync, &CSyncControl::EditAccount);
    connect(m_view, &CQuillmarkView::shownListChanged, this, [this](const QString &list) {
        //: The window's title while a list is on show: the list's name, then the program's.
        setWindowTitle(list.isEmpty() ? Str::AppTitle() : Tr::tr("%1 – %2").arg(list, Str::AppTitle()));
    });
    // QCoreApplication::quit() (the session manager's, for one) closes the
    // window first, so the close event below covers it.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitData);

    connect(m_doc, &CQuillmarkDoc::changesFromElsewhere, this, &CMainFrame::TellChangesFromElsewhere);
    m_catchUpLater.setSingleShot(true);
    m_catchUpLater.setInterval(500);
    connect(&m_catchUpLater, &QTimer::timeout, this, [this] {
        OnDataFileChanged();
        OnDataFolderChanged();
    });
}

CMainFrame::~CMainFrame()
{
    // The sync works on the document: it ends before it.
    delete m_sync;
    // The view shows the document until its last moment: it goes first.
    delete m_view;
}

void CMainFrame::CreateMenus()
{
    using C = CViewActions::Command;
    const auto addMenu = [this](const QString &title, std::initializer_list<C> entries) {
        QMenu *menu = menuBar()->addMenu(title);
        for (const C command : entries) {
            if (command == C::None)
                menu->addSeparator();
            else
                menu->addAction(m_view->Action(command));
        }
        return menu;
    };
    // The same actions as the pop-up menu's: a desktop program keeps them here.
    addMenu(Tr::tr("&File"), {C::Import, C::Export, C::ExportCalendar, C::Print, C::None, C::Exit});
    // Undo and Redo name the change they take back or make again, and work
    // on every screen of the view.
    addMenu(Tr::tr("&Edit"), {C::Undo, C::Redo});
    // Commands on the lists, on every screen; then on the list or the item
    // chosen.
    QMenu *list = addMenu(Tr::tr("&List"), {C::Find, C::HideDone, C::None, C::AddItem, C::UntickAll, C::DuplicateList,
                                            C::MoveItem, C::None, C::CopyAsText, C::PasteItems, C::Print});
    // The table's sort from the keyboard, as a click on a column sets it.
    QMenu *sortBy = list->addMenu(Tr::tr("S&ort by"));
    for (const C command : CViewActions::kSortColumns)
        sortBy->addAction(m_view->Action(command));
    sortBy->addSeparator();
    for (const C command : CViewActions::kSortDirections)
        sortBy->addAction(m_view->Action(command));
    m_sync->FillMenu(menuBar()->addMenu(Tr::tr("&Sync")), m_view->Action(C::SyncNow), m_view->Action(C::SyncAccount));
    addMenu(Tr::tr("&Help"), {C::About, C::Contents});
}

void CMainFrame::SetUrlOpener(UrlOpener opener)
{
    m_openUrl = std::move(opener);
}

void CMainFrame::OnInitialUpdate()
{
    const DataFile::LoadResult loaded = m_doc->Load();
    if (loaded.status == DataFile::LoadStatus::Damaged) {
        // Told once the event loop runs, so that the user sees the window
        // (with what could be read) behind the message.
        const QString text = m_doc->DamageMessage(loaded);
        TellWhenShown([this, text] { m_prompter->Message(this, text); });
    }
    m_view->OnInitialUpdate();
    // Qt moves a place that lies off every screen back onto one.
    if (!restoreGeometry(QByteArray::fromBase64(AppSettings::kWindowGeometry.Read().toLatin1())))
        OpenAtFirstSize();

    m_watcher = new CDataFileWatcher(m_doc->Path(), this);
    connect(m_watcher, &CDataFileWatcher::changedOnDisk, this, &CMainFrame::OnDataFileChanged);
    connect(m_watcher, &CDataFileWatcher::folderChanged, this, &CMainFrame::OnDataFolderChanged);
    // After the damaged-file message, over the window.
    TellWhenShown([this] { OfferConflictCopies(); });
    // The first sync, once the window is up and the copies are merged.
    TellWhenShown([this] { m_sync->Begin(); });
}

void CMainFrame::OpenAtFirstSize()
{
    // The smallest window clips the table; a first start opens ready to use,
    // in the middle of the screen, never larger than it.
    QSize size = CQuillmarkView::OpeningSize() + QSize(0, menuBar()->sizeHint().height());
    const QScreen *shownOn = screen();
    const QRect room = shownOn ? shownOn->availableGeometry() : QRect(QPoint(), size);
    size = size.boundedTo(room.size()).expandedTo(minimumSizeHint());
    resize(size);
    move(room.center() - QPoint(size.width() / 2, size.height() / 2));
}

void CMainFrame::TellWhenShown(std::function<void()> tell)
{
    m_toTell.append(std::move(tell));
    if (m_toTell.size() > 1)
        return; // the first one is already waiting
    // Looked at once the event loop runs, when the window has been shown or
    // will not be.
    QMetaObject::invokeMethod(
            this,
            [this] {
                QWindow *window = windowHandle();
                if (m_shownOnScreen || !window || !isVisible() || window->isExposed()) {
                    TellWhatWaits();
                    return;
                }
                window->installEventFilter(this);
                // A window that never comes on screen (started minimised) is
                // told all the same.
                QTimer::singleShot(kLongestWaitForScreen, this, &CMainFrame::TellWhatWaits);
            },
            Qt::QueuedConnection);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &CMainFrame::TellWhatWaits, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::TellWhatWaits()
{
    m_shownOnScreen = true;
    if (QWindow *window = windowHandle())
        window->removeEventFilter(this);
    // A message runs a loop of its own, in which more may be asked to be
    // told: that waits for a round of its own.
    const QList<std::function<void()>> toTell = std::exchange(m_toTell, {});
    for (const std::function<void()> &tell : toTell)
        tell();
}

bool CMainFrame::DeferWhileDialogOpen()
{
    if (!QApplication::activeModalWidget())
        return false;
    m_catchUpLater.start();
    return true;
}

void CMainFrame::OnDataFileChanged()
{
    if (m_bSavedForEnd || DeferWhileDialogOpen())
        return;
    m_doc->CatchUpWithFile();
}

void CMainFrame::OnDataFolderChanged()
{
    if (m_bSavedForEnd || DeferWhileDialogOpen())
        return;
    // Another computer saved at the same time as this window, and the sync
    // tool set this window's save aside: its changes go back on at once,
    // exactly, since this window knows what that save changed. Other
    // copies wait for the next start, where they are offered: the computer
    // whose save it is may be taking it back meanwhile.
    for (const QString &copy : ConflictCopies::Find(m_doc->Path())) {
        if (!m_doc->IsOwnSaveSetAside(copy) || !m_doc->TakeBackOwnSave())
            continue;
        QString error;
        if (ConflictCopies::MoveAside(copy, &error).isEmpty())
            m_prompter->Message(this, Str::ConflictCopyNotMoved(copy, error));
    }
}

void CMainFrame::OfferConflictCopies()
{
    // One step of the history, saved before the copies are moved aside:
    // until then they are the only record of what they hold. Undoing it
    // takes the merged lists out again; the copies stay in their folder.
    ConflictCopyOffer::Run(this, *m_prompter, m_doc->Path(), ConflictCopies::Find(m_doc->Path()),
                           m_doc->Lists(),
                           [doc = m_doc](const CListCollection &merged) { return doc->MergeIn(merged); });
}

void CMainFrame::TellChangesFromElsewhere(const QString &message)
{
    if (m_bEndingWithoutAsking)
        qWarning("%s", qPrintable(message));
    else
        m_prompter->Message(this, message);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dlg(this);
    m_prompter->Run(dlg);
}

void CMainFrame::OnHelpContents()
{
    CHelpWindow::OpenContents(this, *m_prompter, m_openUrl);
}

CExitSaver CMainFrame::ExitSaver() const
{
    return CExitSaver(
            m_doc->Path(), [doc = m_doc](QString &error) { return doc->TrySave(error); },
            [doc = m_doc] { return doc->Lists(); });
}

bool CMainFrame::SaveBeforeEnd()
{
    if (m_bSavedForEnd)
        return true;
    AppSettings::kWindowGeometry.Write(QString::fromLatin1(saveGeometry().toBase64()));
    m_sync->SyncBeforeExit();
    // What an import under way has read is not in the lists yet: it goes.
    m_exchange->AbandonImport();
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
    // "Exit" and the cross: the file is written even when nothing changed.
    if (SaveBeforeEnd())
        QCoreApplication::exit(0);
}

void CMainFrame::EndWithoutAsking()
{
    if (m_bSavedForEnd)
        return; // on its way out already
    m_exchange->AbandonImport();
    m_bEndingWithoutAsking = true;
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
    m_exchange->AbandonImport();
    const bool mayAsk = manager.allowsInteraction();
    m_bEndingWithoutAsking = !mayAsk;
    const CExitSaver::Outcome outcome =
            mayAsk ? ExitSaver().SaveAsking(this, *m_prompter) : ExitSaver().SaveWithoutAsking();
    if (outcome == CExitSaver::Outcome::StayOpen)
        manager.cancel();
    if (mayAsk)
        manager.release();
    m_bEndingWithoutAsking = false;
    if (outcome != CExitSaver::Outcome::Saved && outcome != CExitSaver::Outcome::StayOpen) {
        m_bSavedForEnd = true;
        QCoreApplication::exit(mayAsk ? EXIT_SUCCESS : EXIT_FAILURE);
    }
}
