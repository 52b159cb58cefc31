#pragma once

#include "app/DesktopOpener.h"

#include <QTextBrowser>

class Prompter;

// The help page in a window of the program's own, for a desktop that cannot
// show it (no web browser, a kiosk). Links within the page and to other
// local pages open here; any other address goes to the desktop's viewer.
class CHelpWindow : public QTextBrowser
{
    Q_OBJECT

public:
    // Help > Contents: the page at its contents in the desktop's viewer
    // (`open`), else in the help window of `owner`. A page that is not
    // installed is reported instead.
    static void OpenContents(QWidget *owner, Prompter &prompter, const UrlOpener &open);

    CHelpWindow(const UrlOpener &open, Prompter &prompter, QWidget *owner);

    // Shows the local page `url` at the place its fragment names, in front.
    void Show(const QUrl &url);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnAnchorClicked(const QUrl &link);

    UrlOpener m_open;
    Prompter &m_prompter;
};
