#pragma once

#include <QString>
#include <QStringList>

namespace AppPaths {

// "Quillmark.dat": beside the executable when one already lies there
// (portable use), otherwise in the per-user data folder, created when missing.
QString DataFilePath();

// The user's documents folder, created when missing.
QString DocumentsFolder();

// The per-user data folder (XDG_DATA_HOME/Fernwise/Quillmark on Linux).
QString AppDataFolder();

// Where a rescue copy of the lists may go, best first: the per-user state
// folder (XDG_STATE_HOME, else ~/.local/state, then Fernwise/Quillmark),
// then the cache folder. Not created here.
QStringList RescueFolders();

} // namespace AppPaths
