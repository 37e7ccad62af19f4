// The score sheet and the game log as host messages fill them: how each CMD_postscores is
// sorted (card points, book bonuses, going out, penalties), rounds, a late joiner's carried-in
// totals, and a new game starting both afresh.
#include "tablefixture.h"

using namespace tabletest;

class TestScoreSheet : public QObject {
    Q_OBJECT
private:
    static void seatTable(Fixture& f)
    {
        f.login(1, QStringLiteral("Ann"), true);
        f.seatOthers({QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cy"), QStringLiteral("Di")});
    }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void sortsEveryReportOfTwoRounds()
    {
        Fixture f;
        seatTable(f);
        QSignalSpy changed(&f.model.scoreSheet(), &ScoreSheet::changed);
        f.feed(msg::startGameAnnounce("Ann", "5", 1));
        const ScoreSheet& sheet = f.model.scoreSheet();
        QVERIFY(sheet.gameRunning());
        QCOMPARE(sheet.rounds().size(), 1);

        // Round 1: Ann lays three cards, Bob three, Cy adds the seventh to Ann's book.
        f.feed(msg::newBook(1, 1, 1, 13, 1));
        for (int total : {10, 20, 30}) f.feed(msg::postScores(total, 10, 1, 3));
        f.feed(msg::newBook(2, 2, 1, 2, 2));
        for (int total : {20, 40, 60}) f.feed(msg::postScores(total, 20, 2, 4));
        f.feed(msg::addToBookAnnounce(3, 1, 4, 1, 7, 13, 1));
        f.feed(msg::postScores(40, 10, 3, 1));
        f.feed(msg::complete(3, 1, 1, 1, 13, 1));
        f.feed(msg::postScores(540, 500, 3, 1));
        // Di goes out: the host adds 200 to team 2 without a report, then reports every seat's
        // penalty; team 2's first penalty report carries the going-out bonus.
        f.feed(msg::postScores(480, -60, 1, 3));
        f.feed(msg::postScores(60 + 200 - 0, 0, 2, 4));
        f.feed(msg::postScores(450, -30, 3, 1));
        f.feed(msg::postScores(260, 0, 4, 2));
        f.feed(msg::roundWinner(2));
        QVERIFY(changed.count() > 0);

        RoundScore r1 = sheet.rounds().at(0);
        QCOMPARE(r1.number, 1);
        QVERIFY(r1.finished);
        QCOMPARE(r1.wentOut, 2);
        QCOMPARE(r1.team(1).cardPoints, 40);
        QCOMPARE(r1.team(1).bonuses, 500);
        QCOMPARE(r1.team(1).goingOut, 0);
        QCOMPARE(r1.team(1).penalties, -90);
        QCOMPARE(r1.team(1).total, 450);
        QCOMPARE(r1.team(2).cardPoints, 60);
        QCOMPARE(r1.team(2).bonuses, 0);
        QCOMPARE(r1.team(2).goingOut, 200);
        QCOMPARE(r1.team(2).penalties, 0);
        QCOMPARE(r1.team(2).total, 260);
        QCOMPARE(r1.team(1).roundPoints(), 450);

        // Round 2: the board resets, the totals go on. A wild book completes for Bob: 300.
        f.feed(msg::startRound());
        QCOMPARE(sheet.rounds().size(), 2);
        QCOMPARE(sheet.rounds().at(1).team(1).total, 450);
        f.feed(msg::postScores(310, 50, 2, 4));
        f.feed(msg::complete(2, 2, 1, 1, 54, 2));
        f.feed(msg::postScores(610, 300, 2, 4));
        // The deck runs out: penalties only, no one went out.
        f.feed(msg::postScores(400, -50, 1, 3));
        f.feed(msg::postScores(590, -20, 2, 4));
        f.feed(msg::postScores(400, 0, 3, 1));
        f.feed(msg::postScores(590, 0, 4, 2));
        f.feed(msg::winner(2, "Bob and Di"));
        const RoundScore r2 = sheet.rounds().at(1);
        QVERIFY(r2.finished);
        QCOMPARE(r2.wentOut, 0);
        QCOMPARE(r2.team(2).cardPoints, 50);
        QCOMPARE(r2.team(2).bonuses, 300);
        QCOMPARE(r2.team(2).penalties, -20);
        QCOMPARE(r2.team(2).goingOut, 0);
        QCOMPARE(r2.team(1).penalties, -50);
        QCOMPARE(sheet.totalsByRound(1), (QList<int>{0, 450, 400}));
        QCOMPARE(sheet.totalsByRound(2), (QList<int>{0, 260, 590}));
        QVERIFY(sheet.gameOver());
        QVERIFY(!sheet.gameRunning());
        QCOMPARE(sheet.gameWinner(), 2);

        // The sheet stays as it was until the next game starts it afresh.
        f.feed(msg::postScores(990, 400, 2, 4)); // a stray report after the end changes nothing
        QCOMPARE(sheet.rounds().size(), 2);
        QCOMPARE(sheet.rounds().at(1).team(2).total, 590);
        QCOMPARE(sheet.total(2), 590);
        QCOMPARE(sheet.carried(2), 0);
        f.feed(msg::startGameAnnounce("Bob", "r", 1));
        QCOMPARE(sheet.rounds().size(), 1);
        QCOMPARE(sheet.totalsByRound(2), (QList<int>{0, 0}));
        QVERIFY(!sheet.gameOver());
    }

    void aLateJoinerCarriesTheEarlierTotalsIn()
    {
        Fixture f;
        f.model.setPlayerName(QStringLiteral("Dee"));
        f.feed(msg::sendLoginInfo(4));
        f.feed(msg::newPlayerInfo(4, "Dee"));
        f.feed(msg::existingPlayers(1, "Ann"));
        f.feed(msg::loadStats("5", 2));
        f.feed(msg::postScores(450, 0, 1, 3));
        f.feed(msg::postScores(910, 0, 2, 4));
        const ScoreSheet& sheet = f.model.scoreSheet();
        QVERIFY(sheet.gameRunning());
        QCOMPARE(sheet.carried(1), 450);
        QCOMPARE(sheet.carried(2), 910);
        QCOMPARE(sheet.rounds().size(), 1);
        QCOMPARE(sheet.rounds().at(0).number, 0); // a round seen only in part
        f.feed(msg::postScores(470, 20, 1, 3));
        f.feed(msg::postScores(930 + 200 - 40, -40, 2, 4));
        f.feed(msg::postScores(470, 0, 3, 1));
        f.feed(msg::postScores(1090, 0, 4, 2));
        f.feed(msg::roundWinner(2));
        f.feed(msg::startRound());
        const RoundScore first = sheet.rounds().at(0);
        QCOMPARE(first.team(1).cardPoints, 20);
        QCOMPARE(first.team(2).goingOut, 220); // 200 and the 20 points it had not seen
        QCOMPARE(first.team(2).penalties, -40);
        QCOMPARE(sheet.rounds().at(1).number, 1);
        QCOMPARE(sheet.totalsByRound(2), (QList<int>{910, 1090, 1090}));
    }

    // A host that keeps the sheet sends it with the catch-up: the window (a newcomer, or a
    // window whose program restarted) shows every round and goes on scoring the one in play.
    void theCatchUpBringsTheHostsSheet()
    {
        Fixture f;
        f.model.setPlayerName(QStringLiteral("Dee"));
        f.feed(msg::sendLoginInfo(4));
        f.feed(msg::newPlayerInfo(4, "Dee"));
        f.feed(msg::loadStats("5", 2));
        f.feed(msg::scoreSheetRound(1, true, 2, {300, 100, 0, -50, 350}, {600, 300, 100, 0, 1000}));
        f.feed(msg::scoreSheetRound(2, false, 0, {20, 0, 0, 0, 370}, {0, 0, 0, 0, 1000}));
        f.feed(msg::postScores(370, 0, 1, 3));
        f.feed(msg::postScores(1000, 0, 2, 4));
        f.feed(msg::postScores(400, 30, 1, 3));
        const ScoreSheet& sheet = f.model.scoreSheet();
        QCOMPARE(sheet.rounds().size(), 2);
        QCOMPARE(f.model.roundNumber(), 2);
        QCOMPARE(sheet.rounds().at(0).team(2).goingOut, 100);
        QCOMPARE(sheet.rounds().at(0).wentOut, 2);
        QCOMPARE(sheet.rounds().at(1).team(1).cardPoints, 50);
        QCOMPARE(sheet.totalsByRound(1), (QList<int>{0, 350, 400}));
        expectDropped();
        f.feed("CMD_scoresheet+3+1+0+1+2+3");
        QCOMPARE(sheet.rounds().size(), 2);
    }

    void malformedReportsChangeNothing()
    {
        Fixture f;
        seatTable(f);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        expectDropped();
        f.feed("CMD_postscores+10+ten+1+3");
        expectDropped();
        f.feed("CMD_postscores+10+10+7+3");
        QCOMPARE(f.model.scoreSheet().rounds().at(0).team(1).cardPoints, 0);
        QCOMPARE(f.model.scoreSheet().total(1), 0);
    }

    void theGameLogKeepsEveryStatusTextOfTheGame()
    {
        Fixture f;
        seatTable(f);
        const GameLog& log = f.model.gameLog();
        QSignalSpy added(&log, &GameLog::added);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        f.feed(msg::newBook(2, 2, 1, 9, 1));
        f.feed(msg::noBook());
        f.feed(msg::noBook()); // the same text twice is two entries
        f.feed(msg::roundWinner(0));
        QStringList texts;
        for (const GameLogEntry& e : log.entries()) {
            texts << e.text;
            QVERIFY(e.when >= before && e.when <= QDateTime::currentDateTime());
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("Bob created a Normal Nines book."),
                                     QStringLiteral("This is not a valid book"),
                                     QStringLiteral("This is not a valid book"),
                                     QStringLiteral("The deck is out of cards. Round Over")}));
        QCOMPARE(added.count(), 4);
        const QStringList lines = log.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  Bob created a Normal Nines book\\.$"))
                    .match(lines.first()).hasMatch());
        f.feed(msg::startGameAnnounce("Bob", "r", 1));
        QVERIFY(log.entries().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScoreSheet)
#include "test_scoresheet.moc"
