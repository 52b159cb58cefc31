#include "app/AboutDlg.h"

#include "dialogs/DialogTemplates.h"
#include "res/Art.h"
#include "res/Tr.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace T = DialogTemplates::About;
using DialogUnits::ToPixels;

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
    , m_icon(new QLabel(this))
    , m_version(new QLabel(Tr::tr("Quillmark Version %1").arg(QStringLiteral(QUILLMARK_VERSION_TEXT)),
                           this))
{
    setWindowTitle(Tr::tr("About Quillmark"));
    setModal(true);

    m_icon->setObjectName(QStringLiteral("programIcon"));
    m_icon->setGeometry(ToPixels(T::kIcon));
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(Art::ProgramIcon().pixmap(ToPixels(T::kIcon).size(), devicePixelRatio()));

    m_version->setObjectName(QStringLiteral("versionText"));
    m_version->setTextFormat(Qt::PlainText);
    m_version->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The layout's rectangle fits an 11-pixel font; never cut the text
    // where the desktop's font is wider or taller.
    const QSize needed = m_version->sizeHint();
    QRect versionRect = ToPixels(T::kVersion);
    versionRect.setWidth(std::max(versionRect.width(), needed.width()));
    versionRect.setHeight(std::max(versionRect.height(), needed.height()));
    m_version->setGeometry(versionRect);

    setFixedSize(std::max(ToPixels(T::kDialog).width(), versionRect.right() + 1 + ToPixels(T::kRightMargin)),
                 ToPixels(T::kDialog).height());
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
