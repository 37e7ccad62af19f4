// The tally grid and its text layout.
#include "tally/tallygrid.h"

#include <QtTest>

using quornet::tally::TallyGrid;

namespace
{

QByteArray lines(const QList<QByteArray>& cells)
{
    QByteArray text;
    for (const QByteArray& cell : cells)
        text += cell + "\r\n";
    return text;
}

TallyGrid twoPlayers()
{
    TallyGrid grid;
    grid.setCell(0, 1, "12");
    grid.setCell(0, 2, "7");
    grid.appendRow("Ann");
    grid.appendRow("Bob");
    const char* ann[] = {"5", "1", "2", "2", "1", "0", "1", "0"};
    const char* bob[] = {"3", "0", "1", "1", "0", "0", "0", "0"};
    for (int column = 1; column <= 8; ++column) {
        grid.setCell(1, column, ann[column - 1]);
        grid.setCell(2, column, bob[column - 1]);
    }
    return grid;
}

} // namespace

class TestTallyGrid : public QObject
{
    Q_OBJECT
private slots:
    void startsWithRowZero()
    {
        TallyGrid grid;
        QCOMPARE(grid.rowCount(), 1);
        for (int column = 0; column < TallyGrid::ColumnCount; ++column)
            QCOMPARE(grid.cell(0, column), QString("0"));
        QCOMPARE(grid.cell(1, 0), QString());
        QCOMPARE(grid.cell(0, 9), QString());
        grid.setCell(3, 1, "ignored");
        grid.setCell(0, -1, "ignored");
        QCOMPARE(grid.rowCount(), 1);
    }

    void rows()
    {
        TallyGrid grid = twoPlayers();
        grid.appendRow("Carl");
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cell(3, 0), QString("Carl"));
        QCOMPARE(grid.cell(3, 8), QString("0"));
        grid.removeRow(1); // later rows move up
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.cell(1, 0), QString("Bob"));
        QCOMPARE(grid.cell(1, 1), QString("3"));
        QCOMPARE(grid.cell(2, 0), QString("Carl"));
        grid.removeRow(0); // row 0 stays
        grid.removeRow(7);
        QCOMPARE(grid.rowCount(), 3);
        grid.clear();
        QCOMPARE(grid, TallyGrid());
    }

    void textLayout()
    {
        // Column count, row count, then column by column: all of column 0, all of column 1...
        const QByteArray expected =
            lines({"9", "3", "0", "Ann", "Bob", "12", "5", "3", "7", "1", "0", "0", "2", "1", "0",
                   "2", "1", "0", "1",   "0",   "0",  "0", "0", "0", "1", "0", "0", "0", "0"});
        QCOMPARE(twoPlayers().toText(), expected);
        QCOMPARE(TallyGrid().toText(),
                 lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
        const std::optional<TallyGrid> back = TallyGrid::fromText(expected);
        QVERIFY(back);
        QCOMPARE(*back, twoPlayers());
    }

    void readsLeniently()
    {
        QByteArray text = twoPlayers().toText();
        // LF alone, a missing end on the last line, and lines beyond the last cell.
        QByteArray lfOnly = text;
        lfOnly.replace("\r\n", "\n");
        QCOMPARE(TallyGrid::fromText(lfOnly).value(), twoPlayers());
        QCOMPARE(TallyGrid::fromText(text.chopped(2)).value(), twoPlayers());
        QCOMPARE(TallyGrid::fromText(text + "extra\r\n\r\n").value(), twoPlayers());
        // Empty cells stay empty (the book counts them as 0).
        const QByteArray empties = lines({"9", "1", "", "", "", "", "", "", "", "", ""});
        QCOMPARE(TallyGrid::fromText(empties).value().cell(0, 1), QString());
    }

    void namesKeepTheirLetters()
    {
        TallyGrid grid;
        // Written in Windows-1252: what it cannot hold becomes "?".
        grid.appendRow(QString::fromUtf8("J\u00f6rg \u20ac \u738b"));
        QVERIFY(grid.toText().contains("J\xf6rg \x80 ?\r\n"));
        QCOMPARE(TallyGrid::fromText(grid.toText()).value().cell(1, 0), QString::fromUtf8("J\u00f6rg \u20ac ?"));
        // A tally of an earlier build, written as UTF-8, still reads.
        const QByteArray utf8 = lines({"9", "2", "0", "J\xc3\xb6rg", "3", "1", "1", "0", "0", "0",
                                       "0", "0", "0", "0",           "0", "0", "0", "0", "0", "0"});
        QCOMPARE(TallyGrid::fromText(utf8).value().cell(1, 0), QString::fromUtf8("J\u00f6rg"));
        // Windows-1252 (not valid UTF-8).
        const QByteArray latin = lines({"9", "2", "0", "J\xf6rg", "3", "1", "1", "0", "0", "0",
                                        "0", "0", "0", "0",       "0", "0", "0", "0", "0", "0"});
        QCOMPARE(TallyGrid::fromText(latin).value().cell(1, 0), QString::fromUtf8("J\u00f6rg"));
        // A line break in a name would shift every later cell: it becomes a blank.
        TallyGrid broken;
        broken.appendRow("Ann\r\nBob");
        QCOMPARE(broken.cell(1, 0), QString("Ann  Bob"));
        QCOMPARE(TallyGrid::fromText(broken.toText()).value(), broken);
    }

    void garbage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("one line") << lines({"9"});
        QTest::addRow("binary") << QByteArray("\x00\x01\xff\xfe\r\n\x80", 7);
        QTest::addRow("five columns") << lines({"5", "1", "0", "0", "0", "0", "0"});
        QTest::addRow("ten columns")
            << lines({"10", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        QTest::addRow("no rows") << lines({"9", "0"});
        QTest::addRow("negative rows") << lines({"9", "-4", "0"});
        QTest::addRow("rows not a number") << lines({"9", "three", "0"});
        QTest::addRow("huge row count")
            << lines({"9", "2000000000", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        QTest::addRow("row count past 64 bits") << lines({"9", "99999999999999999999999"});
        QTest::addRow("one cell missing")
            << twoPlayers().toText().left(twoPlayers().toText().lastIndexOf("0\r\n"));
        QTest::addRow("two rows, one row of cells")
            << lines({"9", "2", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    }

    void garbage()
    {
        QFETCH(QByteArray, text);
        QString error;
        QVERIFY(!TallyGrid::fromText(text, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTallyGrid)
#include "test_tallygrid.moc"
