// The one 8-bit encoding of the program's text: Windows-1252, on the wire (names, chat) and in
// the settings and tally files. Written here rather than taken from QStringConverter, whose
// built-in encodings stop at Latin-1 (Windows-1252 would need ICU at run time).
//
// A character the encoding cannot hold is written as "?". On the wire the byte 0xFF ("ÿ") ends
// a message, so wire text writes that character as "?" too.
#pragma once

#include <QByteArray>
#include <QString>

namespace quornet::protocol {

QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);

// Text for a message field: Windows-1252 without the terminator byte.
QByteArray toWire(const QString& text);
inline QString fromWire(const QByteArray& bytes) { return fromCp1252(bytes); }

// Text read from a file that earlier builds wrote as UTF-8: bytes that form valid UTF-8 and hold
// a byte above 0x7F are read as UTF-8, everything else as Windows-1252.
QString fromFileText(const QByteArray& bytes);

} // namespace quornet::protocol
