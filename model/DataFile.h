#pragma once

#include "model/ListItemArray.h"

#include <QString>

class CStampHasher;
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
// Every byte taken from the device goes through `hasher`, when given.
LoadResult Read(QIODevice &device, CListCollection &lists, CStampHasher *hasher = nullptr);
// Writes the whole collection; false (with a reason) when a write fails.
// Every byte written goes through `hasher`, when given.
bool Write(QIODevice &device, const CListCollection &lists, QString *errorString,
           CStampHasher *hasher = nullptr);

} // namespace DataFile
