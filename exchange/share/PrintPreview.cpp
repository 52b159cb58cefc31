#include "exchange/share/PrintPreview.h"

#include "exchange/share/ListPrint.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace {

// The print job's name, the PDF's title and the file name the print dialog
// proposes ("<name>.pdf"): a slash would put that file in a folder.
QString DocumentName(const CListItemArray &list)
{
    QString name = list.m_strName.simplified();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name.isEmpty() ? QStringLiteral("Quillmark") : name;
}

} // namespace

namespace ListPrint {

void RunPreview(CListItemArray list, QPrinter &printer, QWidget *parent, Prompter &prompter)
{
    printer.setDocName(DocumentName(list));
    QPrintPreviewDialog dialog(&printer, parent);
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
