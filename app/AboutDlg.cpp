#include "app/AboutDlg.h"

#include "res/Art.h"
#include "res/Strings.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace {

// The dialog template is laid out in dialog units of 1.75 pixels.
int Dlu(int units)
{
    return qRound(units * 1.75);
}

QRect DluRect(int x, int y, int width, int height)
{
    return QRect(Dlu(x), Dlu(y), Dlu(width), Dlu(height));
}

// Template 100
const QSize kDialogSize(Dlu(125), Dlu(106));
const QRect kIconRect = DluRect(13, 8, 20, 20);
const QRect kVersionRect = DluRect(40, 10, 78, 8);
const int kRightMargin = Dlu(7);

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
    , m_icon(new QLabel(this))
    , m_version(new QLabel(Str::AboutVersion(), this))
{
    setWindowTitle(Str::AboutCaption());
    setModal(true);

    m_icon->setObjectName(QStringLiteral("programIcon"));
    m_icon->setGeometry(kIconRect);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(Art::ProgramIcon().pixmap(kIconRect.size(), devicePixelRatio()));

    m_version->setObjectName(QStringLiteral("versionText"));
    m_version->setTextFormat(Qt::PlainText);
    m_version->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The template's rectangle was sized for the handheld's font; never cut
    // the text where the desktop's font is wider or taller.
    const QSize needed = m_version->sizeHint();
    QRect versionRect = kVersionRect;
    versionRect.setWidth(std::max(versionRect.width(), needed.width()));
    versionRect.setHeight(std::max(versionRect.height(), needed.height()));
    m_version->setGeometry(versionRect);

    setFixedSize(std::max(kDialogSize.width(), versionRect.right() + 1 + kRightMargin),
                 kDialogSize.height());
}

void CAboutDlg::keyPressEvent(QKeyEvent *event)
{
    // The box has no default button for Enter to press: Enter closes it,
    // as Escape does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
