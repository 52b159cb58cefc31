#include "res/Strings.h"

#include "res/ResourceIds.h"

#include <QCoreApplication>

namespace Str {

namespace {
// The context of these texts in the translations (res/translations).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Str)
};
} // namespace

// The program's name is the same in every language.
QString AppTitle() { return QStringLiteral("Quillmark"); }
QString AboutCaption() { return Text::tr("About Quillmark"); }
QString AboutVersion() { return Text::tr("Quillmark Version %1").arg(QStringLiteral(QUILLMARK_VERSION_TEXT)); }

QString MenuHelp() { return Text::tr("&Help"); }
QString MenuAbout() { return Text::tr("&About ..."); }
QString MenuContents() { return Text::tr("Contents"); }
QString HelpPageMissing(const QString &path)
{
    return Text::tr("The help page is not installed. Quillmark looked for it at %1.").arg(path);
}
QString CannotOpenLink(const QString &target)
{
    return Text::tr("Quillmark could not open %1.").arg(target);
}

QString MenuEdit() { return Text::tr("&Edit"); }
QString MenuUndo(const QString &change)
{
    //: The Edit menu entry, alone and followed by the change it takes back (%1, e.g. "Tick 'Bread'").
    return change.isEmpty() ? Text::tr("&Undo") : Text::tr("&Undo %1").arg(change);
}
QString MenuRedo(const QString &change)
{
    return change.isEmpty() ? Text::tr("&Redo") : Text::tr("&Redo %1").arg(change);
}

QString TreeRoot() { return Text::tr("Lists"); }
QString LabelDate() { return Text::tr("Date"); }
QString LabelPrice() { return Text::tr("Price"); }
QString LabelDescription() { return Text::tr("Description"); }
//: Drawn in front of the sum; keep the space at the end.
QString LabelTotal() { return Text::tr("Total: "); }
QString ColumnName() { return Text::tr("Name"); }
QString ColumnPrice() { return Text::tr("Price"); }
QString ColumnDate() { return Text::tr("Date"); }
QString ColumnDone() { return Text::tr("Done"); }
QString Yes() { return Text::tr("Yes"); }
QString No() { return Text::tr("No"); }
QString NotDated() { return QStringLiteral("---"); }

QString MustSelectListToRemove() { return Text::tr("You must select a list to remove."); }
QString ConfirmRemoveList(const QString &name)
{
    return Text::tr("Are you sure you want to remove the list '%1'?").arg(name);
}
QString ConfirmRemoveItem(const QString &name)
{
    return Text::tr("Are you sure you want to remove the item '%1'?").arg(name);
}
QString NewItemNeedsName() { return Text::tr("New Item must have a name."); }
QString NewListNeedsName() { return Text::tr("New List must have a name."); }
//: The price field takes a point as the decimal mark in every language.
QString PriceNotANumber() { return Text::tr("Please enter a number for the price, for example 12.50."); }

QString NewItemCaption() { return Text::tr("New Item"); }
QString NewListCaption() { return Text::tr("New List"); }
QString ListSetupCaption() { return Text::tr("List Setup"); }
//: The labels and buttons of the dialogs, which are narrow: keep them short.
QString FieldName() { return Text::tr("Name:"); }
QString FieldDesc() { return Text::tr("Desc:"); }
QString FieldPrice() { return Text::tr("Price:"); }
QString FieldDate() { return Text::tr("Date:"); }
QString FieldTime() { return Text::tr("Time:"); }
QString CheckDated() { return Text::tr("Dated"); }
QString GroupList() { return Text::tr("List"); }
QString GroupItems() { return Text::tr("Items"); }
QString ButtonOK() { return Text::tr("OK"); }
QString ButtonCancel() { return Text::tr("Cancel"); }

QString NoListSelected() { return Text::tr("No List Selected."); }
QString NoItemsInList() { return Text::tr("No Items in current list."); }
QString TroubleConverting() { return Text::tr("Trouble Converting String, file will not be completed"); }
QString ExportDone()
{
    //: 'My Documents' is the user's documents folder.
    return Text::tr("The File 'Quillmark.csv' was created in your 'My Documents' folder.");
}
QString ExportDoneSomeLeftOut()
{
    return Text::tr("The File 'Quillmark.csv' was created in your 'My Documents' folder, "
                    "some records were too long and were left out.");
}
QString ExportFailed(const QString &reason)
{
    return Text::tr("The File 'Quillmark.csv' could not be written: %1").arg(reason);
}
QString ExportDoneSomeNotStorable()
{
    return Text::tr("The File 'Quillmark.csv' was created in your 'My Documents' folder, "
                    "some records were too long or held characters the file cannot store "
                    "and were left out.");
}

//: A file chooser's filters: translate the names, keep the patterns in brackets and the ";;".
QString CsvFileFilter() { return Text::tr("Comma Delimited Files (*.csv);;All Files (*)"); }

QString ImportFieldsCaption() { return Text::tr("Import Fields"); }
QString FieldNameField() { return Text::tr("Name Field:"); }
QString FieldDescField() { return Text::tr("Desc Field:"); }
QString FieldPriceField() { return Text::tr("Price Field:"); }
QString FieldItemIcon() { return Text::tr("Item Icon:"); }
QString EnterIntegerBetween(int low, int high)
{
    return Text::tr("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

QString HandOverDateOutOfRange() { return Text::tr("the date lies outside the years 100 to 9999"); }
QString HandOverSetupCaption() { return Text::tr("Setup"); }
QString GroupItemsToCalendar() { return Text::tr("Items to Calendar"); }
QString CheckItemToTask() { return Text::tr("Item to Task"); }
QString CheckItemToCalendar() { return Text::tr("Item to Calendar"); }

QString DataFileDamaged(const QString &path, const QString &reason)
{
    return Text::tr("Your lists could not be read completely from %1 (%2). "
                    "The lists read before the damage are shown. The file is kept "
                    "as %1.bak before it is next saved.")
            .arg(path, reason);
}
QString DataFileUnreadable(const QString &path, const QString &reason)
{
    return Text::tr("Your lists could not be read from %1 (%2). The file is left as it is: "
                    "Quillmark will not save over it. When you quit, you can save the lists "
                    "shown here to another file.")
            .arg(path, reason);
}
QString SaveFailed(const QString &path, const QString &reason)
{
    // No promise about the file on disk here: when only the folder flush
    // failed, the new file is already in place.
    return Text::tr("Your lists could not be saved to %1 (%2). "
                    "Your changes are still open here.")
            .arg(path, reason);
}

QString ExitSaveFailed(const QString &path, const QString &reason)
{
    return Text::tr("Your lists could not be saved to %1 (%2).\n\n"
                    "You can try again, save them to a file you choose (it can later be put "
                    "in place of %1), or quit and keep them in a rescue copy.")
            .arg(path, reason);
}
QString ChoiceTryAgain() { return Text::tr("Try Again"); }
QString ChoiceSaveElsewhere() { return Text::tr("Save As..."); }
QString ChoiceQuitWithRescueCopy() { return Text::tr("Quit, Keep a Rescue Copy"); }
//: Translate the names, keep the patterns in brackets and the ";;".
QString DataFileFilter() { return Text::tr("Quillmark Lists (*.dat);;All Files (*)"); }
QString ChooseAnotherFile(const QString &path)
{
    return Text::tr("%1 is the file that cannot be saved. Please choose another file.").arg(path);
}
QString RescueCopyWritten(const QString &copyPath, const QString &dataPath)
{
    return Text::tr("Your lists were kept in the rescue copy %1. To use them again, put that "
                    "file in place of %2 while Quillmark is not running.")
            .arg(copyPath, dataPath);
}
QString RescueCopyFailed(const QString &reason)
{
    return Text::tr("The rescue copy could not be written either (%1). Quillmark stays open, "
                    "with your changes.")
            .arg(reason);
}
QString RescueCopyNotice(const QString &copyPath, const QString &dataPath)
{
    return Text::tr("When Quillmark last ended, your lists could not be saved to %2 and were "
                    "kept in the rescue copy %1. The lists shown now are those of %2. To use "
                    "the rescued ones, quit Quillmark and put that file in place of %2.")
            .arg(copyPath, dataPath);
}
QString ListsLost(const QString &reason)
{
    return Text::tr("Quillmark ended without saving its lists: neither the data file nor a "
                    "rescue copy could be written (%1).")
            .arg(reason);
}

QString FileEndsEarly(qint64 offset)
{
    return Text::tr("the file ends too early (byte %1)").arg(offset);
}
QString TextLengthMalformed(qint64 offset)
{
    return Text::tr("a text has a malformed length (byte %1)").arg(offset);
}
QString TextLongerThanFile(qint64 offset)
{
    return Text::tr("a text is longer than the rest of the file (byte %1)").arg(offset);
}
QString ItemDateInvalid(qint64 offset)
{
    return Text::tr("an item's date cannot be represented (byte %1)").arg(offset);
}
QString FileLongerThanCount(qint64 offset)
{
    return Text::tr("the file holds more than its list count announces (byte %1)").arg(offset);
}
QString FileReadError(const QString &reason)
{
    return Text::tr("the file could not be read: %1").arg(reason);
}
QString UnreadableNotReplaced()
{
    return Text::tr("the file could not be read when Quillmark started, so it is not replaced");
}
QString TextTooLongToSave() { return Text::tr("a text is too long to be saved"); }
QString BackupFailed(const QString &backupPath, const QString &reason)
{
    return Text::tr("the damaged file could not be kept as %1: %2").arg(backupPath, reason);
}
QString FolderNotFlushed(const QString &reason)
{
    return Text::tr("the new file was written but its folder could not be flushed to disk: %1")
            .arg(reason);
}

QString AlreadyRunningNoAnswer(const QString &dataPath)
{
    return Text::tr("Quillmark is already running with the lists in %1, but it does not "
                    "answer. Close it (or end it, if it hangs) and start Quillmark again.")
            .arg(dataPath);
}

QString UnappliedTick(const QString &list, const QString &item, bool done)
{
    return done ? Text::tr("'%1' in '%2' (ticked)").arg(item, list)
                : Text::tr("'%1' in '%2' (tick removed)").arg(item, list);
}
QString TicksNotApplied(const QStringList &lines)
{
    return Text::tr("Your lists were changed by another program or on another computer. "
                    "The newer lists are shown with your ticks on them, but for these "
                    "the item is no longer there:\n%1")
            .arg(lines.join(u'\n'));
}

namespace {
QString MergeSubject(const QString &list, const QString &item)
{
    return item.isEmpty() ? Text::tr("The list '%1'").arg(list)
                          : Text::tr("'%1' in '%2'").arg(item, list);
}
} // namespace

QString KeptBothVersions(const QString &list, const QString &item)
{
    return Text::tr("%1 (changed here and there: both versions are kept)")
            .arg(MergeSubject(list, item));
}
QString KeptAsChangedHere(const QString &list, const QString &item)
{
    return Text::tr("%1 (removed there: kept as changed here)").arg(MergeSubject(list, item));
}
QString KeptAsChangedThere(const QString &list, const QString &item)
{
    return Text::tr("%1 (changed there: kept, though removed here)").arg(MergeSubject(list, item));
}
QString ChangesNotAppliedAsMade(const QStringList &lines)
{
    return Text::tr("Your lists were changed by another program or on another computer. "
                    "The newer lists are shown with your changes on them; these could "
                    "not be made as you made them:\n%1")
            .arg(lines.join(u'\n'));
}
QString NewerFileNotTakenIn(const QString &path, const QString &reason)
{
    return Text::tr("Your lists in %1 were changed by another program or on another "
                    "computer, but the newer file cannot be read completely (%2); it may "
                    "still be arriving. The lists shown here are kept, and Quillmark does "
                    "not save over that file until it can read it whole.")
            .arg(path, reason);
}
QString NewerFileNotReplaced(const QString &reason)
{
    return Text::tr("another program changed the file, and the newer file cannot be read "
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
    return Text::tr("A sync tool kept another version of your lists beside them, as "
                    "\"%1\". Merge its lists into yours?\n\nWhat only that version "
                    "holds is added; nothing of yours is removed. The copy is then moved "
                    "into the folder \"%2\" beside your lists.")
            .arg(copyName, folderName);
}
QString ConflictCopyUnreadable(const QString &copyPath, const QString &reason)
{
    return Text::tr("A sync tool kept another version of your lists as %1, but it cannot "
                    "be read (%2). It was left where it is.")
            .arg(copyPath, reason);
}
QString ConflictCopiesMerged(int copies, int listsAdded, int itemsAdded, int ticksTaken,
                             const QString &folder)
{
    //: %1 is "the copy" or a number of copies; %2, %3 and %4 are numbers of lists, items and ticks.
    return Text::tr("Merged %1: %2 added, %3 added to lists you had, %4 taken over. "
                    "Merged copies are kept in %5.")
            .arg(copies == 1 ? Text::tr("the copy") : Count(copies, QString(), Text::tr("copies")),
                 Count(listsAdded, Text::tr("list"), Text::tr("lists")),
                 Count(itemsAdded, Text::tr("item"), Text::tr("items")),
                 Count(ticksTaken, Text::tr("tick"), Text::tr("ticks")), folder);
}
QString ConflictCopyNotMoved(const QString &copyPath, const QString &reason)
{
    return Text::tr("The merged copy %1 could not be moved aside (%2). It is offered "
                    "again at the next start.")
            .arg(copyPath, reason);
}
QString FolderNotMade(const QString &folder)
{
    return Text::tr("the folder %1 could not be made").arg(folder);
}

QString ButtonTip(const QString &name, const QString &keys)
{
    return keys.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, keys);
}
QString ListSetupButtonTip(bool itemRow, int faceBitmapId, const QString &keys)
{
    QString name;
    switch (faceBitmapId) {
    case Res::IDB_ADD: name = itemRow ? Text::tr("Add item") : Text::tr("Add list"); break;
    case Res::IDB_REMOVE: name = itemRow ? Text::tr("Remove item") : Text::tr("Remove list"); break;
    case Res::IDB_EDIT: name = itemRow ? Text::tr("Edit item") : Text::tr("Edit list"); break;
    default: return QString();
    }
    if (keys.isEmpty())
        return name;
    return itemRow ? Text::tr("%1 (%2 in the item list)").arg(name, keys)
                   : Text::tr("%1 (%2 in the list box)").arg(name, keys);
}

} // namespace Str
