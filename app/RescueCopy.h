#pragma once

#include "model/ListItemArray.h"

#include <QString>

class Prompter;
class QWidget;

// The last way to keep the lists when the data file cannot be saved at the
// end: a copy in the data file's own format, named with the date and time,
// in a per-user folder that is very likely writable. The next start tells
// the user once where it is.
namespace RescueCopy {

// Writes the copy into the first rescue folder that takes it and notes it
// for the next start. False, with the reason of the last folder tried, when
// none took it.
bool Write(const CListCollection &lists, QString *copyPath, QString *errorString);

// When a copy was written since the last start and is still there, tells
// the user where it is, and forgets it.
void TellOnceIfWritten(QWidget *parent, Prompter &prompter, const QString &dataPath);

} // namespace RescueCopy
