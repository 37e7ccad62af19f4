#include "settings/settingslocation.h"

#include "settings/systemfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

bool SettingsLocation::isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    // Permission bits are not the whole truth (root, read-only mounts, access control lists):
    // try it. The probe file is removed again when it goes out of scope.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quornet-probe-XXXXXX")));
    return probe.open();
}

QString SettingsLocation::folder(const QString& programFolder, const QString& configFolder)
{
    return isWritableFolder(programFolder) && !isSystemFolder(programFolder) ? programFolder : configFolder;
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
