#include "app/SyncControl.h"

#include "app/SyncAccountDlg.h"
#include "docsync/DocumentSync.h"
#include "document/QuillmarkDoc.h"
#include "keyring/PasswordStore.h"
#include "platform/AppSettings.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"
#include "sync/SyncEngine.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolTip>

namespace {

// A change is synced once the user has paused: ticking down a list is one
// sync, not one per tick.
constexpr int kAfterChangeMs = 4000;
// How long Exit waits for the last sync.
constexpr int kExitWaitMs = 3000;

bool IsOffline(SyncFault fault)
{
    return fault == SyncFault::Unreachable || fault == SyncFault::HostNotFound || fault == SyncFault::Timeout
            || fault == SyncFault::ConnectionRefused;
}

// The trusted certificate is kept with the server it was trusted for.
QString TrustKey(const QUrl &server)
{
    return server.host().toLower() + u':' + QString::number(server.port(server.scheme() == u"http" ? 80 : 443));
}

QPixmap MarkPicture(CSyncControl::State state, qreal ratio)
{
    const int side = 12;
    QPixmap picture(QSize(side, side) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor colour(0x2e, 0x8b, 0x57); // synced
    switch (state) {
    case CSyncControl::State::Syncing:
        colour = QColor(0x1e, 0x6f, 0xd0);
        break;
    case CSyncControl::State::Offline:
    case CSyncControl::State::NotSetUp:
        colour = QColor(0x80, 0x80, 0x80);
        break;
    case CSyncControl::State::Failed:
    case CSyncControl::State::NoPassword:
        colour = QColor(0xc0, 0x20, 0x20);
        break;
    case CSyncControl::State::Synced:
        break;
    }
    painter.setPen(QPen(colour.darker(130), 1));
    // Offline: a ring, the rest filled, so that colour alone does not tell.
    painter.setBrush(state == CSyncControl::State::Offline ? QBrush() : QBrush(colour));
    painter.drawEllipse(QRectF(1.5, 1.5, side - 3, side - 3));
    if (state == CSyncControl::State::Failed || state == CSyncControl::State::NoPassword) {
        painter.setPen(QPen(Qt::white, 1.6));
        painter.drawLine(QPointF(6, 3.5), QPointF(6, 6.5));
        painter.drawPoint(QPointF(6, 8.5));
    }
    return picture;
}

} // namespace

CSyncControl::CSyncControl(CQuillmarkDoc &doc, QMainWindow &window, Prompter &prompter)
    : QObject(&window)
    , m_doc(doc)
    , m_window(window)
    , m_prompter(prompter)
    , m_sync(new CDocumentSync(doc, this))
    , m_passwords(new CPasswordStore(this))
    , m_mark(new QLabel(&window))
{
    m_mark->setObjectName(QStringLiteral("syncMark"));
    m_mark->setContentsMargins(4, 0, 6, 0);
    // Without an account there is nothing to show: the menu bar stays as it is.
    m_mark->hide();

    m_afterChange.setSingleShot(true);
    m_afterChange.setInterval(kAfterChangeMs);
    connect(&m_afterChange, &QTimer::timeout, this, [this] { Start(false); });
    m_every.setInterval(AppSettings::kSyncMinutes.Read() * 60 * 1000);
    connect(&m_every, &QTimer::timeout, this, [this] { Start(false); });
    // What the sync itself puts into the lists is no change to send back;
    // what the user changes meanwhile goes with the sync that follows it:
    // the document's own after a good sync, ours after one that failed.
    const auto changed = [this] {
        if (!m_sync->IsSetUp())
            return;
        if (m_state == State::Syncing)
            m_changedMeanwhile = true;
        else
            m_afterChange.start();
    };
    connect(&doc, &CQuillmarkDoc::itemChanged, this, changed);
    connect(&doc, &CQuillmarkDoc::listsReplaced, this, changed);
    connect(m_sync, &CDocumentSync::started, this, &CSyncControl::OnStarted);
    connect(m_sync, &CDocumentSync::finished, this, &CSyncControl::OnFinished);
}

CSyncControl::~CSyncControl() = default;

void CSyncControl::FillMenu(QMenu *menu, QAction *syncNow, QAction *account)
{
    menu->addAction(syncNow);
    menu->addAction(account);
    menu->addSeparator();
    m_stateLine = menu->addAction(QString());
    m_stateLine->setEnabled(false);
    m_window.menuBar()->setCornerWidget(m_mark, Qt::TopRightCorner);
    SetState(m_state);
}

SyncAccount CSyncControl::AccountFromSettings() const
{
    SyncAccount account;
    account.server = QUrl(AppSettings::kSyncServer.Read());
    account.user = AppSettings::kSyncUser.Read();
    const QStringList trusted = AppSettings::kSyncTrustedCertificate.Read().split(u' ');
    if (trusted.size() == 2 && trusted.first() == TrustKey(account.server))
        account.trustedCertificate = QByteArray::fromHex(trusted.last().toLatin1());
    return account;
}

void CSyncControl::Begin()
{
    SyncAccount account = AccountFromSettings();
    if (account.server.isEmpty())
        return SetState(State::NotSetUp);
    m_passwords->Read(account.server, account.user, [this, account](CPasswordStore::Outcome outcome,
                                                                    const QString &password) mutable {
        if (outcome != CPasswordStore::Outcome::Done) {
            // Kept for the last run only, or the keyring was cleared: asked
            // for now, with the rest filled in.
            SetState(State::NoPassword);
            EditAccount();
            return;
        }
        account.password = password;
        m_sync->SetAccount(account);
        Start(false);
    });
}

void CSyncControl::SyncNow()
{
    if (m_state == State::NotSetUp || m_state == State::NoPassword)
        return EditAccount();
    Start(true);
}

void CSyncControl::Start(bool byHand)
{
    if (!m_sync->IsSetUp())
        return;
    m_byHand = m_byHand || byHand;
    m_afterChange.stop();
    m_sync->SyncNow();
}

void CSyncControl::OnStarted()
{
    m_changedMeanwhile = false;
    SetState(State::Syncing);
}

void CSyncControl::OnFinished(const SyncResult &result)
{
    const bool byHand = std::exchange(m_byHand, false);
    const bool changedMeanwhile = std::exchange(m_changedMeanwhile, false);
    m_every.start();
    if (result.ok) {
        m_lastSynced = QDateTime::currentDateTime();
        m_offlineSince = QDateTime();
        m_told.clear();
        SetState(State::Synced);
        if (!result.keptTwice.isEmpty()) {
            QStringList items;
            for (const KeptTwice &kept : result.keptTwice)
                items << Tr::tr("\"%1\" in \"%2\"").arg(kept.item, kept.list);
            m_prompter.Message(&m_window, Tr::tr("Changed both here and elsewhere since the last sync, so both "
                                                 "versions are kept: %1.")
                                                  .arg(QLocale().createSeparatedList(items)));
        }
        return;
    }
    if (result.fault == SyncFault::Stopped)
        return SetState(m_lastSynced.isValid() ? State::Synced : State::Offline);
    if (changedMeanwhile)
        m_afterChange.start();
    m_fault = result.fault;
    m_certificate = result.certificate;
    const bool offline = IsOffline(result.fault);
    if (offline && !m_offlineSince.isValid())
        m_offlineSince = QDateTime::currentDateTime();
    SetState(offline ? State::Offline : State::Failed);
    if (byHand) {
        m_prompter.Message(&m_window, StateText());
    } else if (!m_told.contains(int(result.fault))) {
        // Once per kind: a retry that fails the same way stays quiet.
        m_told.insert(int(result.fault));
        if (m_mark->isVisible())
            QToolTip::showText(m_mark->mapToGlobal(m_mark->rect().bottomLeft()), StateText(), m_mark);
    }
}

QString CSyncControl::StateText() const
{
    const QLocale locale;
    switch (m_state) {
    case State::NotSetUp:
        return Tr::tr("Not set up");
    case State::NoPassword:
        return Tr::tr("Waiting for the password (Sync, Account...)");
    case State::Syncing:
        return Tr::tr("Syncing...");
    case State::Synced:
        return Tr::tr("Last synced at %1").arg(locale.toString(m_lastSynced.time(), QLocale::ShortFormat));
    case State::Offline:
        return Tr::tr("Offline since %1").arg(locale.toString(m_offlineSince.time(), QLocale::ShortFormat));
    case State::Failed:
        break;
    }
    return Tr::tr("Sync failed: %1").arg(CSyncAccountDlg::FaultText(m_fault, m_certificate));
}

void CSyncControl::SetState(State state)
{
    if (state == State::Offline && !m_offlineSince.isValid())
        m_offlineSince = QDateTime::currentDateTime();
    m_state = state;
    const QString text = StateText();
    if (m_stateLine)
        m_stateLine->setText(text);
    m_mark->setPixmap(MarkPicture(state, m_window.devicePixelRatioF()));
    m_mark->setToolTip(text);
    m_mark->setAccessibleName(text);
    m_mark->setVisible(state != State::NotSetUp);
}

void CSyncControl::EditAccount()
{
    ShowAccountDialog(m_state == State::NoPassword
                              ? Tr::tr("Type the password again: it was not in the desktop's keyring.")
                              : QString());
}

void CSyncControl::ShowAccountDialog(const QString &problem)
{
    SyncAccount current = AccountFromSettings();
    if (m_sync->IsSetUp())
        current = m_sync->Account();
    CSyncAccountDlg dlg(current, m_prompter, &m_window);
    dlg.ShowProblem(problem);
    const int answer = m_prompter.Run(dlg);
    if (answer == CSyncAccountDlg::Removed)
        return Forget();
    if (answer != QDialog::Accepted)
        return;
    const SyncAccount account = dlg.Account();
    if (!current.server.isEmpty() && (current.server != account.server || current.user != account.user))
        m_passwords->Remove(current.server, current.user, [](CPasswordStore::Outcome, const QString &) {});
    AppSettings::kSyncServer.Write(account.server.toString());
    AppSettings::kSyncUser.Write(account.user);
    AppSettings::kSyncTrustedCertificate.Write(
            account.trustedCertificate.isEmpty()
                    ? QString()
                    : TrustKey(account.server) + u' ' + QString::fromLatin1(account.trustedCertificate.toHex()));
    KeepPassword(account);
    m_sync->SetAccount(account);
    Start(false);
}

void CSyncControl::KeepPassword(const SyncAccount &account)
{
    m_passwords->Write(account.server, account.user, account.password,
                       [this](CPasswordStore::Outcome outcome, const QString &) {
                           if (outcome == CPasswordStore::Outcome::Done)
                               return;
                           m_prompter.Message(&m_window, Tr::tr("No keyring of the desktop answered, so the "
                                                                "password is kept only until Quillmark ends; "
                                                                "at the next start it is asked for again."));
                       });
}

// The lists stay here and on the server; the password goes.
void CSyncControl::Forget()
{
    const SyncAccount account = m_sync->IsSetUp() ? m_sync->Account() : AccountFromSettings();
    m_sync->Stop();
    m_sync->SetAccount(SyncAccount{});
    if (!account.server.isEmpty())
        m_passwords->Remove(account.server, account.user, [](CPasswordStore::Outcome, const QString &) {});
    AppSettings::kSyncServer.Write(QString());
    AppSettings::kSyncUser.Write(QString());
    AppSettings::kSyncTrustedCertificate.Write(QString());
    m_every.stop();
    m_afterChange.stop();
    SetState(State::NotSetUp);
}

void CSyncControl::SyncBeforeExit()
{
    m_afterChange.stop();
    m_every.stop();
    if (!m_sync->IsSetUp())
        return;
    QEventLoop wait;
    connect(m_sync, &CDocumentSync::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(kExitWaitMs, &wait, &QEventLoop::quit);
    if (!m_sync->IsRunning())
        m_sync->SyncNow();
    if (m_sync->IsRunning())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    m_sync->Stop();
}
