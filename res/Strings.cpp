#include "res/Strings.h"

#include "res/ResourceIds.h"

namespace Str {

QString Load(int id)
{
    switch (id) {
    case IDS_DOCTEMPLATE:
        return QStringLiteral("Quillmark\n\nQuillmark\n\n\nQuillmark.Document\nQuillmark Document");
    case IDS_ADDED_TASK_AND_APPT:
        return QStringLiteral("Added Item to Tasks and Appointments.");
    case IDS_ADDED_TASK:
        return QStringLiteral("Added Items to Tasks.");
    case IDS_ADDED_APPT:
        return QStringLiteral("Added Item to Appointments.");
    case IDS_NEED_NEW_LIST:
        return QStringLiteral("A New List is required to Import Into.");
    case IDS_IMPORT_FIELD_NOT_FOUND:
        return QStringLiteral("Error in Import: Import field not found in location designated in Import Setup.");
    case IDS_IMPORT_NAME_EMPTY:
        return QStringLiteral("Import name found empty. Invalid Data.");
    case IDS_ITEM_NOT_DATED:
        return QStringLiteral("Item is not dated, unable to add to appointments.");
    default:
        return QString();
    }
}

QString AppTitle() { return QStringLiteral("Quillmark"); }
QString AboutCaption() { return QStringLiteral("About Quillmark"); }
QString AboutVersion() { return QStringLiteral("Quillmark Version " QUILLMARK_VERSION_TEXT); }

QString MenuHelp() { return QStringLiteral("&Help"); }
QString MenuAbout() { return QStringLiteral("&About ..."); }
QString MenuContents() { return QStringLiteral("Contents"); }

QString MenuEdit() { return QStringLiteral("&Edit"); }
QString MenuUndo() { return QStringLiteral("&Undo"); }
QString MenuRedo() { return QStringLiteral("&Redo"); }
QString ChangeTick(const QString &item) { return QStringLiteral("Tick '%1'").arg(item); }
QString ChangeUntick(const QString &item) { return QStringLiteral("Untick '%1'").arg(item); }
QString ChangeEdit(const QString &item) { return QStringLiteral("Edit '%1'").arg(item); }
QString ChangeListSetup() { return QStringLiteral("List Setup"); }
QString ChangeMergeCopies() { return QStringLiteral("Merge Conflict Copies"); }
QString ChangeImport(const QString &list) { return QStringLiteral("Import '%1'").arg(list); }

QString TreeRoot() { return QStringLiteral("Lists"); }
QString LabelDate() { return QStringLiteral("Date"); }
QString LabelPrice() { return QStringLiteral("Price"); }
QString LabelDescription() { return QStringLiteral("Description"); }
QString LabelTotal() { return QStringLiteral("Total: "); }
QString ColumnName() { return QStringLiteral("Name"); }
QString ColumnPrice() { return QStringLiteral("Price"); }
QString ColumnDate() { return QStringLiteral("Date"); }
QString ColumnDone() { return QStringLiteral("Done"); }
QString Yes() { return QStringLiteral("Yes"); }
QString No() { return QStringLiteral("No"); }
QString NotDated() { return QStringLiteral("---"); }

QString MustSelectListToRemove() { return QStringLiteral("You must select a list to remove."); }
QString ConfirmRemoveList(const QString &name)
{
    return QStringLiteral("Are you sure you want to remove the list '%1'?").arg(name);
}
QString ConfirmRemoveItem(const QString &name)
{
    return QStringLiteral("Are you sure you want to remove the item '%1'?").arg(name);
}
QString NewItemNeedsName() { return QStringLiteral("New Item must have a name."); }
QString NewListNeedsName() { return QStringLiteral("New List must have a name."); }
QString PriceNotANumber() { return QStringLiteral("Please enter a number for the price, for example 12.50."); }

QString NewItemCaption() { return QStringLiteral("New Item"); }
QString NewListCaption() { return QStringLiteral("New List"); }
QString ListSetupCaption() { return QStringLiteral("List Setup"); }
QString FieldName() { return QStringLiteral("Name:"); }
QString FieldDesc() { return QStringLiteral("Desc:"); }
QString FieldPrice() { return QStringLiteral("Price:"); }
QString FieldDate() { return QStringLiteral("Date:"); }
QString FieldTime() { return QStringLiteral("Time:"); }
QString CheckDated() { return QStringLiteral("Dated"); }
QString GroupList() { return QStringLiteral("List"); }
QString GroupItems() { return QStringLiteral("Items"); }
QString ButtonOK() { return QStringLiteral("OK"); }
QString ButtonCancel() { return QStringLiteral("Cancel"); }

QString NoListSelected() { return QStringLiteral("No List Selected."); }
QString NoItemsInList() { return QStringLiteral("No Items in current list."); }
QString TroubleConverting() { return QStringLiteral("Trouble Converting String, file will not be completed"); }
QString ExportDone()
{
    return QStringLiteral("The File 'Quillmark.csv' was created in your 'My Documents' folder.");
}
QString ExportDoneSomeLeftOut()
{
    return QStringLiteral("The File 'Quillmark.csv' was created in your 'My Documents' folder, "
                          "some records were too long and were left out.");
}
QString ExportFailed(const QString &reason)
{
    return QStringLiteral("The File 'Quillmark.csv' could not be written: %1").arg(reason);
}
QString ExportDoneSomeNotStorable()
{
    return QStringLiteral("The File 'Quillmark.csv' was created in your 'My Documents' folder, "
                          "some records were too long or held characters the file cannot store "
                          "and were left out.");
}

QString ImportReadFailed(const QString &reason)
{
    return QStringLiteral("Error in Import: the file could not be read to its end (%1). "
                          "Nothing was imported.")
            .arg(reason);
}

QString CsvFileFilter() { return QStringLiteral("Comma Delimited Files (*.csv);;All Files (*)"); }

QString ImportFieldsCaption() { return QStringLiteral("Import Fields"); }
QString FieldNameField() { return QStringLiteral("Name Field:"); }
QString FieldDescField() { return QStringLiteral("Desc Field:"); }
QString FieldPriceField() { return QStringLiteral("Price Field:"); }
QString FieldItemIcon() { return QStringLiteral("Item Icon:"); }
QString EnterIntegerBetween(int low, int high)
{
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

namespace {
QString NotAdded(const QString &where, const QString &reason)
{
    if (reason.isEmpty())
        return QStringLiteral("The item could not be added to %1.").arg(where);
    return QStringLiteral("The item could not be added to %1: %2").arg(where, reason);
}
} // namespace
QString TaskNotAdded(const QString &reason) { return NotAdded(QStringLiteral("Tasks"), reason); }
QString AppointmentNotAdded(const QString &reason)
{
    return NotAdded(QStringLiteral("Appointments"), reason);
}
QString HandOverDateOutOfRange() { return QStringLiteral("the date lies outside the years 100 to 9999"); }
QString HandOverSetupCaption() { return QStringLiteral("Setup"); }
QString GroupItemsToCalendar() { return QStringLiteral("Items to Calendar"); }
QString CheckItemToTask() { return QStringLiteral("Item to Task"); }
QString CheckItemToCalendar() { return QStringLiteral("Item to Calendar"); }

QString DataFileDamaged(const QString &path, const QString &reason)
{
    return QStringLiteral("Your lists could not be read completely from %1 (%2). "
                          "The lists read before the damage are shown. The file is kept "
                          "as %1.bak before it is next saved.")
            .arg(path, reason);
}
QString DataFileUnreadable(const QString &path, const QString &reason)
{
    return QStringLiteral("Your lists could not be read from %1 (%2). The file is left as it is: "
                          "Quillmark will not save over it. When you quit, you can save the lists "
                          "shown here to another file.")
            .arg(path, reason);
}
QString SaveFailed(const QString &path, const QString &reason)
{
    // No promise about the file on disk here: when only the folder flush
    // failed, the new file is already in place.
    return QStringLiteral("Your lists could not be saved to %1 (%2). "
                          "Your changes are still open here.")
            .arg(path, reason);
}

QString ExitSaveFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Your lists could not be saved to %1 (%2).\n\n"
                          "You can try again, save them to a file you choose (it can later be put "
                          "in place of %1), or quit and keep them in a rescue copy.")
            .arg(path, reason);
}
QString ChoiceTryAgain() { return QStringLiteral("Try Again"); }
QString ChoiceSaveElsewhere() { return QStringLiteral("Save As..."); }
QString ChoiceQuitWithRescueCopy() { return QStringLiteral("Quit, Keep a Rescue Copy"); }
QString DataFileFilter() { return QStringLiteral("Quillmark Lists (*.dat);;All Files (*)"); }
QString ChooseAnotherFile(const QString &path)
{
    return QStringLiteral("%1 is the file that cannot be saved. Please choose another file.").arg(path);
}
QString RescueCopyWritten(const QString &copyPath, const QString &dataPath)
{
    return QStringLiteral("Your lists were kept in the rescue copy %1. To use them again, put that "
                          "file in place of %2 while Quillmark is not running.")
            .arg(copyPath, dataPath);
}
QString RescueCopyFailed(const QString &reason)
{
    return QStringLiteral("The rescue copy could not be written either (%1). Quillmark stays open, "
                          "with your changes.")
            .arg(reason);
}
QString RescueCopyNotice(const QString &copyPath, const QString &dataPath)
{
    return QStringLiteral("When Quillmark last ended, your lists could not be saved to %2 and were "
                          "kept in the rescue copy %1. The lists shown now are those of %2. To use "
                          "the rescued ones, quit Quillmark and put that file in place of %2.")
            .arg(copyPath, dataPath);
}
QString ListsLost(const QString &reason)
{
    return QStringLiteral("Quillmark ended without saving its lists: neither the data file nor a "
                          "rescue copy could be written (%1).")
            .arg(reason);
}

QString FileEndsEarly(qint64 offset)
{
    return QStringLiteral("the file ends too early (byte %1)").arg(offset);
}
QString TextLengthMalformed(qint64 offset)
{
    return QStringLiteral("a text has a malformed length (byte %1)").arg(offset);
}
QString TextLongerThanFile(qint64 offset)
{
    return QStringLiteral("a text is longer than the rest of the file (byte %1)").arg(offset);
}
QString ItemDateInvalid(qint64 offset)
{
    return QStringLiteral("an item's date cannot be represented (byte %1)").arg(offset);
}
QString FileLongerThanCount(qint64 offset)
{
    return QStringLiteral("the file holds more than its list count announces (byte %1)").arg(offset);
}
QString FileReadError(const QString &reason)
{
    return QStringLiteral("the file could not be read: %1").arg(reason);
}
QString UnreadableNotReplaced()
{
    return QStringLiteral("the file could not be read when Quillmark started, so it is not replaced");
}
QString TextTooLongToSave() { return QStringLiteral("a text is too long to be saved"); }
QString BackupFailed(const QString &backupPath, const QString &reason)
{
    return QStringLiteral("the damaged file could not be kept as %1: %2").arg(backupPath, reason);
}
QString FolderNotFlushed(const QString &reason)
{
    return QStringLiteral("the new file was written but its folder could not be flushed to disk: %1")
            .arg(reason);
}

QString AlreadyRunningNoAnswer(const QString &dataPath)
{
    return QStringLiteral("Quillmark is already running with the lists in %1, but it does not "
                          "answer. Close it (or end it, if it hangs) and start Quillmark again.")
            .arg(dataPath);
}

QString UnappliedTick(const QString &list, const QString &item, bool done)
{
    return done ? QStringLiteral("'%1' in '%2' (ticked)").arg(item, list)
                : QStringLiteral("'%1' in '%2' (tick removed)").arg(item, list);
}
QString TicksNotApplied(const QStringList &lines)
{
    return QStringLiteral("Your lists were changed by another program or on another computer. "
                          "The newer lists are shown with your ticks on them, but for these "
                          "the item is no longer there:\n%1")
            .arg(lines.join(u'\n'));
}

namespace {
QString MergeSubject(const QString &list, const QString &item)
{
    return item.isEmpty() ? QStringLiteral("The list '%1'").arg(list)
                          : QStringLiteral("'%1' in '%2'").arg(item, list);
}
} // namespace

QString KeptBothVersions(const QString &list, const QString &item)
{
    return QStringLiteral("%1 (changed here and there: both versions are kept)")
            .arg(MergeSubject(list, item));
}
QString KeptAsChangedHere(const QString &list, const QString &item)
{
    return QStringLiteral("%1 (removed there: kept as changed here)").arg(MergeSubject(list, item));
}
QString KeptAsChangedThere(const QString &list, const QString &item)
{
    return QStringLiteral("%1 (changed there: kept, though removed here)").arg(MergeSubject(list, item));
}
QString ChangesNotAppliedAsMade(const QStringList &lines)
{
    return QStringLiteral("Your lists were changed by another program or on another computer. "
                          "The newer lists are shown with your changes on them; these could "
                          "not be made as you made them:\n%1")
            .arg(lines.join(u'\n'));
}
QString NewerFileNotTakenIn(const QString &path, const QString &reason)
{
    return QStringLiteral("Your lists in %1 were changed by another program or on another "
                          "computer, but the newer file cannot be read completely (%2); it may "
                          "still be arriving. The lists shown here are kept, and Quillmark does "
                          "not save over that file until it can read it whole.")
            .arg(path, reason);
}
QString NewerFileNotReplaced(const QString &reason)
{
    return QStringLiteral("another program changed the file, and the newer file cannot be read "
                          "completely (%1), so it is not replaced")
            .arg(reason);
}

namespace {
QString Count(int n, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(QString::number(n), n == 1 ? one : many);
}
} // namespace
QString OfferConflictCopy(const QString &copyName, const QString &folderName)
{
    return QStringLiteral("A sync tool kept another version of your lists beside them, as "
                          "\"%1\". Merge its lists into yours?\n\nWhat only that version "
                          "holds is added; nothing of yours is removed. The copy is then moved "
                          "into the folder \"%2\" beside your lists.")
            .arg(copyName, folderName);
}
QString ConflictCopyUnreadable(const QString &copyPath, const QString &reason)
{
    return QStringLiteral("A sync tool kept another version of your lists as %1, but it cannot "
                          "be read (%2). It was left where it is.")
            .arg(copyPath, reason);
}
QString ConflictCopiesMerged(int copies, int listsAdded, int itemsAdded, int ticksTaken,
                             const QString &folder)
{
    return QStringLiteral("Merged %1: %2 added, %3 added to lists you had, %4 taken over. "
                          "Merged copies are kept in %5.")
            .arg(copies == 1 ? QStringLiteral("the copy") : Count(copies, QString(), QStringLiteral("copies")),
                 Count(listsAdded, QStringLiteral("list"), QStringLiteral("lists")),
                 Count(itemsAdded, QStringLiteral("item"), QStringLiteral("items")),
                 Count(ticksTaken, QStringLiteral("tick"), QStringLiteral("ticks")), folder);
}
QString ConflictCopyNotMoved(const QString &copyPath, const QString &reason)
{
    return QStringLiteral("The merged copy %1 could not be moved aside (%2). It is offered "
                          "again at the next start.")
            .arg(copyPath, reason);
}
QString FolderNotMade(const QString &folder)
{
    return QStringLiteral("the folder %1 could not be made").arg(folder);
}

QString ButtonTip(const QString &name, const QString &keys)
{
    return keys.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, keys);
}
QString ListSetupButtonTip(bool itemRow, int faceBitmapId, const QString &keys)
{
    QString name;
    switch (faceBitmapId) {
    case Res::IDB_ADD: name = itemRow ? QStringLiteral("Add item") : QStringLiteral("Add list"); break;
    case Res::IDB_REMOVE: name = itemRow ? QStringLiteral("Remove item") : QStringLiteral("Remove list"); break;
    case Res::IDB_EDIT: name = itemRow ? QStringLiteral("Edit item") : QStringLiteral("Edit list"); break;
    default: return QString();
    }
    if (keys.isEmpty())
        return name;
    return itemRow ? QStringLiteral("%1 (%2 in the item list)").arg(name, keys)
                   : QStringLiteral("%1 (%2 in the list box)").arg(name, keys);
}

} // namespace Str
