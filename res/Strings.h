#pragma once

#include <QString>

// Texts that several files show and that must read alike there; every other
// text is written with Tr::tr() where it is used.
namespace Str {

// The program's name: the window's and the import's title, and the name
// that chooses the settings file and the data folder.
QString AppTitle();              // "Quillmark"

// Words the dialogs, the main view and its models share
QString ButtonCancel();          // "Cancel": the dialogs' button and the choice at exit
QString FieldName();             // "Name:": the item's and the list's form
QString ColumnName();            // "Name": List Setup's, the view's and the search's columns
QString ColumnDone();            // "Done": List Setup's and the view's columns
QString LabelDescription();      // "Description": the view's column and the item details' label

// The question before a list or an item goes: List Setup's and the main
// view's Delete.
QString ConfirmRemoveList(const QString &name);
QString ConfirmRemoveItem(const QString &name);

// A failed save, from the document and from the choice of another file at
// exit; the reason is one of the store's.
QString SaveFailed(const QString &path, const QString &reason);
// A read of the data file that failed: from the data file's reader and from
// the store, which may not get as far as the reader.
QString FileReadError(const QString &reason);            // "the file could not be read: ..."
// A merged conflict copy that could not be moved aside: after the offer at
// the start, and after the window takes back its own save that a sync tool
// set aside.
QString ConflictCopyNotMoved(const QString &copyPath, const QString &reason);

} // namespace Str
