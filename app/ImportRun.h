#pragma once

#include "exchange/csv/CsvImport.h"
#include "model/ListItem.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class CCsvImportJob;
class QProgressBar;
class QProgressDialog;
class QWidget;

// An import run in steps from the event loop, so that the window stays
// alive (it repaints, the end signals and the session's end are heard)
// while a large file is read. After half a second a progress dialog over the
// window shows how far it has come; its Cancel drops the import. Nothing
// reaches the lists before `imported`: a Cancel or Abandon() leaves them
// exactly as they were. The run deletes itself once it is over.
class CImportRun : public QObject
{
    Q_OBJECT

public:
    static constexpr int kShowAfterMs = 500;

    // The progress dialog belongs to `window` and names the file and the list.
    CImportRun(std::unique_ptr<CCsvImportJob> job, const QString &fileName, const QString &listName,
               QWidget *window);
    ~CImportRun() override;

    // Works a first step at once: a small file is imported before this
    // returns.
    void Start();
    // Drops the import; nothing more is reported.
    void Abandon();
    bool Running() const { return m_job != nullptr; }

signals:
    // Every line became an item; the items are in name order.
    void imported(const QList<CListItem> &items);
    void failed(const CsvImport::Result &result);

private:
    void Step();
    void End();
    void CloseDialog();

    std::unique_ptr<CCsvImportJob> m_job;
    bool m_read = false;
    QTimer m_timer;
    QPointer<QProgressDialog> m_dialog;
    QProgressBar *m_bar = nullptr; // the dialog's
};
