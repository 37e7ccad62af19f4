// Fuzz target: the tally file's "WRZL" container and its LZRW1/KH blocks.
//
// Each input is used three ways:
//   - as a tally file: decompressed (with the default limit and with a small one taken from the
//     first byte), and when that succeeds read as a tally grid, whose text must read back as the
//     same grid;
//   - as one block's data: decompressPiece() must add at most 32768 bytes, and nothing on
//     failure;
//   - as an original: compress() then decompress() must give back exactly the input, and every
//     piece must be no longer than the original piece plus its flag byte.
#include "fuzzsupport.h"

#include "tally/lzrw1.h"
#include "tally/tallygrid.h"

#include <QtEndian>

#include <cstdint>

using namespace quornet;
using quornet::tally::Lzrw1;
using quornet::tally::TallyGrid;

namespace
{

void asFile(const QByteArray& bytes, qint64 maxSize)
{
    const Lzrw1::Result r = Lzrw1::decompress(bytes, QStringLiteral("fuzz.tld"), maxSize);
    if (!r.ok()) {
        FUZZ_CHECK(r.data.size() <= maxSize, "a failed read kept more than the limit");
        return;
    }
    FUZZ_CHECK(r.data.size() <= maxSize, "decoded past the limit");
    FUZZ_CHECK(bytes.size() >= 8 &&
                   r.data.size() == qFromLittleEndian<qint32>(bytes.constData() + 4),
               "decoded size differs from the size field");
    QString reason;
    const std::optional<TallyGrid> grid = TallyGrid::fromText(r.data, &reason);
    if (!grid) {
        FUZZ_CHECK(!reason.isEmpty(), "a refused grid without a reason");
        return;
    }
    FUZZ_CHECK(grid->rowCount() >= 1);
    const std::optional<TallyGrid> again = TallyGrid::fromText(grid->toText());
    FUZZ_CHECK(again && *again == *grid, "a grid's text does not read back as the grid");
}

void asBlock(const QByteArray& bytes)
{
    QByteArray out("prefix");
    const Lzrw1::PieceStatus status = Lzrw1::decompressPiece(bytes, out);
    if (status == Lzrw1::PieceStatus::Ok) {
        FUZZ_CHECK(out.startsWith("prefix") && out.size() - 6 <= Lzrw1::PieceSize,
                   "piece too long");
    } else {
        FUZZ_CHECK(out == "prefix", "a failed piece changed the output");
    }
}

void roundTrip(const QByteArray& original)
{
    const QByteArray file = Lzrw1::compress(original);
    FUZZ_CHECK(file.startsWith("WRZL"), "no identifier");
    // Header, then per piece a length and at most the piece and its flag byte.
    const qsizetype pieces = original.size() / Lzrw1::PieceSize + 1;
    FUZZ_CHECK(file.size() <= 8 + pieces * 3 + original.size(), "compressed file too long");
    const Lzrw1::Result back = Lzrw1::decompress(file, QStringLiteral("fuzz.tld"));
    FUZZ_CHECK(back.ok(), back.error.toUtf8());
    FUZZ_CHECK(back.data == original, "round trip changed the data");

    const QByteArray piece = original.left(Lzrw1::PieceSize);
    const QByteArray block = Lzrw1::compressPiece(piece);
    FUZZ_CHECK(block.size() <= piece.size() + 1, "compressed piece longer than stored");
    QByteArray out;
    FUZZ_CHECK(Lzrw1::decompressPiece(block, out) == Lzrw1::PieceStatus::Ok && out == piece,
               "piece round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    asFile(bytes, Lzrw1::DefaultMaxSize);
    if (size > 0) asFile(bytes, qint64(data[0]) * 16);
    asBlock(bytes);
    roundTrip(bytes);
    // Longer originals than the fuzzer makes: the input repeated past one piece.
    if (size > 0 && size < 512) roundTrip(bytes.repeated(Lzrw1::PieceSize / qsizetype(size) + 2));
    return 0;
}
