#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/messages.h"

#include <QtTest>

using namespace quornet::protocol;

namespace {
QByteArray ff(const char* text)
{
    QByteArray b(text);
    b.replace('|', Terminator); // '|' stands for the terminator in these test texts
    return b;
}
} // namespace

class TestFraming : public QObject {
    Q_OBJECT
private slots:
    void splitsJoinedAndSplitMessages()
    {
        FrameSplitter f;
        // Three messages in one read are three items, in order.
        QCOMPARE(f.feed(ff("CMD_a+1|CMD_b+2|CMD_c+|")), (QList<QByteArray>{"CMD_a+1", "CMD_b+2", "CMD_c+"}));
        // A read that ends inside a message keeps its tail for the next read.
        QCOMPARE(f.feed("CMD_dra"), QList<QByteArray>{});
        QCOMPARE(f.pendingBytes(), 7);
        QCOMPARE(f.feed(ff("wing+3+1|CMD_ful")), QList<QByteArray>{"CMD_drawing+3+1"});
        QCOMPARE(f.feed(ff("l+|")), QList<QByteArray>{"CMD_full+"});
        // Two terminators in a row give an empty message.
        QCOMPARE(f.feed(ff("x||")), (QList<QByteArray>{"x", ""}));
        // Byte by byte.
        QList<QByteArray> got;
        for (char c : ff("CMD_newcard+1+5+23|")) got += f.feed(QByteArray(1, c));
        QCOMPARE(got, QList<QByteArray>{"CMD_newcard+1+5+23"});
    }

    void overflowWithoutTerminator()
    {
        FrameSplitter f(16);
        QVERIFY(f.feed("0123456789").isEmpty());
        QVERIFY(!f.overflowed());
        f.feed("0123456789");
        QVERIFY(f.overflowed());
        QVERIFY(f.feed(ff("ok|")).isEmpty()); // nothing more is taken from a misbehaving peer
        f.clear();
        QCOMPARE(f.feed(ff("ok|")), QList<QByteArray>{"ok"});
    }

    void commandsAndFields()
    {
        QCOMPARE(splitCommand("CMD_full+").word, QByteArray("CMD_full"));
        QVERIFY(splitCommand("CMD_full+").args.isEmpty());
        QVERIFY(splitCommand("CMD_full").word.isEmpty()); // no "+": no command word
        Command c = splitCommand("CMD_chat+3+Ann chats: a+b|clBlack");
        QCOMPARE(c.word, QByteArray("CMD_chat"));
        FieldReader r(c.args);
        QCOMPARE(r.integer(), 3);
        QCOMPARE(r.rest(), QByteArray("Ann chats: a+b|clBlack")); // free text keeps its "+"
        FieldReader n("12+-4+x1+7");
        QCOMPARE(n.integer(), 12);
        QCOMPARE(n.integer(), -4);
        QVERIFY(n.ok());
        n.integer();
        QVERIFY(!n.ok());
        QCOMPARE(n.badField(), QByteArray("x1"));
        QCOMPARE(n.integer(), 7); // the last field needs no "+"
        int v = 0;
        QVERIFY(!parseInt("", &v));
        QVERIFY(!parseInt("-", &v));
        QVERIFY(!parseInt("2147483648", &v));
        QVERIFY(parseInt("-2147483648", &v));
        QCOMPARE(v, std::numeric_limits<int>::min());
        QVERIFY(!parseInt(" 1", &v));
        QVERIFY(!parseInt("99999999999999999999", &v));
    }

    void catalogueTexts()
    {
        // Login ends with two terminators: the name's own and the message's.
        QCOMPARE(msg::loginInfo(3, VersionText, "Ann"), ff("CMD_logininfo+3+1.0.11+Ann||"));
        QCOMPARE(msg::full(), ff("CMD_full+|"));
        QCOMPARE(msg::wrongVersion(), ff("CMD_wrongversion+|"));
        QCOMPARE(msg::drawing(3, 1), ff("CMD_drawing+3+1|"));
        QCOMPARE(msg::startGame("Ann", "r", false, true, 2), ff("CMD_startgame+Ann+r+f+t+2+|"));
        QCOMPARE(msg::startGameAnnounce("Ann", "r", 2), ff("CMD_startgame+Ann+r+2+|"));
        QCOMPARE(msg::playASound(2, 13), ff("CMD_playasound+2+wave13+|"));
        QCOMPARE(msg::playASoundRelay(2, "wave13+"), ff("CMD_playasound+2+wave13+|"));
        QCOMPARE(msg::kickHim(1, 6), ff("CMD_kickhim+1+6+|"));
        QCOMPARE(msg::noBots("5"), ff("CMD_nobots+5+|"));
        QCOMPARE(msg::noBotsCatchUp(), ff("CMD_nobots+|"));
        QCOMPARE(msg::roundWinner(2), ff("CMD_rwinner+2++|"));
        QCOMPARE(msg::winner(0, "No One"), ff("CMD_winner+0+No One|"));
        QCOMPARE(msg::nextPlayer(0, 0, true, 1), ff("CMD_nextplayer+0+0+t+1|"));
        QCOMPARE(msg::loadBooks(2, {{1, 13, 1, 4}, {3, 7, 2, 6}}), ff("CMD_loadbooks+2+1+13+1+4+3+7+2+6|"));
        QCOMPARE(msg::loadComp(1, {{1, 14, 2, 7}}), ff("CMD_loadcomp+1+1+14+2|"));
        QCOMPARE(msg::addToBookAnnounce(1, 1, 4, 2, 7, 54, 2), ff("CMD_addtobook+1+1+4+2+7+54+2|"));
        QCOMPARE(msg::postScores(-120, -50, 2, 4), ff("CMD_postscores+-120+-50+2+4|"));
    }
};

QTEST_APPLESS_MAIN(TestFraming)
#include "test_framing.moc"
