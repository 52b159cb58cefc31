#include "app/QuillmarkApp.h"

#include "app/MainFrame.h"
#include "app/ReadableHints.h"
#include "app/RescueCopy.h"
#include "document/QuillmarkDoc.h"
#include "platform/AppPaths.h"
#include "platform/EndSignals.h"
#include "prompt/Prompter.h"
#include "res/Art.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QTranslator>

CQuillmarkApp::CQuillmarkApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    MendHints();
}

void CQuillmarkApp::MendHints()
{
    QPalette colours = palette();
    if (MendHintColour(colours))
        setPalette(colours);
}

bool CQuillmarkApp::event(QEvent *event)
{
    // The desktop's colours changed (a switch to a dark scheme): the hints
    // are looked at again. Setting them sends this event once more, and then
    // nothing is left to mend.
    if (event->type() == QEvent::ApplicationPaletteChange)
        MendHints();
    return QApplication::event(event);
}

CQuillmarkApp::~CQuillmarkApp() = default;

bool CQuillmarkApp::InitInstance()
{
    return InitInstance(Prompter::Standard());
}

void CQuillmarkApp::LoadTranslations()
{
    if (!m_translators.empty())
        return;
    // English counts ("1 list", "2 lists") in every language; a translation
    // installed after it wins.
    Tr::LoadEnglishPlurals();
    // As the C library does, LANGUAGE is not looked at under the C locale
    // (LC_ALL=C); under C.UTF-8 it is.
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return;
    // The first of the user's languages that the program speaks; English,
    // its own, needs no translation. Qt's texts (the standard buttons) follow
    // in the same language, so that a dialog never mixes two.
    for (const QString &name : system.uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English)
            return;
        auto own = std::make_unique<QTranslator>();
        if (!own->load(language, QStringLiteral("quillmark"), QStringLiteral("_"), QStringLiteral(":/translations")))
            continue;
        installTranslator(own.get());
        m_translators.push_back(std::move(own));
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            installTranslator(qt.get());
            m_translators.push_back(std::move(qt));
        }
        return;
    }
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
    // Before anything speaks to the user.
    LoadTranslations();

    // One program per data file: a second start brings the first forward.
    if (!m_singleWindow.Claim(AppPaths::DataFilePath(), prompter))
        return false;

    auto frame = std::make_unique<CMainFrame>(nullptr, &prompter);
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
    shown->TellWhenShown(
            [shown, &prompter] { RescueCopy::TellOnceIfWritten(shown, prompter, shown->Document()->Path()); });
    return true;
}
