#include "exchange/share/PrintPreview.h"

#include "exchange/share/ListPrint.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolButton>

namespace {

// The print job's name, the PDF's title and the file name the print dialog
// proposes ("<name>.pdf"): a slash would put that file in a folder.
QString DocumentName(const CListItemArray &list)
{
    QString name = list.m_strName.simplified();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name.isEmpty() ? QStringLiteral("Quillmark") : name;
}

// The preview prints from the keyboard as a desktop program's does: Ctrl+P
// and Enter print, and Tab reaches the print button, which Qt's toolbar
// otherwise keeps out of the Tab order.
class CKeyedPreview : public QPrintPreviewDialog
{
public:
    CKeyedPreview(QPrinter *printer, QWidget *parent)
        : QPrintPreviewDialog(printer, parent)
    {
        // The button's text as Qt's own translations give it: Qt's context,
        // kept out of the program's translations.
        static constexpr char kQtContext[] = "QPrintPreviewDialog";
        const QString print = QCoreApplication::translate(kQtContext, "Print");
        for (QAction *action : findChildren<QAction *>()) {
            if (action->text() == print)
                m_print = action;
        }
        if (!m_print)
            return;
        m_print->setShortcut(QKeySequence::Print);
        for (QToolButton *button : findChildren<QToolButton *>()) {
            if (button->defaultAction() == m_print)
                button->setFocusPolicy(Qt::TabFocus);
        }
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        // Enter in the page number field goes to that page.
        if (m_print && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !qobject_cast<QLineEdit *>(focusWidget())) {
            m_print->trigger();
            return;
        }
        QPrintPreviewDialog::keyPressEvent(event);
    }

private:
    QAction *m_print = nullptr;
};

} // namespace

namespace ListPrint {

void RunPreview(CListItemArray list, QPrinter &printer, QWidget *parent, Prompter &prompter)
{
    printer.setDocName(DocumentName(list));
    CKeyedPreview dialog(&printer, parent);
    // Large enough to read a page: the main window it opens over is small.
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize area = screen->availableGeometry().size();
        dialog.resize(dialog.sizeHint().expandedTo(QSize(area.width() * 3 / 5, area.height() * 4 / 5)).boundedTo(area));
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        if (Print(list, *target))
            return;
        const QString file = target->outputFileName();
        prompter.Message(&dialog, file.isEmpty()
                                 ? Tr::tr("Quillmark could not print the list '%1'.").arg(list.m_strName)
                                 : Tr::tr("Quillmark could not print the list '%1' to %2.")
                                           .arg(list.m_strName, file));
    });
    prompter.Run(dialog);
}

} // namespace ListPrint
