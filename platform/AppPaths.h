#pragma once

#include <QString>

namespace AppPaths {

// "Quillmark.dat": beside the executable when one already lies there
// (portable use), otherwise in the per-user data folder, created when missing.
QString DataFilePath();

// The user's documents folder, created when missing.
QString DocumentsFolder();

// The per-user data folder (XDG_DATA_HOME/Fernwise/Quillmark on Linux).
QString AppDataFolder();

} // namespace AppPaths
