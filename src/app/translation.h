// The program's texts in the system's language, when a translation for it is installed.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace quornet::app {

// Where translations (quornet_LANG.qm) are looked for, in order: the ones compiled in
// (:/translations), translations/ beside the program (the build tree), the installed data folder
// (../share/quornet/translations from the program's folder) and the user's data folders.
QStringList translationFolders();

// Installs on the running application the first translation in `folders` that fits the locale's
// languages (QTranslator's own choice: "fr_CA", then "fr"), and Qt's own for its dialogs' buttons.
// Returns the file that was loaded, empty when none fits: the texts then stay in English.
QString installTranslation(const QLocale& locale = QLocale::system(), const QStringList& folders = translationFolders());

} // namespace quornet::app
