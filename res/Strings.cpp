#include "res/Strings.h"

#include "res/Tr.h"

namespace Str {

// The program's name is the same in every language.
QString AppTitle() { return QStringLiteral("Quillmark"); }

QString ButtonCancel() { return Tr::tr("Cancel"); }
//: The labels and buttons of the dialogs, which are narrow: keep them short.
QString FieldName() { return Tr::tr("Name:"); }
QString ColumnName() { return Tr::tr("Name"); }
QString ColumnDone() { return Tr::tr("Done"); }
QString LabelDescription() { return Tr::tr("Description"); }

QString ConfirmRemoveList(const QString &name)
{
    return Tr::tr("Are you sure you want to remove the list '%1'?").arg(name);
}
QString ConfirmRemoveItem(const QString &name)
{
    return Tr::tr("Are you sure you want to remove the item '%1'?").arg(name);
}

QString SaveFailed(const QString &path, const QString &reason)
{
    // No promise about the file on disk here: when only the folder flush
    // failed, the new file is already in place.
    return Tr::tr("Your lists could not be saved to %1 (%2). "
                  "Your changes are still open here.")
            .arg(path, reason);
}
QString FileReadError(const QString &reason)
{
    return Tr::tr("the file could not be read: %1").arg(reason);
}
QString ConflictCopyNotMoved(const QString &copyPath, const QString &reason)
{
    return Tr::tr("The merged copy %1 could not be moved aside (%2). It is offered "
                  "again at the next start.")
            .arg(copyPath, reason);
}

} // namespace Str
