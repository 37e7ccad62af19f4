// The tally list's rules and its file: counting games, following players, restarts, and what
// happens to a tally file that cannot be read.
#include "tally/lzrw1.h"
#include "tally/tallybook.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using quornet::tally::Lzrw1;
using quornet::tally::TallyBook;
using quornet::tally::TallyGrid;

namespace
{

QStringList counts(const TallyBook& book, const QString& name)
{
    QStringList out;
    for (int column = 1; column <= 8; ++column)
        out.append(book.playerCount(book.indexOf(name), column));
    return out;
}

QStringList zeros()
{
    return QStringList(8, QStringLiteral("0"));
}

using quornet::testing::readFile;
using quornet::testing::writeFile;

} // namespace

class TestTallyBook : public QObject
{
    Q_OBJECT
private slots:
    void countingGames()
    {
        TallyBook book(QString{});
        book.setLocalPlayer("Bob");
        QVERIFY(book.startTallying("Ann"));
        QVERIFY(book.startTallying("Carl"));
        QVERIFY(book.startTallying("An"));
        QVERIFY(book.startTallying("Dora"));
        const QStringList table = {"Ann", "Carl", "An"}; // Dora is not seated

        // A tie counts nothing, not even the local player's games.
        QVERIFY(!book.addgame("No One", table));
        QCOMPARE(book.totalGames(), QString("0"));
        QCOMPARE(counts(book, "Ann"), zeros());

        // Ann and Bob win: Ann's row gets a game together and a team win (1, 4, 5, 8); Carl on
        // the losing team gets 1, 3, 5, 7; An counts as a winner because Ann won; Dora is not
        // at the table and gets nothing.
        QVERIFY(book.addgame("Ann and Bob", table));
        QCOMPARE(book.totalGames(), QString("1"));
        QCOMPARE(book.myWins(), QString("1"));
        QCOMPARE(counts(book, "Ann"), (QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}));
        QCOMPARE(counts(book, "Carl"), (QStringList{"1", "0", "1", "0", "1", "0", "1", "0"}));
        QCOMPARE(counts(book, "An"), (QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}));
        QCOMPARE(counts(book, "Dora"), zeros());

        // Carl and Eve win: the local player lost; Carl won without him (2, 6); Ann lost too and
        // only gets the game.
        QVERIFY(book.addgame("Carl and Eve", table));
        QCOMPARE(book.totalGames(), QString("2"));
        QCOMPARE(book.myWins(), QString("1"));
        QCOMPARE(counts(book, "Carl"), (QStringList{"2", "1", "1", "0", "2", "1", "1", "0"}));
        QCOMPARE(counts(book, "Ann"), (QStringList{"2", "0", "0", "1", "2", "0", "0", "1"}));

        // The substring test is case-sensitive.
        QVERIFY(book.addgame("ann and bob", {"Ann"}));
        QCOMPARE(book.myWins(), QString("1"));
        QCOMPARE(counts(book, "Ann"), (QStringList{"3", "0", "0", "1", "3", "0", "0", "1"}));
    }

    void emptyNamesNeverWin()
    {
        // Without a name the local player is not a winner of every game.
        TallyBook book(QString{});
        QVERIFY(!TallyBook::occursIn(QString(), "Ann and Bob"));
        QVERIFY(TallyBook::occursIn("Bo", "Ann and Bob"));
        QVERIFY(book.addgame("Ann and Bob", {}));
        QCOMPARE(book.totalGames(), QString("1"));
        QCOMPARE(book.myWins(), QString("0"));
        QVERIFY(!book.startTallying(QString()));
    }

    void emptyCellsCountFromZero()
    {
        TallyBook book(QString{});
        book.setLocalPlayer("Bob");
        book.startTallying("Ann");
        // Cells emptied behind the book's back: the counted ones start from 0, the others
        // become "0".
        auto& grid = const_cast<TallyGrid&>(book.grid());
        grid.setCell(1, 2, QString());
        grid.setCell(1, 3, QString());
        grid.setCell(1, 7, QString());
        book.addgame("Bob", {"Ann"});
        QCOMPARE(counts(book, "Ann"), (QStringList{"1", "0", "1", "0", "1", "0", "1", "0"}));
    }

    void playersAtTheTable()
    {
        const QStringList seats = {"Me", "Ann", "<Waiting>", "Carl"};
        QCOMPARE(TallyBook::playersAtTable(seats, 1), (QStringList{"Ann", "Carl"}));
        QCOMPARE(TallyBook::playersAtTable(seats, 2), (QStringList{"Me", "Carl"}));
        // A spectator (no seat of its own) sees every seated name; empty captions are skipped.
        QCOMPARE(TallyBook::playersAtTable({"", "Ann", "Bob", "Carl"}, 0),
                 (QStringList{"Ann", "Bob", "Carl"}));
        QCOMPARE(TallyBook::playersAtTable({"A", "B"}, 1), QStringList{"B"});
    }

    void followingPlayers()
    {
        TallyBook book(QString{});
        book.setLocalPlayer("Me");
        QVERIFY(book.startTallying("Ann"));
        QVERIFY(!book.startTallying("Ann")); // already tallied: nothing happens
        QVERIFY(book.startTallying("Bob"));
        QVERIFY(book.startTallying("Carl"));
        QCOMPARE(book.tallied(), (QStringList{"Ann", "Bob", "Carl"}));
        QCOMPARE(book.indexOf("Carl"), 2);
        QCOMPARE(book.grid().rowCount(), 4);
        book.addgame("Me and Carl", {"Carl", "Bob"});

        QVERIFY(book.stopTallying(1)); // Bob
        QCOMPARE(book.tallied(), (QStringList{"Ann", "Carl"}));
        QCOMPARE(book.grid().rowCount(), 3);
        QCOMPARE(counts(book, "Carl"), (QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}));
        QVERIFY(!book.stopTallying(2));
        QVERIFY(!book.stopTallying(-1));
        QCOMPARE(book.playerCount(5, 1), QString());
        QCOMPARE(book.playerCount(0, 0), QString()); // the name is not a count

        // Following again starts from zero.
        QVERIFY(book.startTallying("Bob"));
        QCOMPARE(counts(book, "Bob"), zeros());

        book.reset();
        QCOMPARE(book.grid(), TallyGrid());
        QVERIFY(book.tallied().isEmpty());
        QCOMPARE(book.totalGames(), QString("0"));
        QCOMPARE(book.myWins(), QString("0"));
    }

    void restartKeepsTotals()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        {
            TallyBook book(dir.path());
            QCOMPARE(book.load(), QString()); // no file yet: an empty tally
            book.setLocalPlayer("Bob");
            book.startTallying("Ann");
            book.startTallying("Carl");
            book.addgame("Ann and Bob", {"Ann", "Carl"});
            book.addgame("Carl and Dan", {"Ann", "Carl"});
            QCOMPARE(book.save(), QString());
            // The file holds exactly the compressed grid text.
            QCOMPARE(readFile(dir.filePath("quornettally.tld")),
                     Lzrw1::compress(book.grid().toText()));
        }
        TallyBook again(dir.path());
        again.setLocalPlayer("Bob");
        QCOMPARE(again.load(), QString());
        QCOMPARE(again.totalGames(), QString("2"));
        QCOMPARE(again.myWins(), QString("1"));
        QCOMPARE(again.tallied(), (QStringList{"Ann", "Carl"}));
        QCOMPARE(counts(again, "Ann"), (QStringList{"2", "0", "0", "1", "0", "0", "0", "0"}));
        QCOMPARE(counts(again, "Carl"), (QStringList{"2", "1", "1", "0", "0", "0", "0", "0"}));
        // The next game counts in both.
        again.addgame("Ann and Bob", {"Ann"});
        QCOMPARE(counts(again, "Ann"), (QStringList{"3", "0", "0", "2", "1", "0", "0", "1"}));
        QVERIFY(!again.keepsUnreadableFile());
        QVERIFY(!QFileInfo::exists(again.badFilePath()));
    }

    void unreadableFileIsKept()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("quornettally.tld");
        const QString bad = path + ".bad";
        QVERIFY(writeFile(bad, "an older copy"));
        QVERIFY(writeFile(path, "not a tally at all"));

        TallyBook book(dir.path());
        const QString error = book.load();
        QVERIFY(error.startsWith(Lzrw1::noHeaderText(path)));
        QVERIFY(error.contains("quornettally.tld.bad"));
        QCOMPARE(book.grid(), TallyGrid()); // the tally starts empty
        QVERIFY(book.keepsUnreadableFile());
        QCOMPARE(readFile(path), QByteArray("not a tally at all")); // untouched until saved

        book.setLocalPlayer("Me");
        book.startTallying("Ann");
        book.addgame("Ann", {"Ann"});
        QCOMPARE(book.save(), QString());
        QCOMPARE(readFile(bad), QByteArray("not a tally at all")); // replaces the older copy
        QVERIFY(!book.keepsUnreadableFile());

        TallyBook next(dir.path());
        QCOMPARE(next.load(), QString());
        QCOMPARE(next.tallied(), QStringList{"Ann"});
        // A later save leaves the kept copy alone.
        QCOMPARE(next.save(), QString());
        QCOMPARE(readFile(bad), QByteArray("not a tally at all"));
    }

    void damagedContentIsUnreadable_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("errorStart");
        const QString path = QStringLiteral("%1");
        QTest::addRow("cut short")
            << Lzrw1::compress(TallyGrid().toText()).chopped(3) << Lzrw1::readErrorText(path);
        QTest::addRow("size lies")
            << QByteArray::fromHex("57525A4C 05000000 0400 80616263") << Lzrw1::sizeMismatchText();
        QTest::addRow("not a grid") << Lzrw1::compress("9\r\n5\r\n0\r\n") << path;
        QTest::addRow("count not a number")
            << Lzrw1::compress("9\r\n2\r\n0\r\nAnn\r\n0\r\nmany\r\n" +
                               QByteArray("0\r\n").repeated(14))
            << path;
        QTest::addRow("negative count")
            << Lzrw1::compress("9\r\n1\r\n0\r\n-2\r\n" + QByteArray("0\r\n").repeated(7)) << path;
        QTest::addRow("too large")
            << QByteArray("WRZL") + QByteArray::fromHex("00004001") << Lzrw1::sizeMismatchText();
    }

    void damagedContentIsUnreadable()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, errorStart);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TallyBook book(dir.path());
        QVERIFY(writeFile(book.filePath(), file));
        const QString error = book.load();
        const QString start =
            errorStart.contains("%1") ? errorStart.arg(book.filePath()) : errorStart;
        QVERIFY2(error.startsWith(start), qPrintable(error));
        QVERIFY(book.keepsUnreadableFile());
        QCOMPARE(book.grid(), TallyGrid());
    }

    void loadingCleansCounts()
    {
        // Session columns are zeroed; empty counts read as 0; the meaningless cells of row 0
        // are kept as they are.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TallyGrid grid;
        grid.setCell(0, 1, "9");
        grid.setCell(0, 2, QString());
        grid.setCell(0, 5, "x");
        grid.appendRow("Ann");
        for (int column = 1; column <= 8; ++column)
            grid.setCell(1, column, QString::number(column * 10));
        grid.setCell(1, 3, QString());
        TallyBook book(dir.path());
        QCOMPARE(Lzrw1::compressToFile(grid.toText(), book.filePath()), QString());
        QCOMPARE(book.load(), QString());
        QCOMPARE(book.totalGames(), QString("9"));
        QCOMPARE(book.myWins(), QString("0"));
        QCOMPARE(book.grid().cell(0, 5), QString("x"));
        QCOMPARE(counts(book, "Ann"), (QStringList{"10", "20", "0", "40", "0", "0", "0", "0"}));
    }

    void whereTheFileLives()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(TallyBook::folderFor(dir.path()), dir.path());
        const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(TallyBook::folderFor(dir.filePath("missing")), userData);
        QCOMPARE(TallyBook::folderFor(QString()), userData);
        QCOMPARE(TallyBook::folderFor("/usr/bin"), userData); // an installed program's folder, even for root
        // The program folder of this test is writable.
        QCOMPARE(TallyBook::defaultFolder(), QCoreApplication::applicationDirPath());
        QCOMPARE(TallyBook(dir.path()).filePath(), dir.filePath("quornettally.tld"));

        // A folder that cannot be written (root writes anywhere, so only checked otherwise).
        const QString locked = dir.filePath("locked");
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(QDir(locked).filePath("probe"));
        const bool rootLike = probe.open(QIODevice::WriteOnly);
        probe.remove();
        if (!rootLike) QCOMPARE(TallyBook::folderFor(locked), userData);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void savingCreatesTheUserFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TallyBook book(dir.filePath("data/Quornet"));
        book.startTallying("Ann");
        QCOMPARE(book.save(), QString());
        TallyBook again(dir.filePath("data/Quornet"));
        QCOMPARE(again.load(), QString());
        QCOMPARE(again.tallied(), QStringList{"Ann"});
    }
};

QTEST_GUILESS_MAIN(TestTallyBook)
#include "test_tallybook.moc"
