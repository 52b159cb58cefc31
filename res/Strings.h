#pragma once

#include <QString>
#include <QStringList>

// Texts that several places show, named once; the others are written with
// Tr::tr() where they are used.
namespace Str {

// Program title and window captions
QString AppTitle();              // "Quillmark"
QString AboutCaption();          // "About Quillmark"
QString AboutVersion();          // "Quillmark Version 1.01b", from the version in CMakeLists.txt

// The frame's Help menu, and what its Contents tells when the page cannot be shown
QString MenuHelp();              // "&Help"
QString MenuAbout();             // "&About ..."
QString MenuContents();          // "Contents"
QString HelpPageMissing(const QString &path);
QString CannotOpenLink(const QString &target);

// The frame's Edit menu
QString MenuEdit();              // "&Edit"
QString MenuUndo(const QString &change);  // "&Undo Tick 'Bread'"; "&Undo" with no change
QString MenuRedo(const QString &change);  // "&Redo Tick 'Bread'"; "&Redo" with no change

// Main view
QString TreeRoot();              // "Lists"
QString LabelDate();             // "Date"
QString LabelPrice();            // "Price"
QString LabelDescription();      // "Description"
QString LabelTotal();            // "Total: "
QString ColumnName();            // "Name"
QString ColumnPrice();           // "Price"
QString ColumnDate();            // "Date"
QString ColumnDone();            // "Done"
QString Yes();                   // "Yes"
QString No();                    // "No"
QString NotDated();              // "---"

// List editing
QString MustSelectListToRemove();          // "You must select a list to remove."
QString ConfirmRemoveList(const QString &name);
QString ConfirmRemoveItem(const QString &name);
QString NewItemNeedsName();                // "New Item must have a name."
QString NewListNeedsName();                // "New List must have a name."
QString PriceNotANumber();

// List editing dialogs: captions and control texts
QString NewItemCaption();                  // "New Item"
QString NewListCaption();                  // "New List"
QString ListSetupCaption();                // "List Setup"
QString FieldName();                       // "Name:"
QString FieldDesc();                       // "Desc:"
QString FieldPrice();                      // "Price:"
QString FieldDate();                       // "Date:"
QString FieldTime();                       // "Time:"
QString CheckDated();                      // "Dated"
QString GroupList();                       // "List"
QString GroupItems();                      // "Items"
QString ButtonOK();                        // "OK"
QString ButtonCancel();                    // "Cancel"

// Export
QString NoListSelected();                  // "No List Selected."
QString NoItemsInList();                   // "No Items in current list."
QString TroubleConverting();               // "Trouble Converting String, file will not be completed"
QString ExportDone();
QString ExportDoneSomeLeftOut();
QString ExportFailed(const QString &reason);
QString ExportDoneSomeNotStorable();       // records with characters Windows-1252 lacks were left out

// Import
QString CsvFileFilter();                   // "Comma Delimited Files (*.csv);;All Files (*)"

// Import Fields dialog
QString ImportFieldsCaption();             // "Import Fields"
QString FieldNameField();                  // "Name Field:"
QString FieldDescField();                  // "Desc Field:"
QString FieldPriceField();                 // "Price Field:"
QString FieldItemIcon();                   // "Item Icon:"
QString EnterIntegerBetween(int low, int high); // "Please enter an integer between 1 and 50."

// Hand-over to the calendar and task store, and its "Setup" dialog
QString HandOverDateOutOfRange();          // reason: a due date or start the store cannot hold
QString HandOverSetupCaption();            // "Setup"
QString GroupItemsToCalendar();            // "Items to Calendar"
QString CheckItemToTask();                 // "Item to Task"
QString CheckItemToCalendar();             // "Item to Calendar"

// Data file
QString DataFileDamaged(const QString &path, const QString &reason);
QString DataFileUnreadable(const QString &path, const QString &reason);
QString SaveFailed(const QString &path, const QString &reason);

// Ending the program when the data file cannot be saved
QString ExitSaveFailed(const QString &path, const QString &reason);
QString ChoiceTryAgain();                  // "Try Again"
QString ChoiceSaveElsewhere();             // "Save As..."
QString ChoiceQuitWithRescueCopy();        // "Quit, Keep a Rescue Copy"
QString DataFileFilter();                  // "Quillmark Lists (*.dat);;All Files (*)"
QString ChooseAnotherFile(const QString &path);
QString RescueCopyWritten(const QString &copyPath, const QString &dataPath);
QString RescueCopyFailed(const QString &reason);
QString RescueCopyNotice(const QString &copyPath, const QString &dataPath); // at the next start
QString ListsLost(const QString &reason);  // on standard error, when even the rescue copy failed

// Reasons filled into the two texts above
QString FileEndsEarly(qint64 offset);                // "the file ends too early (byte 12)"
QString TextLengthMalformed(qint64 offset);          // "a text has a malformed length (byte 12)"
QString TextLongerThanFile(qint64 offset);           // "a text is longer than the rest of the file (byte 12)"
QString ItemDateInvalid(qint64 offset);              // "an item's date cannot be represented (byte 12)"
QString FileLongerThanCount(qint64 offset);          // "the file holds more than its list count announces (byte 12)"
QString FileReadError(const QString &reason);        // "the file could not be read: ..."
QString UnreadableNotReplaced();                     // why a save over an unreadable file is refused
QString TextTooLongToSave();                         // "a text is too long to be saved"
QString BackupFailed(const QString &backupPath, const QString &reason);
QString FolderNotFlushed(const QString &reason);

// The data file shared with other programs and other computers
QString AlreadyRunningNoAnswer(const QString &dataPath);
// One line per tick that found no item in a newer file: "'Bread' in 'Shop'
// (ticked)", and the message around them.
QString UnappliedTick(const QString &list, const QString &item, bool done);
QString TicksNotApplied(const QStringList &lines);
// Lines for other changes that could not be put on a newer file as made, and
// the message around them (ticks among them).
QString KeptBothVersions(const QString &list, const QString &item);
QString KeptAsChangedHere(const QString &list, const QString &item);  // item empty: the list
QString KeptAsChangedThere(const QString &list, const QString &item); // item empty: the list
QString ChangesNotAppliedAsMade(const QStringList &lines);
// A newer data file that could not be read whole, and why a save then
// refuses to replace it.
QString NewerFileNotTakenIn(const QString &path, const QString &reason);
QString NewerFileNotReplaced(const QString &reason);
QString OfferConflictCopy(const QString &copyName, const QString &folderName);
QString ConflictCopyUnreadable(const QString &copyPath, const QString &reason);
QString ConflictCopiesMerged(int copies, int listsAdded, int itemsAdded, int ticksTaken,
                             const QString &folder);
QString ConflictCopyNotMoved(const QString &copyPath, const QString &reason);
QString FolderNotMade(const QString &folder);           // reason: "the folder ... could not be made"

// Tool tips of the drawn buttons
// A button's name and its keys: "Edit (F2, Ctrl+E)"; without keys only the
// name.
QString ButtonTip(const QString &name, const QString &keys);
// The same for List Setup's buttons (plus, minus, pencil) of the list row or
// the item row, whose keys work where the focus is: "Add list (Insert in the
// list box)", "Remove item (Delete in the item list)".
QString ListSetupButtonTip(bool itemRow, int faceBitmapId, const QString &keys);

} // namespace Str
