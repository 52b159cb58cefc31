#pragma once

#include "model/ListItemArray.h"

#include <QString>

#include <functional>

class Prompter;
class QWidget;

// Saves the lists on the way out without ever trapping the user or losing
// a change. When the data file cannot be saved, the user may try again,
// save the lists to a file of their choice, or quit with a rescue copy
// (RescueCopy); when nobody can be asked, the rescue copy is written at
// once.
class CExitSaver
{
public:
    // Saves to the data file; false with the reason when it could not.
    using SaveFunction = std::function<bool(QString &errorString)>;
    // The lists as they are now, for a file other than the data file.
    using ListsFunction = std::function<CListCollection()>;

    CExitSaver(QString dataPath, SaveFunction save, ListsFunction lists);

    enum class Outcome {
        Saved,         // in the data file
        SavedElsewhere, // in a file the user chose
        Rescued,       // in a rescue copy
        StayOpen,      // the user chose to go back to the program
        Lost,          // nobody could be asked and nothing could be written
    };

    // For Exit and the window's close button: the program may end unless
    // the outcome is StayOpen.
    Outcome SaveAsking(QWidget *parent, Prompter &prompter);
    // For the end of the session and the end signals: the data file, else
    // the rescue copy; what happened goes to standard error.
    Outcome SaveWithoutAsking();

private:
    // Both false when the user should be asked again.
    bool SaveToChosenFile(QWidget *parent, Prompter &prompter);
    bool WriteRescueCopy(QWidget *parent, Prompter &prompter);

    QString m_dataPath;
    SaveFunction m_save;
    ListsFunction m_lists;
};
