#pragma once

#include <QString>

// The question a failed save at the end asks, as the user reads it.
inline QString ExitQuestion(const QString &dataPath, const QString &reason)
{
    return QStringLiteral("Your lists could not be saved to %1 (%2).\n\n"
                          "You can try again, save them to a file you choose (it can later be put "
                          "in place of %1), or quit and keep them in a rescue copy.")
            .arg(dataPath, reason);
}
