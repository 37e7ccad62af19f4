// The LZRW1/KH block method: one piece of at most 32768 bytes to block data and back.
//
// Compressed block data: the flag 0x40, then groups of up to 16 items, each group preceded by a
// 16-bit control word (high byte first) whose bits, from the highest down, tell the items apart:
// 0 a literal byte; 1 a copy (two bytes: offset * 16 + length - 3, offset 1..4095, length
// 3..18) or a run (four bytes: 0, count - 16 high and low byte, the repeated byte; count 16..4095).
#include "tally/lzrw1.h"

#include <array>
#include <cstring>

namespace quornet::tally
{

namespace
{

constexpr int HashSize = 4096;
constexpr quint16 EmptyEntry = 0xFFFF;
constexpr int MaxRun = 4095;
constexpr int MinRun = 16;
constexpr int MaxCopy = 18;
constexpr int MinCopy = 3;
constexpr int MaxOffset = 4096; // offsets are below this

quint32 hashAt(const quint8* in, int n, int p)
{
    // Bytes past the piece's end count as 0: no match can start there anyway.
    const quint32 b0 = in[p];
    const quint32 b1 = p + 1 < n ? in[p + 1] : 0;
    const quint32 b2 = p + 2 < n ? in[p + 2] : 0;
    quint32 h = (((b0 << 4) ^ b1) << 4) ^ b2;
    h = (h * 40543u) >> 4; // unsigned arithmetic wraps modulo 2^32
    return h & 0xFFF;
}

} // namespace

QByteArray Lzrw1::compressPiece(QByteArrayView piece)
{
    const int n = int(qMin<qsizetype>(piece.size(), PieceSize));
    const auto* in = reinterpret_cast<const quint8*>(piece.data());

    std::array<quint16, HashSize> table;
    table.fill(EmptyEntry);

    QByteArray out;
    out.reserve(n + 8);
    out.append(char(CompressedFlag));
    qsizetype controlPlace = 1;
    out.append(2, '\0');
    quint32 control = 0;
    int items = 0;

    auto writeControl = [&out](qsizetype place, quint32 word) {
        out[place] = char((word >> 8) & 0xFF);
        out[place + 1] = char(word & 0xFF);
    };

    int p = 0;
    while (p < n && out.size() <= n) {
        if (items == 16) {
            writeControl(controlPlace, control);
            controlPlace = out.size();
            out.append(2, '\0');
            control = 0;
            items = 0;
        }
        ++items;

        int run = 1;
        while (run < MaxRun && p + run < n && in[p + run] == in[p])
            ++run;
        if (run >= MinRun) {
            const int stored = run - MinRun;
            out.append('\0');
            out.append(char(stored >> 8));
            out.append(char(stored & 0xFF));
            out.append(char(in[p]));
            control = (control << 1) | 1;
            p += run;
            continue;
        }

        const quint32 h = hashAt(in, n, p);
        const int entry = table[h];
        int length = 0;
        if (entry != EmptyEntry && p - entry < MaxOffset) {
            while (length < MaxCopy && p + length < n && in[p + length] == in[entry + length])
                ++length;
        }
        table[h] = quint16(p);
        if (length >= MinCopy) {
            const int value = (p - entry) * 16 + (length - MinCopy);
            out.append(char(value >> 8));
            out.append(char(value & 0xFF));
            control = (control << 1) | 1;
            p += length;
        } else {
            out.append(char(in[p]));
            control <<= 1;
            ++p;
        }
    }
    control = (control << (16 - items)) & 0xFFFF;
    writeControl(controlPlace, control);

    if (out.size() <= n) return out;
    QByteArray stored;
    stored.reserve(n + 1);
    stored.append(char(StoredFlag));
    stored.append(piece.data(), n);
    return stored;
}

Lzrw1::PieceStatus Lzrw1::decompressPiece(QByteArrayView block, QByteArray& out)
{
    const qsizetype size = block.size();
    if (size < 2) return PieceStatus::Ok; // an empty piece
    const auto* in = reinterpret_cast<const quint8*>(block.data());
    if (in[0] == StoredFlag) {
        if (size - 1 > PieceSize) return PieceStatus::Corrupt;
        out.append(block.data() + 1, size - 1);
        return PieceStatus::Ok;
    }
    if (size < 3) return PieceStatus::Truncated; // the first control word is cut off

    std::array<quint8, PieceSize> piece;
    int written = 0;
    quint32 control = (quint32(in[1]) << 8) | in[2];
    int bitsLeft = 16;
    qsizetype pos = 3;
    while (pos < size) {
        if (bitsLeft == 0) {
            if (pos + 2 >= size) // a control word must be followed by an item
                return PieceStatus::Truncated;
            control = (quint32(in[pos]) << 8) | in[pos + 1];
            pos += 2;
            bitsLeft = 16;
        }
        const bool coded = control & 0x8000;
        control = (control << 1) & 0xFFFF;
        --bitsLeft;

        if (!coded) {
            if (written >= PieceSize) return PieceStatus::Corrupt;
            piece[written++] = in[pos++];
            continue;
        }
        if (pos + 2 > size) return PieceStatus::Truncated;
        const int offset = (int(in[pos]) << 4) | (in[pos + 1] >> 4);
        if (offset != 0) {
            const int length = (in[pos + 1] & 0x0F) + MinCopy;
            if (offset > written || written + length > PieceSize) return PieceStatus::Corrupt;
            // One by one: the source may overlap the bytes being written.
            for (int i = 0; i < length; ++i, ++written)
                piece[written] = piece[written - offset];
            pos += 2;
        } else {
            if (pos + 4 > size) return PieceStatus::Truncated;
            const int count = ((int(in[pos + 1]) << 8) | in[pos + 2]) + MinRun;
            if (written + count > PieceSize) return PieceStatus::Corrupt;
            std::memset(piece.data() + written, in[pos + 3], size_t(count));
            written += count;
            pos += 4;
        }
    }
    out.append(reinterpret_cast<const char*>(piece.data()), written);
    return PieceStatus::Ok;
}

} // namespace quornet::tally
