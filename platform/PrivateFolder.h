#pragma once

#include <QString>

// Folders of this user's own that nobody else may enter (mode 0700): where
// the program keeps what another user must neither read nor plant, such as
// the lock of the running program or a rescue copy of the lists.
namespace PrivateFolder {

// Whether `path` is a folder, not a symbolic link, owned by this user, that
// no one else may enter.
bool IsPrivate(const QString &path);

// Makes `path` such a folder: what is missing of it is made with mode 0700;
// a folder of this user's own that others may enter is closed to them. False,
// with the reason, when the path is a link, no folder, another user's, or
// cannot be made.
bool Make(const QString &path, QString *reason);

} // namespace PrivateFolder
