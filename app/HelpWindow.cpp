#include "app/HelpWindow.h"

#include "app/HelpPage.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

void CHelpWindow::OpenContents(QWidget *owner, Prompter &prompter, const UrlOpener &open)
{
    const QString page = HelpPage::HelpPagePath();
    if (!QFileInfo(page).isFile()) {
        prompter.Message(owner, Tr::tr("The help page is not installed. Quillmark looked for it at %1.")
                                        .arg(QDir::toNativeSeparators(page)));
        return;
    }
    const QUrl contents = HelpPage::ContentsUrl(page);
    open(contents, [owner = QPointer(owner), &prompter, open, contents] {
        if (!owner)
            return;
        auto *window = owner->findChild<CHelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
        if (!window)
            window = new CHelpWindow(open, prompter, owner);
        window->Show(contents);
    });
}

CHelpWindow::CHelpWindow(const UrlOpener &open, Prompter &prompter, QWidget *owner)
    : QTextBrowser(owner)
    , m_open(open)
    , m_prompter(prompter)
{
    // A window of its own, in front of its owner and closed with it.
    setWindowFlag(Qt::Window);
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnAnchorClicked);
    connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl &page) {
        const QString title = documentTitle();
        setWindowTitle(title.isEmpty() ? page.fileName() : title);
    });

    // Wide enough for the page's tables, and never beyond the screen.
    QSize size(720, 760);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);
}

void CHelpWindow::Show(const QUrl &url)
{
    // The page already shown is not read again; the view moves to the place.
    setSource(url);
    show();
    raise();
    activateWindow();
}

void CHelpWindow::keyPressEvent(QKeyEvent *event)
{
    // A window of its own, with no button to close it: Escape does, as in
    // the program's dialogs.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void CHelpWindow::OnAnchorClicked(const QUrl &link)
{
    const QUrl target = source().resolved(link);
    // Alt+Left goes back, within the page too.
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile()) {
        setSource(target);
        return;
    }
    m_open(target, [window = QPointer(this), target] {
        if (window)
            window->m_prompter.Message(window,
                                       Tr::tr("Quillmark could not open %1.").arg(target.toDisplayString()));
    });
}
