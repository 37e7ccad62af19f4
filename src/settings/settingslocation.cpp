#include "settings/settingslocation.h"

#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace quornet::settings {

QString SettingsLocation::fileName()
{
    return QStringLiteral("vexolobby.ini");
}

QString SettingsLocation::userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vexo42");
}

QString SettingsLocation::folder(const QString& programFolder, const QString& configFolder)
{
    return platform::besideProgramOr(programFolder, configFolder);
}

QString SettingsLocation::filePath(const QString& programFolder, const QString& configFolder)
{
    return QDir(folder(programFolder, configFolder)).filePath(fileName());
}

QString SettingsLocation::filePath()
{
    return filePath(QCoreApplication::applicationDirPath(), userConfigFolder());
}

} // namespace quornet::settings
