#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

// Hands `url` to a viewer; calls `cannotOpen`, at once or later, when the
// page could not be shown.
using UrlOpener = std::function<void(const QUrl &url, std::function<void()> cannotOpen)>;

// Hands a page or a web address to the desktop's own viewer, and tells when
// the desktop could not show it. Where xdg-open is the desktop's opener, its
// exit status decides: Qt's own hand-over reports success as soon as the
// script has started, and on a machine with no viewer for the page (a bare
// X server, a kiosk) the script then ends in failure and nothing opens.
class CDesktopOpener : public QObject
{
    Q_OBJECT

public:
    explicit CDesktopOpener(QObject *parent);
    ~CDesktopOpener() override;

    // `cannotOpen` runs at once, or later when xdg-open ends in failure.
    void Open(const QUrl &url, std::function<void()> cannotOpen);
};
