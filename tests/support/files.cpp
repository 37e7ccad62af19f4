#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quornet::testing
{

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString readText(const QString& path) { return QString::fromUtf8(readFile(path)); }

bool writeFile(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

} // namespace quornet::testing
