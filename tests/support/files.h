// Files in tests: read whole, written whole.
#pragma once

#include <QByteArray>
#include <QString>

namespace quornet::testing
{

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);
// The file's text (UTF-8); empty when it cannot be read.
QString readText(const QString& path);
// Writes the whole file, making its folder when missing; false when it cannot.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace quornet::testing
