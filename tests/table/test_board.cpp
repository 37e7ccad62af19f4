// The board: working and completed books with their geometry, badges, scores, feet and the
// discard pile, and the catch-up of a late joiner.
#include "tablefixture.h"

using namespace tabletest;

namespace {
// Seat 1 (green team) with Bob, Cy and Dee at the table.
void seated(Fixture& f, int own = 1)
{
    f.login(own, own == 1 ? QStringLiteral("Ann") : QStringLiteral("Bob"));
    f.seatOthers({"Ann", "Bob", "Cy", "Dee"});
    f.clearRecords();
}
} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void newBookOfEachTeam()
    {
        Fixture f;
        seated(f);
        f.feed(msg::newBook(1, 1, 2, 13, 1)); // a Kings book on slot 2 of the own team
        const WorkingBook own0 = f.s().team(1).working.value(2);
        const WorkingBook* own = &own0;
        QCOMPARE(own->tag, 2);
        QCOMPARE(own->left, 109);
        QCOMPARE(own->top, 91);
        QCOMPARE(own->width, 46);
        QCOMPARE(own->height, 48);
        QCOMPARE(own->count, 3);
        QCOMPARE(own->rank(), 0);
        QCOMPARE(own->topX(), 10);
        QCOMPARE(f.s().status, QStringLiteral("Ann created a Normal Kings book."));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("createbook")});
        QCOMPARE(f.changes, 1);

        f.feed(msg::newBook(2, 2, 1, 40, 2)); // the other team: a wild Ones book
        const WorkingBook& other = f.s().team(2).working[1];
        QCOMPARE(other.tag, -1);
        QCOMPARE(other.left, 13);
        QCOMPARE(other.top, 40);
        QCOMPARE(f.s().status, QStringLiteral("Bob created a Wild Ones book."));
        QVERIFY(f.model.checkforbook(0, 1));
        QVERIFY(!f.model.checkforbook(0, 2));
        QVERIFY(f.model.checkforbook(1, 2));
    }

    void addingGrowsTheBook()
    {
        Fixture f;
        seated(f);
        f.feed(msg::newBook(3, 1, 1, 9, 1)); // Nines
        f.clearRecords();
        f.feed(msg::addToBookAnnounce(3, 1, 4, 1, 6, 22, 1));
        const WorkingBook& b = f.s().team(1).working[1];
        QCOMPARE(b.width, 61);
        QCOMPARE(b.edges(), 5);
        QCOMPARE(b.topX(), 25);
        QCOMPARE(b.kind, 1);
        QCOMPARE(f.s().status, QStringLiteral("Cy added to the Nines book."));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("placebook")});
        f.feed(msg::addToBookAnnounce(3, 1, 5, 1, 7, 54, 2)); // a joker makes it wild
        QCOMPARE(f.s().team(1).working[1].kind, 2);
        QCOMPARE(f.s().team(1).working[1].width, 66);
        // A book the window never saw: no status, the sound still plays.
        f.clearRecords();
        f.feed(msg::addToBookAnnounce(2, 2, 4, 5, 4, 22, 1));
        QCOMPARE(f.s().status, QStringLiteral("Cy added to the Nines book."));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("placebook")});
        QVERIFY(f.s().team(2).working.isEmpty());
    }

    void completionShowsABadgeForFourTicks()
    {
        Fixture f;
        seated(f);
        f.feed(msg::newBook(1, 1, 3, 11, 1));
        f.feed(msg::addToBookAnnounce(1, 1, 4, 3, 7, 24, 1));
        f.clearRecords();
        f.feed(msg::complete(1, 1, 3, 1, 11, 1));
        QVERIFY(!f.s().team(1).working.contains(3));
        const CompletedBook& c = f.s().team(1).completed[1];
        QCOMPARE(c.left, 13);
        QCOMPARE(c.top, 42);
        QCOMPARE(c.width, 36);
        QCOMPARE(c.tag, 1);
        QCOMPARE(c.rank(), 11);
        const Badge& badge = f.s().team(1).badge;
        QVERIFY(badge.visible);
        QCOMPARE(badge.text, QStringLiteral("+500"));
        QCOMPARE(badge.left, 28);
        QCOMPARE(badge.top, 42);
        QCOMPARE(badge.labelLeft, 35);
        QCOMPARE(badge.labelTop, 48);
        QCOMPARE(f.s().status, QStringLiteral("Ann completed a Normal Jacks book."));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("createbook")});
        QVERIFY(f.model.badgesCounting());
        for (int tick = 1; tick <= 3; ++tick) {
            f.model.badgeTick();
            QVERIFY2(f.s().team(1).badge.visible, qPrintable(QString::number(tick)));
        }
        f.model.badgeTick();
        QVERIFY(!f.s().team(1).badge.visible);
        QVERIFY(!f.model.badgesCounting());
        f.clearRecords();
        f.model.badgeTick(); // nothing counts any more
        QCOMPARE(f.changes, 0);

        // The other team's wild completion: "+300" and no clicks on its picture.
        f.feed(msg::complete(2, 2, 1, 1, 5, 2));
        QCOMPARE(f.s().team(2).badge.text, QStringLiteral("+300"));
        QCOMPARE(f.s().team(2).completed[1].left, 90);
        QCOMPARE(f.s().team(2).completed[1].tag, -1);
        QCOMPARE(f.s().team(2).badge.left, 105);
        QCOMPARE(f.s().status, QStringLiteral("Bob completed a Wild Fives book."));
    }

    void completedColumns()
    {
        Fixture f;
        seated(f);
        for (int n = 1; n <= 30; ++n) {
            f.feed(msg::complete(1, 1, 1, n, 4 + n % 9, 1));
            f.feed(msg::complete(2, 2, 1, n, 4 + n % 9, 1));
        }
        const auto& g = f.s().team(1).completed;
        const auto& b = f.s().team(2).completed;
        QCOMPARE(g.size(), 30);
        QCOMPARE(g[8].left, 13);
        QCOMPARE(g[8].top, 42 + 7 * 51);
        QCOMPARE(g[9].left, 57); // the ninth moves to the second column, top row
        QCOMPARE(g[9].top, 42);
        QCOMPARE(b[9].left, 134);
        QCOMPARE(g[16].left, 57);
        QCOMPARE(g[16].top, 42 + 7 * 51);
        // Beyond sixteen: further columns, never on top of another completed book.
        QCOMPARE(g[17].left, 101);
        QCOMPARE(g[17].top, 42);
        QCOMPARE(g[30].left, 145);
        QCOMPARE(g[30].top, 42 + 5 * 51);
        QSet<QPair<int, int>> places;
        for (const CompletedBook& c : g) places.insert({c.left, c.top});
        QCOMPARE(places.size(), 30);
        // No thirty-first.
        expectDropped();
        f.feed(msg::complete(1, 1, 1, 31, 5, 1));
        QCOMPARE(g.size(), 30);
    }

    void addToCompletedBookOnlyTellsIt()
    {
        Fixture f;
        seated(f);
        f.feed(msg::complete(1, 1, 1, 1, 13, 1));
        f.clearRecords();
        f.feed(msg::addToCompAnnounce(1, 1, 13));
        QCOMPARE(f.s().status, QStringLiteral("Ann added to the Normal Kings completed book."));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("placecomplete")});
        QCOMPARE(f.s().team(1).completed.size(), 1);
    }

    void lateJoinerLoadsTheBooks()
    {
        Fixture f;
        seated(f, 2); // blue team
        f.feed(msg::loadBooks(1, {{1, 13, 1, 3}, {4, 20, 2, 5}, {9, 40, 1, 7}}));
        f.feed(msg::loadBooks(2, {{2, 7, 1, 4}}));
        f.feed(msg::loadComp(1, {{1, 6, 1}, {2, 11, 2}}));
        f.feed(msg::loadComp(2, {{1, 12, 2}}));
        const auto& green = f.s().team(1).working;
        QCOMPARE(green.size(), 3);
        QCOMPARE(green[1].width, 46);
        QCOMPARE(green[4].width, 56);
        QCOMPARE(green[9].width, 66);
        QCOMPARE(green[9].top, 40 + 8 * 51);
        QCOMPARE(green[4].kind, 2);
        // The other team's loaded books take no clicks; the own team's do.
        for (const WorkingBook& b : green) QCOMPARE(b.tag, -1);
        QCOMPARE(f.s().team(2).working[2].tag, 2);
        QCOMPARE(f.s().team(1).completed[2].tag, -1);
        QCOMPARE(f.s().team(2).completed[1].tag, 1);
        QCOMPARE(f.s().team(2).completed[1].left, 90);
        QVERIFY(!f.s().team(1).badge.visible && !f.s().team(2).badge.visible);
        QVERIFY(f.sounds.isEmpty());
        QCOMPARE(f.s().status, QStringLiteral("Welcome to Quornet!"));
    }

    void clicksOnBooksNameTheOwnTeamsSlots()
    {
        Fixture f;
        seated(f, 2);
        f.feed(msg::loadBooks(1, {{1, 13, 1, 3}}));
        f.feed(msg::loadBooks(2, {{3, 7, 1, 4}}));
        f.feed(msg::loadComp(1, {{1, 6, 1}}));
        f.feed(msg::loadComp(2, {{2, 12, 1}}));
        f.deal({7, 6, 12});
        f.ownTurnDrawn();
        f.model.clickCard(0, Qt::LeftButton);
        QVERIFY(f.s().picked.isPicked());
        f.model.clickBook(1, 1);
        f.model.clickCompleted(1, 1);
        QVERIFY(f.sent.isEmpty()); // the other team's pictures take no clicks
        QVERIFY(f.s().picked.isPicked());
        f.model.clickBook(2, 3);
        QCOMPARE(f.sent, QList<QByteArray>{msg::addToBook(2, 0, 3)});
        QVERIFY(!f.s().picked.isPicked());
        QVERIFY(f.s().card(0)->raised()); // raised until the host answers
        f.feed(msg::noBookMatch(0));
        QVERIFY(!f.s().card(0)->raised());
        QCOMPARE(f.s().status, QStringLiteral("That card does not match the book"));
        f.sent.clear();
        f.model.clickCard(1, Qt::LeftButton);
        f.model.clickCompleted(2, 2);
        QCOMPARE(f.sent, QList<QByteArray>{msg::addToComp(2, 1, 2)});
        // Without a picked card nothing goes out.
        f.sent.clear();
        f.model.clickBook(2, 3);
        f.model.clickCompleted(2, 2);
        f.model.clickBook(2, 9); // no such book
        QVERIFY(f.sent.isEmpty());
    }

    void scoresFeetAndDiscardPile()
    {
        Fixture f;
        f.login(1);
        f.feed(msg::postScores(0, 0, 2, 4));
        QCOMPARE(f.s().seat(2).score, QStringLiteral("0"));
        QCOMPARE(f.s().seat(2).name,
                 QStringLiteral("Klot")); // "<Waiting>" shows the computer's name
        QCOMPARE(f.s().seat(4).name, QStringLiteral("Kling"));
        QCOMPARE(f.s().seat(3).name, QStringLiteral("<Waiting>"));
        f.feed(msg::postScores(-130, -150, 3, 1));
        QCOMPARE(f.s().seat(1).score, QStringLiteral("-130"));
        QCOMPARE(f.s().seat(3).score, QStringLiteral("-130"));
        QCOMPARE(f.s().seat(1).name, QStringLiteral("Ann"));
        QCOMPARE(f.s().seat(3).name, QStringLiteral("Klick"));

        f.clearRecords();
        f.feed(msg::useFoot(3));
        QVERIFY(!f.s().seat(3).footVisible);
        QVERIFY(f.s().seat(1).footVisible);
        QCOMPARE(f.sounds, QStringList{QStringLiteral("getfoot")});

        f.feed(msg::discardTop(27));
        QCOMPARE(f.s().discardCard, 27);
        QCOMPARE(f.s().discardTag, 1);
        f.feed(msg::discardTop(0));
        QCOMPARE(f.s().discardCard, 0);
        QCOMPARE(f.s().discardTag, 0);
        QCOMPARE(f.sounds.mid(1), (QStringList{"discard", "discard"}));
        // An empty pile offers no pick-up on the next own turn.
        f.feed(msg::nextPlayer(4, 9, true, 1));
        QVERIFY(f.s().drawVisible);
        QVERIFY(!f.s().pickupVisible);
    }

    void refusalsFromTheHost()
    {
        Fixture f;
        f.login(1);
        const QList<QPair<QByteArray, QString>> refusals{
            {msg::noBook(), "This is not a valid book"},
            {msg::noThree(), "You can not make a book using THREES"},
            {msg::noTwo(), "You can not make a book using WILDS"},
            {msg::tooMany(), "You can only have 9 working books at one time."},
            {msg::noBookMatch(3), "That card does not match the book"},
            {msg::invalidDiscard(), "That is not a valid discard"},
        };
        for (const auto& [message, text] : refusals) {
            f.feed(msg::startRound()); // a fresh status for each
            f.feed(message);
            QCOMPARE(f.s().status, text);
        }
    }

    void malformedBoardMessages_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("team 3") << msg::newBook(1, 3, 1, 13, 1);
        QTest::newRow("slot 10") << msg::newBook(1, 1, 10, 13, 1);
        QTest::newRow("slot 0") << msg::newBook(1, 1, 0, 13, 1);
        QTest::newRow("seat 5") << msg::newBook(5, 1, 1, 13, 1);
        QTest::newRow("kind 3") << msg::newBook(1, 1, 1, 13, 3);
        QTest::newRow("card 55") << msg::newBook(1, 1, 1, 55, 1);
        QTest::newRow("seat text") << QByteArray("CMD_newbook+one+1+1+13+1");
        QTest::newRow("missing kind") << QByteArray("CMD_newbook+1+1+1+13");
        QTest::newRow("count 0") << msg::addToBookAnnounce(1, 1, 3, 1, 0, 13, 1);
        QTest::newRow("count 8") << msg::addToBookAnnounce(1, 1, 3, 1, 8, 13, 1);
        QTest::newRow("comp slot 0") << msg::complete(1, 1, 1, 0, 13, 1);
        QTest::newRow("short group") << QByteArray("CMD_loadbooks+1+1+13+1+3+2+13+1");
        QTest::newRow("comp short group") << QByteArray("CMD_loadcomp+2+1+13+1+2+13");
        QTest::newRow("load team 0") << msg::loadBooks(0, {{1, 13, 1, 3}});
        QTest::newRow("score text") << QByteArray("CMD_postscores+lots+0+1+3");
        QTest::newRow("partner 0") << msg::postScores(10, 10, 1, 0);
        QTest::newRow("foot 9") << msg::useFoot(9);
        QTest::newRow("discard -1") << msg::discardTop(-1);
        QTest::newRow("discard 99") << msg::discardTop(99);
        QTest::newRow("freecard 21") << msg::freeCard(21);
        QTest::newRow("nobookmatch x") << QByteArray("CMD_nobookmatch+x");
        QTest::newRow("addtocomp kind 0") << msg::addToCompAnnounce(1, 0, 13);
    }

    void malformedBoardMessages()
    {
        QFETCH(QByteArray, message);
        Fixture f;
        seated(f);
        f.feed(msg::newBook(1, 1, 1, 9, 1));
        f.feed(msg::discardTop(20));
        f.feed(msg::postScores(50, 10, 1, 3));
        f.clearRecords();
        const QString status = f.s().status;
        expectDropped();
        f.feed(message);
        QCOMPARE(f.changes, 0);
        QVERIFY(f.sounds.isEmpty());
        QCOMPARE(f.s().status, status);
        QCOMPARE(f.s().team(1).working.size(), 1);
        QCOMPARE(f.s().team(1).working[1].count, 3);
        QVERIFY(f.s().team(2).working.isEmpty());
        QVERIFY(f.s().team(1).completed.isEmpty() && f.s().team(2).completed.isEmpty());
        QCOMPARE(f.s().discardCard, 20);
        QCOMPARE(f.s().seat(1).score, QStringLiteral("50"));
        for (int s = 1; s <= 4; ++s) QVERIFY(f.s().seat(s).footVisible);
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
