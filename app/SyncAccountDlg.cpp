#include "app/SyncAccountDlg.h"

#include "prompt/Prompter.h"
#include "res/Tr.h"
#include "sync/SyncEngine.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CSyncAccountDlg::CSyncAccountDlg(const SyncAccount &account, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_account(account)
    , m_engine(new CSyncEngine(this))
    , m_server(new QLineEdit(account.server.toString(QUrl::RemoveUserInfo), this))
    , m_user(new QLineEdit(account.user, this))
    , m_password(new QLineEdit(account.password, this))
    , m_problem(new QLabel(this))
    , m_busy(new QProgressBar(this))
{
    setWindowTitle(Tr::tr("Sync Account"));
    m_server->setPlaceholderText(Tr::tr("for example dav.example.com"));
    m_password->setEchoMode(QLineEdit::Password);
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Busy without a known end: a test is a few requests.
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setAccessibleName(Tr::tr("Testing the account"));
    m_busy->hide();

    auto *form = new QFormLayout;
    form->addRow(Tr::tr("&Server address:"), m_server);
    form->addRow(Tr::tr("&User name:"), m_user);
    form->addRow(Tr::tr("&Password:"), m_password);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    if (!account.server.isEmpty()) {
        m_remove = buttons->addButton(Tr::tr("&Remove Account"), QDialogButtonBox::DestructiveRole);
        connect(m_remove, &QPushButton::clicked, this, [this] { done(Removed); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &CSyncAccountDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSyncAccountDlg::reject);
    connect(m_engine, &CSyncEngine::finished, this, &CSyncAccountDlg::OnTested);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(m_busy);
    layout->addWidget(buttons);
    setTabOrder(m_server, m_user);
    setTabOrder(m_user, m_password);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    (m_server->text().isEmpty() ? m_server : m_password)->setFocus();
}

CSyncAccountDlg::~CSyncAccountDlg() = default;

QUrl CSyncAccountDlg::AddressOf(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QUrl();
    // "dav.example.com" and "dav.example.com/path" alike; a scheme written
    // stays, so that http:// is refused with its reason, not changed.
    return QUrl(text.contains(QLatin1String("://")) ? text : QStringLiteral("https://") + text, QUrl::StrictMode);
}

QString CSyncAccountDlg::FaultText(SyncFault fault, const QByteArray &certificate)
{
    switch (fault) {
    case SyncFault::None:
        return QString();
    case SyncFault::Refused:
        return Tr::tr("Quillmark syncs only over https (plain http only with this computer itself), with an "
                      "address that holds no user name or password.");
    case SyncFault::HostNotFound:
        return Tr::tr("The server's name was not found. Check the address and the network connection.");
    case SyncFault::ConnectionRefused:
        return Tr::tr("The server refused the connection. Check the address and its port.");
    case SyncFault::Unreachable:
        return Tr::tr("The server cannot be reached.");
    case SyncFault::Timeout:
        return Tr::tr("The server did not answer in time.");
    case SyncFault::Certificate:
        return Tr::tr("The server's certificate is not trusted. Its SHA-256 fingerprint is %1.")
                .arg(QString::fromLatin1(certificate.toHex(':')).toUpper());
    case SyncFault::Password:
        return Tr::tr("The server refused the user name or password.");
    case SyncFault::Forbidden:
        return Tr::tr("The server does not allow this account to use the lists there.");
    case SyncFault::NoTaskLists:
    case SyncFault::NotFound:
        return Tr::tr("No task lists were found at this address.");
    case SyncFault::Redirect:
        return Tr::tr("The server sent Quillmark to another address, which it does not follow with your password.");
    case SyncFault::Full:
        return Tr::tr("The server has no room left.");
    case SyncFault::Stopped:
        return Tr::tr("The sync was stopped.");
    case SyncFault::Conflict:
    case SyncFault::Changed:
    case SyncFault::ServerError:
    case SyncFault::Rejected:
    case SyncFault::TooLarge:
    case SyncFault::BadAnswer:
        break;
    }
    return Tr::tr("The server gave an answer Quillmark cannot use.");
}

bool CSyncAccountDlg::IsTesting() const
{
    return m_engine->IsRunning();
}

QString CSyncAccountDlg::Problem() const
{
    return m_problem->text();
}

void CSyncAccountDlg::ShowProblem(const QString &problem)
{
    m_problem->setText(problem);
}

void CSyncAccountDlg::accept()
{
    if (IsTesting())
        return;
    const QUrl address = AddressOf(m_server->text());
    if (address.isEmpty()) {
        m_problem->setText(Tr::tr("Type the address of the server."));
        m_server->setFocus();
        return;
    }
    if (address != m_account.server)
        m_account.trustedCertificate.clear(); // trusted for that server only
    m_account.server = address;
    m_account.user = m_user->text().trimmed();
    m_account.password = m_password->text();
    m_server->setText(address.toString());
    Test();
}

void CSyncAccountDlg::reject()
{
    m_engine->Stop();
    QDialog::reject();
}

void CSyncAccountDlg::Test()
{
    m_problem->clear();
    SetTesting(true);
    m_engine->Check(m_account);
}

void CSyncAccountDlg::OnTested(const SyncResult &result)
{
    SetTesting(false);
    if (result.ok) {
        done(Accepted);
        return;
    }
    if (result.fault == SyncFault::Stopped)
        return;
    const QString why = FaultText(result.fault, result.certificate);
    if (result.fault == SyncFault::Certificate && !result.certificate.isEmpty()) {
        const QString ask = why + u'\n' + Tr::tr("Trust exactly this certificate for %1 only if you know it is the "
                                                 "server's own.").arg(m_account.server.host());
        const int trust = m_prompter.AskChoice(this, ask, {Tr::tr("&Trust This Certificate"), Tr::tr("Cancel")}, 1, 1);
        if (trust == 0) {
            m_account.trustedCertificate = result.certificate;
            Test();
            return;
        }
    }
    m_problem->setText(why);
    (result.fault == SyncFault::Password ? m_password : m_server)->setFocus();
}

void CSyncAccountDlg::SetTesting(bool testing)
{
    m_busy->setVisible(testing);
    for (QWidget *field : {static_cast<QWidget *>(m_server), static_cast<QWidget *>(m_user),
                           static_cast<QWidget *>(m_password), static_cast<QWidget *>(m_ok)})
        field->setEnabled(!testing);
    if (m_remove)
        m_remove->setEnabled(!testing);
}
