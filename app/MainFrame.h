#pragma once

#include "app/DesktopOpener.h"

#include <QMainWindow>
#include <QList>
#include <QTimer>

class CDataFileWatcher;
class CExchangeCommands;
class CExitSaver;
class CQuillmarkDoc;
class CQuillmarkView;
class CSyncControl;
class Prompter;
class QSessionManager;

// The one top-level window: the "&File", "&Edit", "&List", "&Sync" and "&Help" menus above the main
// view, and the document the view shows. It also sees to it that every way
// of ending the program saves the lists first.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // `prompter` answers message boxes and runs dialogs, for the frame and
    // its view; null: the standard one.
    explicit CMainFrame(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CMainFrame() override;

    CQuillmarkDoc *Document() const { return m_doc; }
    CQuillmarkView *View() const { return m_view; }
    CSyncControl *Sync() const { return m_sync; }

    // What opens the help page: the desktop's viewer by default. Where it
    // cannot, the page opens in a help window of the frame's own.
    void SetUrlOpener(UrlOpener opener);

    // Reads the data file (telling the user, once the window is up, when it
    // is damaged), sets the view up on it and watches it for other programs'
    // writes; once the window is up, offers the sync tools' conflict copies
    // that lie beside it.
    void OnInitialUpdate();
    // Another program wrote the data file: the document takes it in, unless
    // a dialog is open, whose OK works on the lists it was opened on; then
    // it is taken in once the dialog has closed (or by the change it makes).
    void OnDataFileChanged();
    // Something changed beside the data file: a conflict copy that holds
    // this window's own last save is taken back.
    void OnDataFolderChanged();

    // The Help menu's commands
    void OnAppAbout();
    void OnHelpContents();

    // Ends the program without asking anyone (an end signal): saves as Exit
    // does, else writes a rescue copy, then leaves the event loop.
    void EndWithoutAsking();

    // Runs `tell` once the event loop runs and the window is on the screen,
    // in the order asked: a message then stands over the window, not where
    // the window was before the window manager placed it.
    void TellWhenShown(std::function<void()> tell);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMenus();
    // No size remembered: the opening size, centred on the screen.
    void OpenAtFirstSize();
    // Saves the lists on the way out, once; when the data file cannot be
    // saved the user chooses a way out. False when they chose to stay.
    bool SaveBeforeEnd();
    CExitSaver ExitSaver() const;
    void OnExitRequested();
    void OnCommitData(QSessionManager &manager);
    void OfferConflictCopies();
    // Whether a dialog is open; the look at the disk is then made later.
    bool DeferWhileDialogOpen();
    // What the document tells about a newer data file; on standard error
    // when nobody may be asked.
    void TellChangesFromElsewhere(const QString &message);

    CQuillmarkDoc *m_doc = nullptr;
    CQuillmarkView *m_view = nullptr;
    CExchangeCommands *m_exchange = nullptr;
    CSyncControl *m_sync = nullptr;
    Prompter *m_prompter;
    UrlOpener m_openUrl;
    bool m_bSavedForEnd = false;
    bool m_bEndingWithoutAsking = false;
    CDataFileWatcher *m_watcher = nullptr;
    QTimer m_catchUpLater;
    QList<std::function<void()>> m_toTell;
    bool m_shownOnScreen = false;
    void TellWhatWaits();
};
