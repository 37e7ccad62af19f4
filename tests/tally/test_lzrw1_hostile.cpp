// The reader against damaged and hostile tally files: every one gives its error text, none
// reads or writes out of bounds (the sanitizer build runs this) or grows without limit.
#include "containerwalk.h"
#include "support/files.h"
#include "tally/lzrw1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using quornet::tally::Lzrw1;
using namespace tallytest;

namespace
{

const QString Name = QStringLiteral("quornettally.tld");

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QString errorOf(const QByteArray& file, qint64 maxSize = Lzrw1::DefaultMaxSize)
{
    const Lzrw1::Result r = Lzrw1::decompress(file, Name, maxSize);
    if (!r.ok() && !r.data.isEmpty()) return QStringLiteral("data left behind an error");
    return r.error;
}

// A compressed block of full 4095-byte runs under the given first control word.
QByteArray runsOf(int count, char byte, const char* control = "FFFF")
{
    QByteArray block = hex("40") + hex(control);
    for (int i = 0; i < count; ++i)
        block += hex("000FEF") + byte;
    return block;
}

} // namespace

class TestLzrw1Hostile : public QObject
{
    Q_OBJECT
private slots:
    void headers()
    {
        QCOMPARE(errorOf("WRZX" + le32(0) + hex("0100 80")), Lzrw1::noHeaderText(Name));
        QCOMPARE(errorOf("temp text, not a tally"), Lzrw1::noHeaderText(Name));
        QCOMPARE(Lzrw1::noHeaderText(Name),
                 "quornettally.tld : Lzrw1 decompression : this file has no valid header !");
        // The Huffman variant's identifier is refused by name.
        QCOMPARE(errorOf("!HZL" + le32(3) + hex("0400 80616263")), Lzrw1::huffmanText(Name));
        QVERIFY(Lzrw1::huffmanText(Name).contains("Huffman"));
        // Too short for an identifier or a size field.
        for (const QByteArray& cut :
             {QByteArray(), QByteArray("WRZ"), QByteArray("WRZL"), QByteArray("WRZL\x03\x00", 6)})
            QCOMPARE(errorOf(cut), Lzrw1::readErrorText(Name));
        QCOMPARE(Lzrw1::readErrorText(Name),
                 "Lzrw1 : Error reading from input file : quornettally.tld");
    }

    void truncatedBlocks_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addRow("no block") << build(3, {});
        QTest::addRow("half a length") << QByteArray("WRZL") + le32(3) + hex("04");
        QTest::addRow("short block data") << QByteArray("WRZL") + le32(3) + hex("0400 8061");
        QTest::addRow("control word cut") << build(1, {hex("4080")});
        QTest::addRow("copy item cut") << build(4, {hex("40 4000 61 00")});
        QTest::addRow("run item cut") << build(20, {hex("40 8000 000004")});
        QByteArray sixteen = hex("40 0000") + QByteArray(16, 'l');
        QTest::addRow("control word without item") << build(16, {sixteen + hex("0000")});
        QTest::addRow("second control word cut") << build(16, {sixteen + hex("00")});
        // A full piece announces another block that never comes.
        QTest::addRow("missing last block") << build(32768, {char(0x80) + QByteArray(32768, 'k')});
    }

    void truncatedBlocks()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(errorOf(file), Lzrw1::readErrorText(Name));
    }

    void everyProperPrefixFails()
    {
        QByteArray data = randomBytes(40000, 11) + QByteArray(30000, 'w');
        data += QByteArray("Ann\r\nBob\r\n").repeated(400);
        const QByteArray file = Lzrw1::compress(data);
        QCOMPARE(Lzrw1::decompress(file, Name).data, data);
        for (qsizetype n = 0; n < file.size(); n += (n < 200 || file.size() - n < 200) ? 1 : 97)
            QCOMPARE(errorOf(file.left(n)), Lzrw1::readErrorText(Name));
    }

    void corruptItems_data()
    {
        QTest::addColumn<QByteArray>("file");
        // A copy from 2 back when one byte has been written: before the piece's start.
        QTest::addRow("offset before start") << build(4, {hex("40 4000 61 0020")});
        QTest::addRow("copy as first item") << build(3, {hex("40 8000 0010")});
        QTest::addRow("largest offset") << build(5, {hex("40 4000 61 FFF0")});
        // Runs adding up to more than a piece.
        QTest::addRow("runs past the piece") << build(36855, {runsOf(9, 'r')});
        QTest::addRow("longest run past the piece")
            << build(36871, {runsOf(8, 'r') + hex("000FFF72")});
        // 32760 bytes of runs, then a copy of 18: 32778 bytes.
        QTest::addRow("copy past the piece") << build(32778, {runsOf(8, 'r') + hex("001F")});
        // Eight runs and a copy of 8 fill the piece; a literal follows.
        QTest::addRow("literal past the piece")
            << build(32769, {runsOf(8, 'r', "FF80") + hex("0015 61")});
        QTest::addRow("stored piece too long")
            << build(32769, {char(0x80) + QByteArray(32769, 's'), hex("80")});
    }

    void corruptItems()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(errorOf(file), Lzrw1::sizeMismatchText());
    }

    void copiesWithinTheOutputAreFine()
    {
        // Offset equal to what was written: the copy starts at the piece's first byte and
        // overlaps itself.
        const Lzrw1::Result r = Lzrw1::decompress(build(4, {hex("40 4000 61 0010")}), Name);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.data, QByteArray("aaaa"));
        // Runs and copies that end exactly at 32768.
        const Lzrw1::Result full = Lzrw1::decompress(
            build(32768, {runsOf(8, 'r', "FF40") + hex("72 0014"), hex("80")}), Name);
        QVERIFY2(full.ok(), qPrintable(full.error));
        QCOMPARE(full.data, QByteArray(32768, 'r'));
    }

    void sizeFieldsThatLie()
    {
        const QByteArray abc = hex("0400 80616263");
        auto withSize = [&abc](qint32 size) { return "WRZL" + le32(size) + abc; };
        QCOMPARE(errorOf(withSize(3)), QString());
        for (qint32 size : {0, 2, 4, 32768, -1, -3, std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max()})
            QCOMPARE(errorOf(withSize(size)), Lzrw1::sizeMismatchText());
        // A size above the caller's limit is refused before anything is read.
        QCOMPARE(errorOf(withSize(3), 2), Lzrw1::sizeMismatchText());
        QCOMPARE(Lzrw1::sizeMismatchText(),
                 "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    }

    void expansionStopsAtTheSizeField()
    {
        // A small file of full pieces (each 8 runs and a copy) that would unpack to about 1 GB
        // says it holds 40000 bytes: reading stops after the second piece.
        const QByteArray piece = runsOf(8, 'b', "FF40") + hex("62 0014");
        QList<QByteArray> blocks;
        for (int i = 0; i < 30000; ++i)
            blocks.append(piece);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(errorOf(build(40000, blocks)), Lzrw1::sizeMismatchText());
        // The same with a size field at the largest value, against the default limit.
        QCOMPARE(errorOf(build(std::numeric_limits<qint32>::max(), blocks)),
                 Lzrw1::sizeMismatchText());
        // And with no limit from the caller: bounded by the input (30000 pieces, about 1 GB
        // of output, would be too slow here, so a shorter file).
        const QByteArray shortBomb =
            build(std::numeric_limits<qint32>::max(), blocks.mid(0, 20) + QList{hex("80")});
        QCOMPARE(errorOf(shortBomb, std::numeric_limits<qint64>::max()), Lzrw1::sizeMismatchText());
        QVERIFY(clock.elapsed() < 20000);
    }

    void randomDamageNeverCrashes()
    {
        QByteArray data = QByteArray("Ann\r\n12\r\n0\r\n").repeated(3000);
        data += randomBytes(5000, 1) + QByteArray(40000, 'e');
        const QByteArray file = Lzrw1::compress(data);
        const QStringList known = {Lzrw1::readErrorText(Name), Lzrw1::sizeMismatchText(),
                                   Lzrw1::noHeaderText(Name), Lzrw1::huffmanText(Name)};
        QRandomGenerator random(2024);
        int failures = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray damaged = file;
            const int changes = 1 + int(random.bounded(4));
            for (int i = 0; i < changes; ++i) {
                // Mostly in the header and the first block, where the structure is.
                const qsizetype at = random.bounded(8) == 0 ? random.bounded(damaged.size())
                                                            : random.bounded(qsizetype(400));
                damaged[at] = char(random.bounded(256));
            }
            if (random.bounded(4) == 0) damaged.truncate(random.bounded(damaged.size()));
            const Lzrw1::Result r = Lzrw1::decompress(damaged, Name);
            if (r.ok()) {
                QCOMPARE(r.data.size(), qsizetype(walk(damaged).size));
            } else {
                QVERIFY2(known.contains(r.error), qPrintable(r.error));
                QVERIFY(r.data.isEmpty());
                ++failures;
            }
        }
        QVERIFY(failures > 1000);
        // Garbage blocks behind a valid header.
        for (int round = 0; round < 500; ++round) {
            const QByteArray garbage = randomBytes(random.bounded(1, 70000), quint32(round));
            const QString error = errorOf("WRZL" + le32(qint32(random.bounded(70000))) + garbage);
            QVERIFY(error.isEmpty() || known.contains(error));
        }
    }

    void files()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString missing = dir.filePath("missing.tld");
        QCOMPARE(Lzrw1::decompressFile(missing).error, Lzrw1::openInputText(missing));
        QCOMPARE(Lzrw1::openInputText("x"),
                 "Lzrw1 (de)compression : Failed to open input file : x");

        const QString nowhere = dir.filePath("no/such/folder/quornettally.tld");
        QCOMPARE(Lzrw1::compressToFile("abc", nowhere), Lzrw1::openOutputText(nowhere));
        QCOMPARE(Lzrw1::openOutputText("x"),
                 "Lzrw1 (de)compression : Failed to open output file : x");
        QCOMPARE(Lzrw1::writeErrorText("x"), "Lzrw1 : Error writing to output file : x");

        // The error texts name the file that was read.
        const QString broken = dir.filePath("broken.tld");
        QFile b(broken);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write("WRZL\x05");
        b.close();
        QCOMPARE(Lzrw1::decompressFile(broken).error, Lzrw1::readErrorText(broken));
    }

    void noIntermediateFile()
    {
        // A user's own temp.txt in the current folder survives writing and reading a tally,
        // and nothing else appears there.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QFile own("temp.txt");
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("my own notes");
        own.close();

        const QString path = QDir(dir.path()).filePath("quornettally.tld");
        QCOMPARE(Lzrw1::compressToFile("9\r\n1\r\n0\r\n", path), QString());
        const Lzrw1::Result r = Lzrw1::decompressFile(path);
        QCOMPARE(r.data, QByteArray("9\r\n1\r\n0\r\n"));
        QCOMPARE(quornet::testing::readFile(path), Lzrw1::compress("9\r\n1\r\n0\r\n"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll(), QByteArray("my own notes"));
        own.close();
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"quornettally.tld", "temp.txt"}));
        QVERIFY(QDir::setCurrent(previous));
    }
};

QTEST_GUILESS_MAIN(TestLzrw1Hostile)
#include "test_lzrw1_hostile.moc"
