#include "app/DesktopOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

CDesktopOpener::CDesktopOpener(QObject *parent)
    : QObject(parent)
{
}

CDesktopOpener::~CDesktopOpener()
{
    // An xdg-open still running waits on the viewer it started (a browser
    // it runs in the foreground); the viewer stays when the script goes.
    for (QProcess *opener : findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        opener->disconnect(this);
        if (opener->state() != QProcess::NotRunning) {
            opener->kill();
            opener->waitForFinished(1000);
        }
    }
}

void CDesktopOpener::Open(const QUrl &url, std::function<void()> cannotOpen)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // Qt then starts a browser it knows by name, or says it found none.
        if (!QDesktopServices::openUrl(url))
            cannotOpen();
        return;
    }
    auto *opener = new QProcess(this);
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(opener, &QProcess::finished, this,
            [opener, cannotOpen](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0)
                    cannotOpen();
                opener->deleteLater();
            });
    connect(opener, &QProcess::errorOccurred, this, [opener, cannotOpen](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        cannotOpen();
        opener->deleteLater();
    });
    opener->start(xdgOpen, {url.toString(QUrl::FullyEncoded)});
}
