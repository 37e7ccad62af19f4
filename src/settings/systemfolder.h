// Below /usr live the package manager's files (/usr/games, /usr/local/bin, ...): the program keeps
// its settings and tally beside itself only outside them, even where it could write (as root).
#pragma once

#include <QFileInfo>
#include <QString>

namespace quornet::settings {

inline bool isSystemFolder(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path == QLatin1String("/usr") || path.startsWith(QLatin1String("/usr/"));
}

} // namespace quornet::settings
