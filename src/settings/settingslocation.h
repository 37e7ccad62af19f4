// Where the settings file "vexolobby.ini" lives.
//
// The file sits beside the program file, as the maker's other programs expect, when that folder
// is writable. A system-wide install (/usr/games, "Program Files") is not writable for the user, so
// the file then lives in the user's configuration folder and the settings are never lost; below
// /usr that is so for root too.
//
// That folder is QStandardPaths::GenericConfigLocation plus the maker's folder "Vexo42"
// (~/.config/Vexo42 on Linux), not AppConfigLocation: the file is shared with the maker's other
// programs (the lobby), and AppConfigLocation is a folder of this program alone whose name
// follows the application and organisation names the program happens to set, so the other
// programs could not find it. The maker's folder under the generic location is one fixed place
// that all of them can use.
#pragma once

#include <QString>

namespace quornet::settings {

class SettingsLocation {
public:
    static QString fileName(); // "vexolobby.ini"

    // The user's configuration folder for the file (GenericConfigLocation + "/Vexo42").
    static QString userConfigFolder();

    // The folder to use: programFolder when it is writable and not below /usr, else configFolder.
    static QString folder(const QString& programFolder, const QString& configFolder);
    // folder() + "/vexolobby.ini".
    static QString filePath(const QString& programFolder, const QString& configFolder);

    // For the running program: beside QCoreApplication::applicationDirPath() when writable,
    // else in userConfigFolder(). Needs a QCoreApplication.
    static QString filePath();
};

} // namespace quornet::settings
