// Where the program may keep its files: beside itself when that folder is writable and not one
// of the system's, else in a folder of the user's. QtCore only.
#pragma once

#include <QString>

namespace quornet::platform {

// Below /usr live the package manager's files (/usr/games, /usr/local/bin, ...): the program keeps
// its settings and tally beside itself only outside them, even where it could write (as root).
bool isSystemFolder(const QString& folder);

// True when a file can be created in the folder now (an existing folder in which a probe file can
// be made; this also sees read-only mounts and access rules that permission bits do not show).
bool isWritableFolder(const QString& folder);

// programFolder when it is writable and not a system folder, else userFolder.
QString besideProgramOr(const QString& programFolder, const QString& userFolder);

} // namespace quornet::platform
