#include "platform/folders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace quornet::platform {

bool isSystemFolder(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path == QLatin1String("/usr") || path.startsWith(QLatin1String("/usr/"));
}

bool isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    // Permission bits are not the whole truth (root, read-only mounts, access control lists):
    // try it. The probe file is removed again when it goes out of scope.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quornet-probe-XXXXXX")));
    return probe.open();
}

QString besideProgramOr(const QString& programFolder, const QString& userFolder)
{
    return isWritableFolder(programFolder) && !isSystemFolder(programFolder) ? programFolder : userFolder;
}

} // namespace quornet::platform
