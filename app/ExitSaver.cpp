#include "app/ExitSaver.h"

#include "app/RescueCopy.h"
#include "model/DataStore.h"
#include "platform/AppPaths.h"
#include "platform/Prompter.h"
#include "res/Strings.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The answers to a failed save at the end, in the order they are offered.
enum Choice { kTryAgain, kSaveElsewhere, kQuitWithRescueCopy, kStayOpen };

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

} // namespace

CExitSaver::CExitSaver(QString dataPath, SaveFunction save, ListsFunction lists)
    : m_dataPath(std::move(dataPath))
    , m_save(std::move(save))
    , m_lists(std::move(lists))
{
}

CExitSaver::Outcome CExitSaver::SaveAsking(QWidget *parent, Prompter &prompter)
{
    const QStringList choices{Str::ChoiceTryAgain(), Str::ChoiceSaveElsewhere(),
                              Str::ChoiceQuitWithRescueCopy(), Str::ButtonCancel()};
    for (;;) {
        QString error;
        if (m_save(error))
            return Outcome::Saved;
        // Asked again after every answer that did not end the program:
        // trying again is the default, as it neither ends the program nor
        // writes anywhere new.
        for (;;) {
            const int choice = prompter.AskChoice(parent, Str::ExitSaveFailed(m_dataPath, error), choices,
                                                  kTryAgain, kStayOpen);
            if (choice == kTryAgain)
                break;
            if (choice == kSaveElsewhere && SaveToChosenFile(parent, prompter))
                return Outcome::SavedElsewhere;
            if (choice == kQuitWithRescueCopy && WriteRescueCopy(parent, prompter))
                return Outcome::Rescued;
            if (choice == kStayOpen)
                return Outcome::StayOpen;
        }
    }
}

bool CExitSaver::SaveToChosenFile(QWidget *parent, Prompter &prompter)
{
    const QString suggested = QDir(AppPaths::DocumentsFolder()).filePath(QFileInfo(m_dataPath).fileName());
    const QString path = prompter.ChooseSaveFile(parent, suggested, Str::DataFileFilter());
    if (path.isEmpty())
        return false;
    if (SameFile(path, m_dataPath)) {
        prompter.Message(parent, Str::ChooseAnotherFile(path));
        return false;
    }
    // The chooser has asked before replacing a file; the store writes it
    // whole or not at all.
    CDataStore store(path);
    if (store.Save(m_lists()))
        return true;
    prompter.Message(parent, Str::SaveFailed(path, store.ErrorString()));
    return false;
}

bool CExitSaver::WriteRescueCopy(QWidget *parent, Prompter &prompter)
{
    QString copyPath;
    QString error;
    if (!RescueCopy::Write(m_lists(), &copyPath, &error)) {
        prompter.Message(parent, Str::RescueCopyFailed(error));
        return false;
    }
    prompter.Message(parent, Str::RescueCopyWritten(copyPath, m_dataPath));
    return true;
}

CExitSaver::Outcome CExitSaver::SaveWithoutAsking()
{
    QString error;
    if (m_save(error))
        return Outcome::Saved;
    QString copyPath;
    QString rescueError;
    if (RescueCopy::Write(m_lists(), &copyPath, &rescueError)) {
        qWarning("%s", qPrintable(Str::RescueCopyWritten(copyPath, m_dataPath)));
        return Outcome::Rescued;
    }
    qWarning("%s", qPrintable(Str::ListsLost(rescueError)));
    return Outcome::Lost;
}
