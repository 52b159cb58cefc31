#pragma once

#include <QString>

// Makes a rename or a new file in a folder durable: without it, a power cut
// soon after a save could bring back the old file, or no file at all.
//
// One policy for every caller: a folder that cannot be opened, or a file
// system that cannot flush folders at all, is no failure (nothing better
// can be done there); a flush the disk refuses is, and `errorString` says
// why in the system's words.
bool FlushFolder(const QString &folderPath, QString *errorString = nullptr);
