#pragma once

#include "model/ListItemArray.h"

#include <QString>

class QIODevice;

// The data file "Quillmark.dat": a list count, then the list records.
namespace DataFile {

enum class LoadStatus {
    Missing,  // no file: the collection is untouched
    Complete, // the whole file was read
    Damaged,  // an error stopped the read (or a file that is there could not
              // be opened); the lists read before it are kept
};

struct LoadResult
{
    LoadStatus status = LoadStatus::Missing;
    QString errorString;
};

// Reads a whole data file. Replaces the collection once the count is read.
LoadResult Read(QIODevice &device, CListCollection &lists);
// Writes the whole collection; false (with a reason) when a write fails.
bool Write(QIODevice &device, const CListCollection &lists, QString *errorString);

} // namespace DataFile
