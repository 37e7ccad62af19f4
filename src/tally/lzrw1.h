// The tally file's compression: the LZRW1/KH block method and its "WRZL" container.
//
// Container: the identifier "WRZL" (0x4C5A5257, least significant byte first), the original size
// as a signed 32-bit little-endian number, then one block per 32768-byte piece of the original:
// a 16-bit little-endian length L and L bytes of block data. The last piece is shorter than
// 32768 bytes, so an original whose size is a multiple of 32768 (zero included) ends with an
// empty piece. Block data starts with a flag byte: 0x80 for a stored piece (the bytes follow
// unchanged), 0x40 for a compressed one (control words and items follow).
//
// Everything happens in memory; the only files touched are the ones named by the caller.
//
// The reader trusts nothing in its input: lengths, offsets and counts are checked against the
// data actually present and against the 32768-byte piece, and the size field is only compared,
// never used to reserve memory. The decoded output never exceeds the size field nor maxSize.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace quornet::tally
{

class Lzrw1
{
public:
    static constexpr quint32 Identifier = 0x4C5A5257;        // "WRZL"
    static constexpr quint32 HuffmanIdentifier = 0x4C5A4821; // "!HZL", never written here
    static constexpr int PieceSize = 32768;
    static constexpr quint8 StoredFlag = 0x80;
    static constexpr quint8 CompressedFlag = 0x40;
    // Largest original the reader accepts unless told otherwise (a tally is a few kilobytes).
    static constexpr qint64 DefaultMaxSize = 64 * 1024 * 1024;

    struct Result {
        QByteArray data;
        QString error; // empty on success
        bool ok() const { return error.isEmpty(); }
    };

    // One piece (at most PieceSize bytes) to block data: compressed when that is not longer
    // than the piece, else stored.
    static QByteArray compressPiece(QByteArrayView piece);

    enum class PieceStatus { Ok, Truncated, Corrupt };
    // Decodes block data, appending the piece to out (which grows by at most PieceSize).
    // Truncated: an item or control word runs past the block's end. Corrupt: a copy reaches
    // before the piece's start, or the piece would grow past PieceSize. On failure out is left
    // as it was.
    static PieceStatus decompressPiece(QByteArrayView block, QByteArray& out);

    // The whole container. Originals above the signed 32-bit range cannot be represented and
    // give an empty result.
    static QByteArray compress(QByteArrayView data);

    // name is the file name used in the error texts.
    static Result decompress(QIODevice& in, const QString& name, qint64 maxSize = DefaultMaxSize);
    static Result decompress(const QByteArray& file, const QString& name,
                             qint64 maxSize = DefaultMaxSize);

    // Writes the container for data to path through a QSaveFile, so the old file stays intact
    // when anything fails. Returns the error text, empty on success.
    static QString compressToFile(QByteArrayView data, const QString& path);
    static Result decompressFile(const QString& path, qint64 maxSize = DefaultMaxSize);

    // Error texts.
    static QString noHeaderText(const QString& name);
    static QString huffmanText(const QString& name);
    static QString sizeMismatchText();
    static QString readErrorText(const QString& name);
    static QString writeErrorText(const QString& name);
    static QString openInputText(const QString& name);
    static QString openOutputText(const QString& name);
};

} // namespace quornet::tally
