#include "app/ImportRun.h"

#include "exchange/csv/CsvImportJob.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>

namespace {

// Long enough for thousands of lines, short enough for the window to answer
// at once between two steps.
constexpr int kStepMs = 30;
constexpr int kBarSteps = 1000;
// How often an import that is over looks again whether a dialog opened
// meanwhile has closed.
constexpr int kWaitForDialogMs = 200;

} // namespace

CImportRun::CImportRun(std::unique_ptr<CCsvImportJob> job, const QString &fileName, const QString &listName,
                       QWidget *window)
    : QObject(window)
    , m_job(std::move(job))
    , m_dialog(new QProgressDialog(window))
{
    m_dialog->setWindowTitle(Str::AppTitle());
    // The list's name is the user's text: shown as written, never as markup.
    auto *label = new QLabel(Tr::tr("Importing '%1' into the new list '%2'...").arg(fileName, listName));
    label->setTextFormat(Qt::PlainText);
    m_dialog->setLabel(label);
    // A bar of its own that the steps set directly: the dialog's setValue
    // would run the event loop inside a step.
    m_bar = new QProgressBar;
    m_dialog->setBar(m_bar);
    m_dialog->setRange(0, kBarSteps);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setValue(0); // from now on it waits to be shown
    connect(m_dialog, &QProgressDialog::canceled, this, &CImportRun::Abandon);

    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CImportRun::Step);
}

CImportRun::~CImportRun()
{
    delete m_dialog;
}

void CImportRun::Start()
{
    Step();
    if (m_job)
        m_timer.start();
}

void CImportRun::Step()
{
    if (!m_job)
        return;
    if (!m_read) {
        m_read = m_job->Step(QDeadlineTimer(kStepMs));
        m_bar->setValue(qRound(m_job->Progress() * kBarSteps));
        if (!m_read)
            return;
    }
    // A dialog opened meanwhile (List Setup) works on the lists it was
    // opened on, and its OK would take the new list out again.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_dialog) {
        m_timer.start(kWaitForDialogMs);
        return;
    }
    End();
}

void CImportRun::End()
{
    m_timer.stop();
    const CsvImport::Result outcome = m_job->Outcome();
    const QList<CListItem> items = outcome.Ok() ? m_job->TakeItems() : QList<CListItem>();
    m_job.reset();
    // Gone before anything is told: a message stands over the window, not
    // over the progress dialog.
    CloseDialog();
    deleteLater();
    if (outcome.Ok())
        emit imported(items);
    else
        emit failed(outcome);
}

void CImportRun::Abandon()
{
    m_timer.stop();
    m_job.reset();
    CloseDialog();
    deleteLater();
}

void CImportRun::CloseDialog()
{
    if (!m_dialog)
        return;
    // reset() also stops its wait to be shown.
    m_dialog->reset();
    m_dialog->deleteLater();
}
