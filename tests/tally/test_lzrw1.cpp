// The tally file's bytes: the container, the block method and round trips.
#include "containerwalk.h"
#include "tally/lzrw1.h"

#include <QtTest>

using quornet::tally::Lzrw1;
using namespace tallytest;

namespace
{

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray repeated(const QByteArray& unit, qsizetype n)
{
    QByteArray out;
    out.reserve(n + unit.size());
    while (out.size() < n)
        out += unit;
    out.truncate(n);
    return out;
}

// Text-like data with long and short repeats, as a grown tally looks.
QByteArray tallyLike(qsizetype n, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray out;
    while (out.size() < n) {
        out += "Player" + QByteArray::number(random.bounded(300)) + "\r\n";
        out += QByteArray::number(random.bounded(5000)) + "\r\n0\r\n0\r\n";
        if (random.bounded(10) == 0)
            out += QByteArray(int(random.bounded(4000)), char('a' + random.bounded(26)));
    }
    out.truncate(n);
    return out;
}

// Letters from a fixed linear congruential sequence, with now and then a repeat of an earlier
// stretch: the hash table fills up and its entries get replaced, so the exact hash matters.
QByteArray sequenceText(qsizetype n)
{
    quint32 x = 12345;
    QByteArray out;
    while (out.size() < n) {
        x = (x * 1103515245u + 12345u) & 0x7FFFFFFF;
        const quint32 v = x >> 16;
        if (v % 23 == 0) {
            const qsizetype start = qMax<qsizetype>(0, out.size() - qsizetype(v % 3000 + 1));
            out += out.mid(start, v % 17 + 3);
        } else {
            out += char('a' + v % 12);
        }
    }
    out.truncate(n);
    return out;
}

} // namespace

class TestLzrw1 : public QObject
{
    Q_OBJECT
private slots:
    void smallFilesByteForByte()
    {
        // abc: after the first literal the output is already longer, so the piece is stored.
        QCOMPARE(Lzrw1::compress("abc"), hex("57525A4C 03000000 0400 80616263"));
        // Twenty a: one run item (20 - 16 = 4) and the control word 0x8000.
        QCOMPARE(Lzrw1::compress(QByteArray(20, 'a')),
                 hex("57525A4C 14000000 0700 40 8000 00000461"));
        // Nothing at all: one empty piece, stored (L = 1).
        QCOMPARE(Lzrw1::compress(QByteArray()), hex("57525A4C 00000000 0100 80"));
        // Four literals and a copy of 16 bytes from 4 back: (4 * 16 + 13) = 0x004D.
        QCOMPARE(Lzrw1::compress("abcdabcdabcdabcdabcd"),
                 hex("57525A4C 14000000 0900 40 0800 61626364 004D"));
        for (const QByteArray& data : {QByteArray("abc"), QByteArray(20, 'a'), QByteArray()}) {
            const Lzrw1::Result back = Lzrw1::decompress(Lzrw1::compress(data), "t.tld");
            QVERIFY2(back.ok(), qPrintable(back.error));
            QCOMPARE(back.data, data);
        }
    }

    void tallyTextByteForByte()
    {
        // The text of a grid with two tallied players (hash lookups, copies, three control
        // words), checked against a separate implementation of the method.
        const QByteArray text = "9\r\n3\r\n0\r\nAnn\r\nBob\r\n12\r\n5\r\n3\r\n7\r\n1\r\n0\r\n"
                                "0\r\n2\r\n1\r\n0\r\n2\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
        QCOMPARE(text.size(), 92);
        QCOMPARE(Lzrw1::compress(text),
                 hex("57 52 5a 4c 5c 00 00 00 35 00 40 00 00 39 0d 0a 33 0d 0a 30 0d 0a 41 6e 6e"
                     "0d 0a 42 6f 00 bd 62 0d 0a 31 32 0d 0a 35 01 72 37 00 d0 01 d2 02 00 01 50"
                     "31 00 c2 f0 00 00 96 01 50 00 3f 01 29"));
        QCOMPARE(Lzrw1::decompress(Lzrw1::compress(text), "t").data, text);
    }

    void longerTextByteForByte()
    {
        // 60000 bytes (two full pieces and a short one) against the same separate
        // implementation, compared by length and SHA-256.
        const QByteArray text = sequenceText(60000);
        const QByteArray file = Lzrw1::compress(text);
        QCOMPARE(file.size(), 40961);
        QCOMPARE(QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex(),
                 QByteArray("5924058e5844762361c481bcd99dd0175efc9af8608fb326c78a3cd9d40c7aa6"));
        QCOMPARE(Lzrw1::decompress(file, "t").data, text);
    }

    void compressedWhenJustAsLong()
    {
        // Four literals and a copy of five: 9 bytes for 9, so the piece stays compressed.
        QCOMPARE(Lzrw1::compressPiece("abcdabcda"), hex("40 0800 61626364 0042"));
        // One byte shorter, the output would be longer: stored.
        QCOMPARE(Lzrw1::compressPiece("abcdabcd"), hex("80 6162636461626364"));
    }

    void controlWordsAtTheirPlaces()
    {
        // Seventeen runs of 16: the first control word 0xFFFF in front, the second one (one item,
        // shifted to the top: 0x8000) reserved in front of the seventeenth item.
        QByteArray data;
        QByteArray expected = hex("40FFFF");
        for (int i = 0; i < 17; ++i) {
            data += QByteArray(16, char('A' + i));
            if (i == 16) expected += hex("8000");
            expected += hex("000000") + char('A' + i);
        }
        QCOMPARE(Lzrw1::compressPiece(data), expected);
        QByteArray back;
        QCOMPARE(Lzrw1::decompressPiece(expected, back), Lzrw1::PieceStatus::Ok);
        QCOMPARE(back, data);
    }

    void fullPieces()
    {
        // 32768 equal bytes: eight runs of 4095 (4079 = 0x0FEF), then of the last eight bytes
        // a literal and a copy of 7 from 1 back; control word 1111 1111 01 -> 0xFF40.
        QByteArray expected = hex("40FF40");
        for (int i = 0; i < 8; ++i)
            expected += hex("000FEF78");
        expected += hex("78 0014");
        const QByteArray same(Lzrw1::PieceSize, 'x');
        QCOMPARE(Lzrw1::compressPiece(same), expected);
        const Container c = walk(Lzrw1::compress(same));
        QVERIFY(c.complete);
        QCOMPARE(c.blocks, (QList<QByteArray>{expected, hex("80")}));

        // An original of exactly 32768 random bytes: the piece is stored, then the empty last
        // piece, stored as the single byte 0x80 (L = 1).
        const QByteArray random = randomBytes(Lzrw1::PieceSize, 7);
        const QByteArray file = Lzrw1::compress(random);
        QCOMPARE(file.size(), 8 + 2 + 32769 + 2 + 1);
        const Container r = walk(file);
        QVERIFY(r.complete);
        QCOMPARE(r.identifier, QByteArray("WRZL"));
        QCOMPARE(r.size, Lzrw1::PieceSize);
        QCOMPARE(r.blocks.size(), 2);
        QCOMPARE(r.blocks[0], char(0x80) + random);
        QCOMPARE(r.blocks[1], hex("80"));
        QCOMPARE(Lzrw1::decompress(file, "t").data, random);
    }

    void roundTrips_data()
    {
        QTest::addColumn<QByteArray>("data");
        const qsizetype sizes[] = {0, 1, 2, 3, 15, 16, 17, 32767, 32768, 32769, 65536, 100000};
        for (qsizetype n : sizes) {
            QTest::addRow("random %lld", qlonglong(n)) << randomBytes(n, quint32(n) + 1);
            QTest::addRow("same %lld", qlonglong(n)) << QByteArray(n, '\0');
            QTest::addRow("pattern %lld", qlonglong(n)) << repeated("abcdefghij0123", n);
            QTest::addRow("tally-like %lld", qlonglong(n)) << tallyLike(n, quint32(n));
        }
        // Offsets at and past the 4095 limit, runs at 4095 and 4096.
        QTest::addRow("far repeat") << repeated(randomBytes(4095, 3), 20000);
        QTest::addRow("farther repeat") << repeated(randomBytes(4096, 4), 20000);
        QTest::addRow("runs 4095/4096") << QByteArray(4095, 'r') + 'x' + QByteArray(4096, 's');
        QTest::addRow("mixed") << randomBytes(5000, 9) + QByteArray(30000, 'q') +
                                      tallyLike(70000, 2);
    }

    void roundTrips()
    {
        QFETCH(QByteArray, data);
        const QByteArray file = Lzrw1::compress(data);
        const Container c = walk(file);
        QVERIFY(c.complete);
        QCOMPARE(c.identifier, QByteArray("WRZL"));
        QCOMPARE(qsizetype(c.size), data.size());
        // One block per piece; the last piece is always shorter than a full one.
        QCOMPARE(c.blocks.size(), data.size() / Lzrw1::PieceSize + 1);
        for (qsizetype i = 0; i < c.blocks.size(); ++i) {
            const QByteArray& block = c.blocks[i];
            const qsizetype pieceSize =
                qMin<qsizetype>(Lzrw1::PieceSize, data.size() - i * Lzrw1::PieceSize);
            QVERIFY(block.size() <= pieceSize + 1);
            if (uchar(block[0]) == Lzrw1::StoredFlag) {
                QCOMPARE(block.mid(1), data.mid(i * Lzrw1::PieceSize, pieceSize));
            } else {
                QCOMPARE(uchar(block[0]), Lzrw1::CompressedFlag);
                QVERIFY(block.size() <= pieceSize); // never longer than the piece
            }
            QByteArray piece;
            QCOMPARE(Lzrw1::decompressPiece(block, piece), Lzrw1::PieceStatus::Ok);
            QCOMPARE(piece, data.mid(i * Lzrw1::PieceSize, pieceSize));
        }
        const Lzrw1::Result back = Lzrw1::decompress(file, "round.tld");
        QVERIFY2(back.ok(), qPrintable(back.error));
        QCOMPARE(back.data, data);
    }

    void repetitiveDataShrinks()
    {
        QVERIFY(Lzrw1::compress(QByteArray(100000, 'z')).size() < 200);
        QVERIFY(Lzrw1::compress(repeated("Ann and Bob\r\n", 100000)).size() < 100000 / 5);
        // Random data costs only the flag bytes and block lengths.
        QCOMPARE(Lzrw1::compress(randomBytes(100000, 5)).size(), 8 + 100000 + 4 * 3);
    }
};

QTEST_GUILESS_MAIN(TestLzrw1)
#include "test_lzrw1.moc"
