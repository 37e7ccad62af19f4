// Whole exchanges: a scripted short game as a host sends it, and a one-round game against the
// real rules engine in memory, with seat 1 played through the model's actions.
#include "cards/cards.h"
#include "host/engine.h"
#include "support/recordingoutbox.h"
#include "tablefixture.h"

#include <deque>

using namespace tabletest;
using quornet::protocol::BookEntry;

using quornet::host::testing::RecordingOutbox;

class TestReplay : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void scriptedShortGame()
    {
        Fixture f;
        QSignalSpy won(&f.model, &TableModel::gameWon);
        f.model.setPlayerName(QStringLiteral("Ann"));
        f.model.setHosting(true);
        f.model.setManualSort(true);

        // Login and the table.
        f.feed(msg::sendLoginInfo(1));
        QCOMPARE(f.sent.takeFirst(), msg::loginInfo(1, "1.0.11", "Ann"));
        f.feed(msg::newPlayerInfo(1, "Ann"));
        f.feed(msg::newPlayerInfo(2, "Bob"));
        f.feed(msg::newPlayerInfo(5, "Spy"));
        // The host's user starts a one-round game with the pick-up option.
        f.model.clickStart();
        GameOptions options;
        options.lengthCode = QStringLiteral("r");
        QVERIFY(f.model.startGame(options));
        QCOMPARE(f.sent.takeFirst(), msg::startGame("Ann", "r", false, true, 1));

        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        // King, king, five, queen, three, joker, four, king, nine, ten, jack.
        const QList<int> hand{13, 26, 5, 12, 16, 54, 4, 39, 9, 10, 11};
        f.deal(hand);
        f.feed(msg::nextPlayer(0, 0, true, 1));
        QCOMPARE(f.s().turnText, QStringLiteral("Your Turn."));
        QCOMPARE(f.s().seat(3).name, QStringLiteral("Klick"));
        QVERIFY(f.s().drawVisible && !f.s().pickupVisible);

        // Draw: two cards come.
        f.model.clickDraw();
        QCOMPARE(f.sent.takeFirst(), msg::drawing(1, 1));
        f.feed(msg::newCard(1, 11, 52));
        f.feed(msg::newCard(1, 12, 8));
        QCOMPARE(f.s().handCount(), 13);
        f.model.clickCard(11, Qt::RightButton); // sort
        QCOMPARE(f.rowCodes(), (QList<int>{54, 4, 5, 8, 9, 10, 11, 12, 13, 26, 39, 52, 16}));

        // Three kings on the places, then create.
        for (const auto& [slot, place] : QList<QPair<int, int>>{{0, 1}, {1, 2}, {7, 3}}) {
            f.model.clickCard(slot, Qt::LeftButton);
            f.model.clickPlace(place);
        }
        QVERIFY(f.boxes.isEmpty());
        f.model.clickCreate();
        QCOMPARE(f.sent.takeFirst(), msg::createBook(1, 0, 1, 7));
        for (int slot : {0, 1, 7}) f.feed(msg::freeCard(slot));
        f.feed(msg::newBook(1, 1, 1, 13, 1));
        for (int score : {20, 40, 60}) f.feed(msg::postScores(score, 20, 1, 3));
        QCOMPARE(f.s().seat(3).score, QStringLiteral("60"));
        QCOMPARE(f.s().handCount(), 10);

        // The fourth king onto the book.
        f.model.clickCard(11, Qt::LeftButton);
        f.model.clickBook(1, 1);
        QCOMPARE(f.sent.takeFirst(), msg::addToBook(1, 11, 1));
        f.feed(msg::addToBookAnnounce(1, 1, 11, 1, 4, 52, 1));
        f.feed(msg::postScores(80, 20, 1, 3));
        f.feed(msg::freeCard(11));
        QCOMPARE(f.s().team(1).working[1].width, 51);

        // The three goes to the pile.
        f.model.clickCard(4, Qt::LeftButton);
        f.model.clickDiscard();
        QCOMPARE(f.sent.takeFirst(), msg::discard(1, 4));
        f.feed(msg::freeCard(4));
        f.feed(msg::discardTop(16));
        f.feed(msg::nextPlayer(1, 8, true, 2));
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("8"));
        QCOMPARE(f.s().turnText, QStringLiteral("Bob's turn."));

        // Bob picks up the pile, makes a book of his own and discards.
        f.feed(msg::discardTop(0));
        f.feed(msg::newBook(2, 2, 1, 7, 2));
        f.feed(msg::postScores(110, 110, 2, 4));
        f.feed(msg::discardTop(29));
        f.feed(msg::nextPlayer(2, 9, true, 3));
        QCOMPARE(f.s().turnText, QStringLiteral("Klick's turn."));
        f.feed(msg::discardTop(6));
        f.feed(msg::nextPlayer(3, 12, true, 4));
        f.feed(msg::useFoot(4));
        f.feed(msg::discardTop(17));
        f.feed(msg::nextPlayer(4, 11, true, 1));
        QVERIFY(f.s().drawVisible && f.s().pickupVisible);

        // Ann takes the pile (one card) and finishes the kings with the sixes... three more
        // kings: the host answers with the completion.
        f.model.clickPickup();
        QCOMPARE(f.sent.takeFirst(), msg::drawing(1, 2));
        f.feed(msg::newCard(1, 0, 17));
        f.feed(msg::discardTop(6));
        f.feed(msg::addToBookAnnounce(3, 1, 2, 1, 7, 13, 1));
        f.feed(msg::complete(3, 1, 1, 1, 13, 1));
        f.feed(msg::postScores(600, 500, 3, 1));
        QVERIFY(f.s().team(1).working.isEmpty());
        QCOMPARE(f.s().team(1).completed[1].tag, 1);
        QCOMPARE(f.s().team(1).badge.text, QStringLiteral("+500"));
        QCOMPARE(f.s().status, QStringLiteral("Klick completed a Normal Kings book."));

        // The other team goes out: round end, then game end with the winners.
        f.feed(msg::nextPlayer(1, 9, true, 2));
        f.feed(msg::postScores(330, 200, 2, 4));
        f.feed(msg::postScores(420, -180, 1, 3));
        f.feed(msg::roundWinner(2));
        QVERIFY(f.s().team(2).roundWinnerVisible);
        QCOMPARE(f.s().seat(2).cardsLeft, QStringLiteral("0"));
        f.feed(msg::winner(2, "Bob and Kling"));
        QCOMPARE(won.count(), 1);
        QVERIFY(f.s().team(2).winnerVisible);
        QVERIFY(f.s().startVisible);
        QCOMPARE(f.s().seat(1).score, QStringLiteral("420"));
        QCOMPARE(f.s().seat(4).score, QStringLiteral("330"));
        QVERIFY(f.sent.isEmpty());
        QVERIFY(f.boxes.isEmpty());
        const QStringList chat = f.chatTexts();
        QCOMPARE(chat.first(), QStringLiteral("You are Connected."));
        QVERIFY(chat.contains(QStringLiteral("Spy is spying.")));
        QVERIFY(chat.contains(QStringLiteral("Ann has started a game.")));
        QCOMPARE(chat.constLast(), QStringLiteral("Bob and Kling have Won the Game!"));
    }

    void lateJoinerCatchUp()
    {
        Fixture f;
        f.model.setPlayerName(QStringLiteral("Dee"));
        // What the host sends to a newcomer on seat 4 while a game runs.
        f.feed(msg::sendLoginInfo(4));
        f.feed(msg::newPlayerInfo(4, "Dee"));
        f.feed(msg::existingPlayers(1, "Ann"));
        f.feed(msg::existingPlayers(2, "Bob"));
        f.feed(msg::loadStats("5", 2));
        f.feed(msg::newCard(4, 0, 30));
        f.feed(msg::newCard(4, 3, 31));
        f.feed(msg::loadBooks(1, {{1, 13, 1, 5}, {2, 20, 2, 3}}));
        f.feed(msg::loadBooks(2, {{1, 9, 1, 6}}));
        f.feed(msg::loadComp(2, {{1, 12, 1}}));
        f.feed(msg::useFoot(2));
        f.feed(msg::nextPlayer(1, 0, true, 2));
        f.feed(msg::postScores(450, 0, 1, 3));
        f.feed(msg::postScores(910, 0, 2, 4));
        f.feed(msg::justWatching(3, 1));
        f.feed(msg::noBotsCatchUp());
        QCOMPARE(f.s().ownTeam, 2);
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 5000"));
        QCOMPARE(f.s().pickupText, QStringLiteral("Pick Up: 2"));
        QCOMPARE(f.rowSlots(), (QList<int>{0, 3}));
        QCOMPARE(f.s().team(1).working[1].tag, -1);
        QCOMPARE(f.s().team(2).working[1].tag, 1);
        QCOMPARE(f.s().team(2).working[1].width, 61);
        QCOMPARE(f.s().team(2).completed[1].tag, 1);
        QVERIFY(!f.s().seat(2).footVisible);
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("0"));
        QCOMPARE(f.s().turnText, QStringLiteral("Bob's turn."));
        QCOMPARE(f.s().seat(3).name, QStringLiteral("Klick"));
        QCOMPARE(f.s().seat(4).score, QStringLiteral("910"));
        QVERIFY(f.s().seat(3).eyesVisible);
        QVERIFY(!f.s().seat(3).scoreVisible);
    }

    void gamesAgainstTheRealHost_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("length");
        for (quint32 seed : {1u, 7u, 42u, 2024u, 31337u, 99991u})
            QTest::addRow("one round, seed %u", seed) << seed << QStringLiteral("r");
        for (quint32 seed : {5u, 77u})
            QTest::addRow("to 5000, seed %u", seed) << seed << QStringLiteral("5");
    }

    void gamesAgainstTheRealHost()
    {
        RecordingOutbox wire;
        QFETCH(quint32, seed);
        QFETCH(QString, length);
        quornet::host::SeededRandom random(seed);
        quornet::host::EngineOptions options;
        options.checkInvariants = true;
        quornet::host::HostEngine host(wire, random, options);
        Fixture f;
        connect(&f.model, &TableModel::send, [&](const QByteArray& m) { host.receive(1, m); });
        QSignalSpy won(&f.model, &TableModel::gameWon);
        f.model.setPlayerName(QStringLiteral("Ann"));
        f.model.setHosting(true);
        QCOMPARE(host.accept().participant, 1);
        host.welcome(1);

        // Each pass: the host handles its queue, the window its inbound messages; when both are
        // quiet, seat 1 acts on its turn or the computer players' timer fires.
        QSet<int> triedRanks;
        QSet<int> triedAdds;
        int discardTry = 0;
        int turns = 0;
        bool started = false;
        bool over = false;
        int tieLines = 0;
        int turnsOfSeat1 = 0;
        // The window's connection: the host's messages to participant 1, one at a time.
        std::deque<QByteArray> inbound;
        const auto quiet = [&] { return host.queuedMessages() == 0 && inbound.empty(); };
        for (int step = 0; step < 200000 && !over; ++step) {
            if (host.dispatchOne()) continue;
            for (const QByteArray& m : wire.takeFor(1)) inbound.push_back(m);
            if (!inbound.empty()) {
                const QByteArray m = inbound.front();
                inbound.pop_front();
                f.model.handleMessage(m);
                if (m.startsWith("CMD_rwinner+") || m.startsWith("CMD_winner+"))
                    checkScoreSheet(f.model.scoreSheet(), host.table());
                if (m.startsWith("CMD_winner+")) over = true;
                if (m.startsWith("CMD_nextplayer+")) {
                    if (m.endsWith("+1")) ++turnsOfSeat1;
                    triedRanks.clear();
                    triedAdds.clear();
                    discardTry = 0;
                }
                continue;
            }
            QVERIFY(quiet());
            QCOMPARE(host.checkInvariants(), QString());
            // The window has seen all of a computer player's turn once its last step is out.
            if (host.pendingSteps() == 0) checkMirror(f.s(), host.table());
            const TableState& s = f.s();
            if (!started) {
                if (s.seat(1).name != QLatin1String("Ann")) continue;
                GameOptions o;
                o.lengthCode = length;
                QVERIFY(f.model.startGame(o));
                started = true;
            } else if (s.ownTurn()) {
                ++turns;
                playOneStep(f, triedRanks, triedAdds, discardTry);
            } else if (host.botTimerEnabled()) {
                host.botTimerFired();
            } else {
                QFAIL(qPrintable(QStringLiteral("stalled: %1").arg(host.dump())));
            }
        }
        QVERIFY(over);
        // Seat 1 took part: it drew and discarded every turn and tried its own books.
        QStringList words;
        for (const QByteArray& m : f.sent)
            words.append(QString::fromLatin1(m.left(m.indexOf('+'))));
        QVERIFY(words.count(QStringLiteral("CMD_drawing")) >= turnsOfSeat1);
        QCOMPARE(words.count(QStringLiteral("CMD_discard")),
                 words.count(QStringLiteral("CMD_drawing")));
        QVERIFY(turnsOfSeat1 > 0);
        for (const QString& line : f.chatTexts())
            if (line == QLatin1String("The Game Ended in a Tie")) ++tieLines;
        QCOMPARE(won.count() + tieLines, 1);
        QVERIFY(turns >= turnsOfSeat1);
        QVERIFY(f.s().startVisible);
        QVERIFY(f.boxes.isEmpty() || f.boxes.constFirst().startsWith(QLatin1String("Woops")));
        QVERIFY(wire.closeRequests.isEmpty());
        QVERIFY(wire.framesOk);
        QCOMPARE(host.stats().gamesEnded, 1);
        const ScoreSheet& sheet = f.model.scoreSheet();
        QCOMPARE(sheet.rounds().size(), qsizetype(host.stats().rounds));
        QVERIFY(sheet.gameOver());
        for (int team = 1; team <= 2; ++team) QCOMPARE(sheet.carried(team), 0);
    }

private:
    // At the end of each round the score sheet holds the host's totals, and each round's columns
    // add up to what the round changed; its bonuses are the round's completed books.
    static void checkScoreSheet(const ScoreSheet& sheet, const quornet::host::Table& t)
    {
        QVERIFY(!sheet.rounds().isEmpty());
        const RoundScore& last = sheet.rounds().constLast();
        QVERIFY(last.finished);
        int wentOut = 0;
        for (int team = 1; team <= 2; ++team) {
            QCOMPARE(sheet.total(team), t.seat(team).score);
            int sum = sheet.carried(team);
            for (const RoundScore& r : sheet.rounds()) {
                const TeamRoundScore& ts = r.team(team);
                sum += ts.roundPoints();
                QCOMPARE(ts.total, sum);
                QVERIFY(ts.cardPoints >= 0);
                QVERIFY(ts.penalties <= 0);
                QVERIFY(ts.goingOut == 0 || ts.goingOut == quornet::cards::GoingOutBonus);
            }
            QCOMPARE(sum, t.seat(team).score);
            const auto& books = t.books(team);
            int bonuses = 0;
            for (int n = 1; n <= books.completedCount; ++n)
                bonuses += quornet::cards::bookBonus(books.completed[std::size_t(n)].kind);
            QCOMPARE(last.team(team).bonuses, bonuses);
            if (last.team(team).goingOut != 0) wentOut = team;
        }
        QCOMPARE(last.wentOut, wentOut);
        QVERIFY(wentOut == 0 || !t.deckExhausted);
    }

    // The window shows what the host holds, whenever both sides are quiet.
    static void checkMirror(const TableState& s, const quornet::host::Table& t)
    {
        if (!t.running) return;
        QMap<int, int> hand;
        for (int slot = 0; slot <= quornet::host::DrawSlots; ++slot)
            if (t.seat(1).hand[std::size_t(slot)] != 0)
                hand.insert(slot, t.seat(1).hand[std::size_t(slot)]);
        QMap<int, int> shown;
        for (const HandCard& c : s.cards) shown.insert(c.slot, c.code);
        QCOMPARE(shown, hand);
        QCOMPARE(s.handCount() + [&] {
            int laid = 0;
            for (int i = 1; i <= PlaceCount; ++i) laid += s.place(i).isEmpty() ? 0 : 1;
            return laid;
        }(), int(hand.size()));
        for (int team = 1; team <= 2; ++team) {
            const auto& books = t.books(team);
            QMap<int, QList<int>> working;
            for (int k = 1; k <= quornet::host::BookSlots; ++k)
                if (books.working[std::size_t(k)].count > 0)
                    working.insert(k, {books.working[std::size_t(k)].naming % 13,
                                       books.working[std::size_t(k)].kind,
                                       books.working[std::size_t(k)].count});
            QMap<int, QList<int>> shownWorking;
            for (const WorkingBook& b : s.team(team).working) {
                shownWorking.insert(b.slot, {b.naming % 13, b.kind, b.count});
                QCOMPARE(b.width, 36 + 5 * (b.count - 1));
                QCOMPARE(b.tag, team == 1 ? b.slot : -1);
            }
            QCOMPARE(shownWorking, working);
            QCOMPARE(int(s.team(team).completed.size()), books.completedCount);
            for (const CompletedBook& c : s.team(team).completed) {
                QCOMPARE(c.naming % 13, books.completed[std::size_t(c.slot)].naming % 13);
                QCOMPARE(c.kind, books.completed[std::size_t(c.slot)].kind);
            }
        }
        for (int seat = 1; seat <= 4; ++seat) {
            QCOMPARE(s.seat(seat).score, QString::number(t.seat(seat).score));
            QCOMPARE(s.seat(seat).footVisible, !t.seat(seat).onFoot);
        }
        QCOMPARE(s.discardCard, t.topOfPile());
        if (t.turnSeat == 1 && t.phase != quornet::host::Phase::None) QCOMPARE(s.turnSeat, 1);
    }

    static bool pickSlot(Fixture& f, int slot)
    {
        const HandCard* c = f.s().card(slot);
        if (!c || !c->visible) return false;
        if (c->raised() || f.s().picked.isPicked()) {
            if (f.s().picked.isPicked()) f.model.clickCard(f.s().picked.slot, Qt::LeftButton);
            if (f.s().card(slot)->raised()) f.model.clickCard(slot, Qt::LeftButton);
        }
        f.model.clickCard(slot, Qt::LeftButton);
        return f.s().picked.slot == slot;
    }

    // One action of seat 1: draw, create a book of three naturals, add to a book, or discard.
    static void playOneStep(Fixture& f, QSet<int>& triedRanks, QSet<int>& triedAdds,
                            int& discardTry)
    {
        const TableState& s = f.s();
        if (s.drawVisible) {
            if (s.pickupVisible && s.discardCard % 13 != 3) f.model.clickPickup();
            else f.model.clickDraw();
            return;
        }
        QMap<int, QList<int>> byRank;
        for (const HandCard& c : s.handRow())
            if (quornet::cards::isNatural(c.code)) byRank[c.code % 13].append(c.slot);
        for (auto it = byRank.cbegin(); it != byRank.cend(); ++it) {
            if (it->size() < 3 || triedRanks.contains(it.key()) ||
                f.model.checkforbook(it.key(), 1))
                continue;
            triedRanks.insert(it.key());
            for (int i = 0; i < 3; ++i) {
                QVERIFY(pickSlot(f, it->at(i)));
                f.model.clickPlace(i + 1);
            }
            f.model.clickCreate();
            return;
        }
        f.model.clickClearBook(); // a refused book leaves its cards on the places
        for (const HandCard& c : s.handRow()) {
            if (!quornet::cards::isNatural(c.code) || triedAdds.contains(c.slot)) continue;
            for (const WorkingBook& b : s.team(1).working) {
                if (b.rank() != c.code % 13) continue;
                triedAdds.insert(c.slot);
                QVERIFY(pickSlot(f, c.slot));
                f.model.clickBook(1, b.slot);
                return;
            }
        }
        const QList<HandCard> row = s.handRow();
        QVERIFY(!row.isEmpty());
        const HandCard& card = row.at(discardTry++ % row.size());
        QVERIFY(pickSlot(f, card.slot));
        f.model.clickDiscard();
    }
};

QTEST_GUILESS_MAIN(TestReplay)
#include "test_replay.moc"
