// The "WRZL" container around the LZRW1/KH block method, in memory and to and from files.
#include "tally/lzrw1.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

namespace quornet::tally
{

namespace
{

void appendLe32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLe16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// Reads exactly n bytes into buffer (n at most buffer's size); false when the device ends first.
bool readExactly(QIODevice& in, char* buffer, qint64 n)
{
    qint64 done = 0;
    while (done < n) {
        const qint64 got = in.read(buffer + done, n - done);
        if (got <= 0) return false;
        done += got;
    }
    return true;
}

} // namespace

QString Lzrw1::noHeaderText(const QString& name)
{
    return name + QStringLiteral(" : Lzrw1 decompression : this file has no valid header !");
}

QString Lzrw1::huffmanText(const QString& name)
{
    return name + QStringLiteral(" : Lzrw1 decompression : this file uses the Huffman method "
                                 "(identifier !HZL), which this program cannot read !");
}

QString Lzrw1::sizeMismatchText()
{
    return QStringLiteral(
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}

QString Lzrw1::readErrorText(const QString& name)
{
    return QStringLiteral("Lzrw1 : Error reading from input file : ") + name;
}

QString Lzrw1::writeErrorText(const QString& name)
{
    return QStringLiteral("Lzrw1 : Error writing to output file : ") + name;
}

QString Lzrw1::openInputText(const QString& name)
{
    return QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + name;
}

QString Lzrw1::openOutputText(const QString& name)
{
    return QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + name;
}

QByteArray Lzrw1::compress(QByteArrayView data)
{
    if (data.size() > std::numeric_limits<qint32>::max()) return {};
    QByteArray out;
    out.reserve(8 + data.size() + (data.size() / PieceSize + 1) * 3);
    appendLe32(out, Identifier);
    appendLe32(out, quint32(data.size()));
    qsizetype at = 0;
    while (true) {
        const qsizetype n = qMin<qsizetype>(PieceSize, data.size() - at);
        const QByteArray block = compressPiece(data.sliced(at, n));
        appendLe16(out, quint16(block.size()));
        out.append(block);
        at += n;
        if (n < PieceSize)
            break; // the last piece is always shorter than a full one, possibly empty
    }
    return out;
}

Lzrw1::Result Lzrw1::decompress(QIODevice& in, const QString& name, qint64 maxSize)
{
    Result result;
    char header[4];
    if (!readExactly(in, header, 4)) {
        result.error = readErrorText(name);
        return result;
    }
    const quint32 identifier = qFromLittleEndian<quint32>(header);
    if (identifier == HuffmanIdentifier) {
        result.error = huffmanText(name);
        return result;
    }
    if (identifier != Identifier) {
        result.error = noHeaderText(name);
        return result;
    }
    if (!readExactly(in, header, 4)) {
        result.error = readErrorText(name);
        return result;
    }
    const qint64 originalSize = qFromLittleEndian<qint32>(header);
    // A negative size can never be matched, nor a size above the caller's limit.
    if (originalSize < 0 || originalSize > maxSize) {
        result.error = sizeMismatchText();
        return result;
    }

    QByteArray block(0xFFFF, Qt::Uninitialized);
    qsizetype lastPiece = PieceSize;
    while (lastPiece == PieceSize) {
        char lengthBytes[2];
        if (!readExactly(in, lengthBytes, 2)) {
            result.error = readErrorText(name);
            break;
        }
        const quint16 length = qFromLittleEndian<quint16>(lengthBytes);
        if (!readExactly(in, block.data(), length)) {
            result.error = readErrorText(name);
            break;
        }
        const qsizetype before = result.data.size();
        const PieceStatus status =
            decompressPiece(QByteArrayView(block.data(), length), result.data);
        if (status == PieceStatus::Truncated) {
            result.error = readErrorText(name);
            break;
        }
        if (status == PieceStatus::Corrupt) {
            result.error = sizeMismatchText();
            break;
        }
        lastPiece = result.data.size() - before;
        // More than announced can only end in a mismatch: stop before it grows any further.
        if (result.data.size() > originalSize) {
            result.error = sizeMismatchText();
            break;
        }
    }
    if (result.ok() && result.data.size() != originalSize) result.error = sizeMismatchText();
    if (!result.ok()) result.data.clear();
    return result;
}

Lzrw1::Result Lzrw1::decompress(const QByteArray& file, const QString& name, qint64 maxSize)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return decompress(buffer, name, maxSize);
}

QString Lzrw1::compressToFile(QByteArrayView data, const QString& path)
{
    const QByteArray bytes = compress(data);
    if (bytes.isEmpty()) return writeErrorText(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return openOutputText(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return writeErrorText(path);
    }
    if (!file.commit()) return writeErrorText(path);
    return {};
}

Lzrw1::Result Lzrw1::decompressFile(const QString& path, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.error = openInputText(path);
        return result;
    }
    return decompress(file, path, maxSize);
}

} // namespace quornet::tally
