#pragma once

#include "model/ListItemArray.h"

// The data of the crash trials: a file of about 1 MB, and the change each
// save makes to it.
namespace CrashTrial {

CListCollection InitialLists();

// Adds a long item to the last list, or takes it away again: applied twice
// it gives the lists it started from, so a writer that saves in a loop
// alternates between two versions of the file.
void NextVersion(CListCollection &lists);

} // namespace CrashTrial
