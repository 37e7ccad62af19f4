// Following the others' turns: whole rounds of computer players as a spectator's window sees
// them. The steps of a computer player's turn reach the window one timer event apart, the seats'
// card counts follow every step, and the game log says every step of everybody in the order it
// happened, read against what each seat's own connection was told (its drawn or picked-up cards).
#include "support/harness.h"
#include "tablefixture.h"

#include "bots/level.h"
#include "host/computerplayer.h"
#include "table/core/hint.h"

using namespace tabletest;
using namespace quornet::host::testing;
using quornet::host::cardsIn;

namespace {
const QList<QByteArray> Names{"Ann", "Bob", "Cy", "Di"};

QByteArray wordOf(const QByteArray& m) { return m.left(m.indexOf('+')); }
int field(const QByteArray& m, int i) { return m.split('+').value(i + 1).toInt(); }

// What the log must say of one turn, from the turn seat's own messages: its first cards tell a
// draw from a pick-up (the pile's new top follows a pick-up's cards at once); the rest follows
// the table's messages. A book line is matched by its start.
QStringList expectedTurn(int seat, const QString& who, QList<QByteArray> own, bool wentOut)
{
    own.removeIf([](const QByteArray& m) { return m.startsWith("CMD_justwatching+"); });
    QStringList lines;
    int first = 0;
    while (first < own.size() && wordOf(own[first]) == "CMD_newcard") ++first;
    int i = first;
    if (first > 0 && first < own.size() && wordOf(own[first]) == "CMD_discard") {
        const QString top = cardTitle(field(own[0], 2));
        lines << (first > 1 ? QStringLiteral("%1 took the pile: %2 and %3 more.").arg(who, top).arg(first - 1)
                            : QStringLiteral("%1 took the pile: %2.").arg(who, top));
        ++i;
    } else if (first > 0) {
        lines << who + " drew two cards.";
    }
    for (; i < own.size(); ++i) {
        const QByteArray w = wordOf(own[i]);
        if (w == "CMD_newbook") lines << who + " created…";
        else if (w == "CMD_addtobook" || w == "CMD_addtocomp") lines << who + " added to…";
        else if (w == "CMD_complete") lines << who + " completed…";
        else if (w == "CMD_discard") lines << QStringLiteral("%1 discarded %2.").arg(who, cardName(field(own[i], 0)));
        else if (w == "CMD_usefoot") lines << who + " picked up the foot.";
        else if (w == "CMD_nextplayer" && field(own[i], 1) == 0 && field(own[i], 0) == seat) lines << who + " has no cards left…";
    }
    if (wentOut) lines << who + " went out.";
    return lines;
}
} // namespace

class TestFollow : public QObject
{
    Q_OBJECT
private slots:
    void everyStepIsSeenAndToldInOrder_data()
    {
        QTest::addColumn<std::uint32_t>("seed");
        QTest::addColumn<int>("pickUpCount");
        QTest::newRow("pick up 1") << 3u << 1;
        QTest::newRow("pick up 4") << 8u << 4;
        QTest::newRow("pick up 7") << 21u << 7;
    }

    void everyStepIsSeenAndToldInOrder()
    {
        QFETCH(std::uint32_t, seed);
        QFETCH(int, pickUpCount);
        Harness h(Harness::scenario(), seed);
        h.engine->computerPlayer().setTeamLevels(quornet::bots::Level::Strong, quornet::bots::Level::Classic);
        for (const QByteArray& name : Names) h.join(name);
        const int spy = h.join("Eve");
        Fixture f;
        f.model.setPlayerName(QStringLiteral("Eve"));
        std::array<QList<QByteArray>, 5> own{}; // each seat's messages of the turn in play
        QStringList expected;
        int turnSeat = 0, fires = 0;
        const auto deliver = [&] {
            int steps = 0;
            for (const auto& s : h.out.sent) {
                const QByteArray w = wordOf(s.message);
                if (s.participant == spy) {
                    f.feed(s.message);
                    steps += w == "CMD_newbook" || w == "CMD_addtobook" || w == "CMD_addtocomp" || w == "CMD_discard";
                } else if (s.participant >= 1 && s.participant <= 4) {
                    // Each seat hears every table message; the turn seat's own stream says its turn.
                    own[std::size_t(s.participant)].append(s.message.chopped(1));
                }
            }
            h.out.sent.clear();
            return steps;
        };
        h.startGame("r", false, true, pickUpCount);
        deliver();
        for (auto& o : own) o.clear();
        for (int s : {2, 3, 4, 1}) h.send(s, quornet::protocol::msg::justWatch(s, 1));
        deliver(); // seat 1's draw, taken over at once
        turnSeat = 1;
        while ((h.table().running || h.engine->pendingSteps() > 0) && fires < 20000) {
            h.engine->botTimerFired();
            ++fires;
            // One step a timer event: a book, an addition or a discard, never two at once.
            QVERIFY(deliver() <= 1);
            // The turn is over for the window once its next turn (or the round's end) came.
            QList<QByteArray>& mine = own[std::size_t(turnSeat)];
            const auto end = std::find_if(mine.begin(), mine.end(), [](const QByteArray& m) {
                return m.startsWith("CMD_nextplayer+") || m.startsWith("CMD_rwinner+") || m.startsWith("CMD_winner+");
            });
            if (end != mine.end()) {
                const auto& seat = h.seat(turnSeat);
                const bool out = !end->startsWith("CMD_nextplayer+") && seat.onFoot && cardsIn(seat.hand) == 0;
                expected << expectedTurn(turnSeat, f.s().seat(turnSeat).name, mine.mid(0, std::distance(mine.begin(), end) + 1), out);
                const int next = end->startsWith("CMD_nextplayer+") ? field(*end, 3) : 0;
                for (auto& o : own) o.clear(); // `end` points into a list cleared here
                turnSeat = next;
                if (turnSeat == 0) break;
            }
            // Everything sent: the counts the window shows are the host's.
            if (h.engine->pendingSteps() == 0 && h.table().running)
                for (int s = 1; s <= 4; ++s) QCOMPARE(f.s().seat(s).cardsLeft, QString::number(cardsIn(h.seat(s).hand)));
        }
        h.fireUntilIdle(100);
        deliver();
        QVERIFY(!h.table().running);
        QStringList told;
        const QRegularExpression step(QStringLiteral("drew two cards|took the pile|created a|added to the|completed a|"
                                                     "discarded|picked up the foot|went out|has no cards left"));
        for (const GameLogEntry& e : f.model.gameLog().entries())
            if (e.text.contains(step)) told << e.text;
        QVERIFY(expected.size() > 40);
        for (int i = 0; i < qMin(told.size(), expected.size()); ++i) {
            const QString& e = expected[i];
            const bool same = e.endsWith(QChar(0x2026)) ? told[i].startsWith(e.chopped(1)) : told[i] == e;
            QVERIFY2(same, qPrintable(QStringLiteral("line %1: %2 / expected %3").arg(i).arg(told[i], e)));
        }
        QCOMPARE(told.size(), expected.size());
    }
};

QTEST_MAIN(TestFollow)
#include "test_follow.moc"
