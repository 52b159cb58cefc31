#pragma once

#include "model/ListItemArray.h"

#include <QString>

#include <functional>

class Prompter;
class QWidget;

// At start, once the data file has been read: offers to merge each of the
// given conflict copies (ConflictCopies::Find). A copy that
// cannot be read is reported and left alone; for each copy the user accepts,
// its lists are merged in. The merged lists are handed to `replaceAndSave`,
// which puts them in place of the current ones and saves them (true when
// saved; on a failure it has told the user). Only after that save are the
// merged copies moved aside: until then they are the only record of what
// they hold. Returns the number of copies merged.
namespace ConflictCopyOffer {

using ReplaceAndSave = std::function<bool(const CListCollection &merged)>;

int Run(QWidget *parent, Prompter &prompter, const QString &dataFilePath, const QStringList &copies,
        const CListCollection &lists, const ReplaceAndSave &replaceAndSave);

} // namespace ConflictCopyOffer
