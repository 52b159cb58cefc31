#include "app/ExitSaver.h"

#include "app/RescueCopy.h"
#include "model/DataStore.h"
#include "platform/AppPaths.h"
#include "prompt/Prompter.h"
#include "res/Strings.h"
#include "res/Tr.h"

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

QString RescueCopyWritten(const QString &copyPath, const QString &dataPath)
{
    return Tr::tr("Your lists were kept in the rescue copy %1. To use them again, put that "
                  "file in place of %2 while Quillmark is not running.")
            .arg(copyPath, dataPath);
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
    const QStringList choices{Tr::tr("Try Again"), Tr::tr("Save As..."), Tr::tr("Quit, Keep a Rescue Copy"),
                              Str::ButtonCancel()};
    for (;;) {
        QString error;
        if (m_save(error))
            return Outcome::Saved;
        // Asked again after every answer that did not end the program:
        // trying again is the default, as it neither ends the program nor
        // writes anywhere new.
        for (;;) {
            const QString question =
                    Tr::tr("Your lists could not be saved to %1 (%2).\n\n"
                           "You can try again, save them to a file you choose (it can later be put "
                           "in place of %1), or quit and keep them in a rescue copy.")
                            .arg(m_dataPath, error);
            const int choice = prompter.AskChoice(parent, question, choices, kTryAgain, kStayOpen);
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
    //: Translate the names, keep the patterns in brackets and the ";;".
    const QString filter = Tr::tr("Quillmark Lists (*.dat);;All Files (*)");
    const QString path = prompter.ChooseSaveFile(parent, suggested, filter);
    if (path.isEmpty())
        return false;
    if (SameFile(path, m_dataPath)) {
        prompter.Message(parent,
                         Tr::tr("%1 is the file that cannot be saved. Please choose another file.").arg(path));
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
        prompter.Message(parent, Tr::tr("The rescue copy could not be written either (%1). Quillmark stays "
                                        "open, with your changes.")
                                         .arg(error));
        return false;
    }
    prompter.Message(parent, RescueCopyWritten(copyPath, m_dataPath));
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
        qWarning("%s", qPrintable(RescueCopyWritten(copyPath, m_dataPath)));
        return Outcome::Rescued;
    }
    qWarning("%s", qPrintable(Tr::tr("Quillmark ended without saving its lists: neither the data file "
                                     "nor a rescue copy could be written (%1).")
                                      .arg(rescueError)));
    return Outcome::Lost;
}
