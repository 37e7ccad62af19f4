// The chat line writer.
#include "table/core/chatlog.h"

#include <QSignalSpy>
#include <QtTest>

using namespace quornet::table;

namespace {
QList<ChatItem::Kind> kinds(const ChatLine& line)
{
    QList<ChatItem::Kind> out;
    for (const ChatItem& i : line.items) out.append(i.kind);
    return out;
}
} // namespace

class TestChatLog : public QObject {
    Q_OBJECT
private slots:
    void systemLineHasEmptyLabelAndStyleZero()
    {
        ChatLog log;
        QSignalSpy added(&log, &ChatLog::lineAdded);
        QSignalSpy colour(&log, &ChatLog::styleColorChanged);
        log.addlinetochat(QStringLiteral("0+You are Connected."), 0xFF0000);
        QCOMPARE(added.count(), 1);
        const ChatLine& line = log.lines().constLast();
        QCOMPARE(line.style, 0);
        QCOMPARE(kinds(line), (QList<ChatItem::Kind>{ChatItem::Label, ChatItem::Text}));
        QCOMPARE(line.items[0].text, QStringLiteral(" "));
        QCOMPARE(line.items[1].text, QStringLiteral("You are Connected. "));
        QCOMPARE(log.style(0).color, 0xFF0000u);
        QVERIFY(log.style(0).bold);
        QCOMPARE(colour.count(), 1);
        QCOMPARE(colour.at(0).at(0).toInt(), 0);
        QCOMPARE(colour.at(0).at(1).value<quint32>(), 0xFF0000u);
    }

    void relayedChatWithLabelAndSmiley()
    {
        ChatLog log;
        log.addlinetochat(QStringLiteral("3+Ann chats: hello:)#12world"), 0x000000);
        const ChatLine& line = log.lines().constLast();
        QCOMPARE(line.style, 8);
        QCOMPARE(kinds(line), (QList<ChatItem::Kind>{ChatItem::Label, ChatItem::Text,
                                                     ChatItem::Smiley, ChatItem::Text}));
        QCOMPARE(line.items[0].text, QStringLiteral("Ann chats: "));
        QCOMPARE(line.items[1].text, QStringLiteral(" hello "));
        QCOMPARE(line.items[2].smileyIndex, 2);
        QCOMPARE(line.items[3].text, QStringLiteral("world "));
        QCOMPARE(log.style(8).color, 0x000000u);
        QVERIFY(log.style(8).bold);
        QCOMPARE(line.plainText(), QStringLiteral("Ann chats:  hello world "));
        // Participants 1 and 2 write in styles 6 and 7; 9 in style 14.
        log.addlinetochat(QStringLiteral("1+x"), 0);
        QCOMPARE(log.lines().constLast().style, 6);
        log.addlinetochat(QStringLiteral("9+x"), 0);
        QCOMPARE(log.lines().constLast().style, 14);
    }

    void smileyCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("picture");
        QTest::newRow("27") << "a:)#27" << 17;
        QTest::newRow("10") << "a:)#10" << 0;
        QTest::newRow("11") << "a:)#11" << 1;
        QTest::newRow("28") << "a:)#28" << 0;
        QTest::newRow("09") << "a:)#09" << 0;
        QTest::newRow("letters") << "a:)#ab" << 0;
        QTest::newRow("one char") << "a:)#1" << 0;
        QTest::newRow("at the end") << "a:)#" << 0;
        QTest::newRow("sign") << "a:)#-1" << 0;
    }

    void smileyCodes()
    {
        QFETCH(QString, text);
        QFETCH(int, picture);
        ChatLog log;
        // The ":" of the smiley mark would be taken as the label: give the line a label first.
        log.addlinetochat(QStringLiteral("2+Bob: ") + text, 0);
        const ChatLine& line = log.lines().constLast();
        int smileys = 0;
        for (const ChatItem& item : line.items) {
            if (item.kind != ChatItem::Smiley) continue;
            ++smileys;
            QCOMPARE(item.smileyIndex, picture);
        }
        QCOMPARE(smileys, 1);
    }

    void textAfterTheSmileyCode()
    {
        ChatLog log;
        log.addlinetochat(QStringLiteral("0+Me: :)#1523 and :)#16"), 0);
        const ChatLine& line = log.lines().constLast();
        QCOMPARE(kinds(line),
                 (QList<ChatItem::Kind>{ChatItem::Label, ChatItem::Text, ChatItem::Smiley,
                                        ChatItem::Text, ChatItem::Smiley}));
        QCOMPARE(line.items[2].smileyIndex, 5);
        QCOMPARE(line.items[3].text, QStringLiteral("23 and  "));
        QCOMPARE(line.items[4].smileyIndex, 6);
    }

    void labelsAndMissingPrefix()
    {
        ChatLog log;
        log.addlinetochat(QStringLiteral("0+Klot the bot says: Have you seen Zeb today?"),
                          0xFF0000);
        QCOMPARE(log.lines().constLast().items[0].text, QStringLiteral("Klot the bot says: "));
        QCOMPARE(log.lines().constLast().items[1].text,
                 QStringLiteral(" Have you seen Zeb today? "));
        // A text without a style number is written whole as a system line.
        log.addlinetochat(QStringLiteral("no prefix here"), 0);
        QCOMPARE(log.lines().constLast().style, 0);
        QCOMPARE(log.lines().constLast().items[1].text, QStringLiteral("no prefix here "));
        log.addlinetochat(QStringLiteral("10+x"), 0);
        QCOMPARE(log.lines().constLast().style, 0);
        QCOMPARE(log.lines().constLast().plainText(), QStringLiteral(" 10+x "));
        // Everything after the first ":" stays text, later colons included.
        log.addlinetochat(QStringLiteral("4+Cy chats: a: b"), 0);
        QCOMPARE(log.lines().constLast().items[0].text, QStringLiteral("Cy chats: "));
        QCOMPARE(log.lines().constLast().items[1].text, QStringLiteral(" a: b "));
    }

    void linksTakeTableEntries()
    {
        ChatLog log;
        QCOMPARE(log.linkCounter(), -1);
        log.addlinetochat(QStringLiteral("2+Bob chats: see WWW.Example.com or http://x.org/a now"),
                          0);
        const ChatLine& line = log.lines().constLast();
        QCOMPARE(kinds(line),
                 (QList<ChatItem::Kind>{ChatItem::Label, ChatItem::Text, ChatItem::Link,
                                        ChatItem::Text, ChatItem::Link, ChatItem::Text}));
        QCOMPARE(line.items[2].text, QStringLiteral("WWW.Example.com "));
        QCOMPARE(line.items[2].linkIndex, 0);
        QCOMPARE(line.items[4].linkIndex, 1);
        QCOMPARE(log.linkEntry(0), QStringLiteral("WWW.Example.com "));
        QCOMPARE(log.linkUrl(0), QUrl(QStringLiteral("http://WWW.Example.com")));
        QCOMPARE(log.linkUrl(1), QUrl(QStringLiteral("http://x.org/a")));
        QCOMPARE(log.style(ChatLog::LinkStyle).color, 0x008000u);
        QVERIFY(log.style(ChatLog::LinkStyle).underline);
        // "https://" alone is not a link word; nothing was remembered at entry 2.
        log.addlinetochat(QStringLiteral("0+https://y.org"), 0);
        QCOMPARE(log.lines().constLast().items.size(), 2);
        QVERIFY(!log.linkUrl(2).isValid());
        QVERIFY(!log.linkUrl(-1).isValid());
        QVERIFY(!log.linkUrl(101).isValid());
    }

    void linkCounterWrapsToOne()
    {
        ChatLog log;
        for (int i = 0; i <= 100; ++i) log.addlinetochat(QStringLiteral("0+www.a%1.org").arg(i), 0);
        QCOMPARE(log.linkCounter(), 100);
        log.clear(); // clearing does not reset the counter
        QCOMPARE(log.linkCounter(), 100);
        log.addlinetochat(QStringLiteral("0+www.next.org"), 0);
        QCOMPARE(log.lines().constLast().items[1].linkIndex, 1);
        QCOMPARE(log.linkEntry(1), QStringLiteral("www.next.org "));
        QCOMPARE(log.linkEntry(0), QStringLiteral("www.a0.org "));
    }

    void onlyWebAddressesAreOpened()
    {
        QCOMPARE(ChatLog::safeWebUrl(QStringLiteral("https://www.kde.org/x?y=1")).toString(),
                 QStringLiteral("https://www.kde.org/x?y=1"));
        // A peer's "link" that names a file or another scheme never opens it.
        const QUrl fileTrick = ChatLog::safeWebUrl(QStringLiteral("file:///home/www.x/run.sh"));
        QVERIFY(!fileTrick.isValid() || fileTrick.scheme() == QLatin1String("http"));
        QVERIFY(!ChatLog::safeWebUrl(QStringLiteral("javascript:alert(1)")).isValid());
        QVERIFY(!ChatLog::safeWebUrl(QString()).isValid());
        QCOMPARE(ChatLog::safeWebUrl(QStringLiteral("(http://x.org)")).host(),
                 QStringLiteral("x.org"));
    }

    void styleColourFollowsTheLatestLine()
    {
        ChatLog log;
        QSignalSpy colour(&log, &ChatLog::styleColorChanged);
        log.addlinetochat(QStringLiteral("0+one"), 0xFF0000);
        log.addlinetochat(QStringLiteral("0+two"), 0x800000);
        QCOMPARE(log.style(0).color, 0x800000u);
        log.addlinetochat(QStringLiteral("0+three"), 0xFF0000);
        QCOMPARE(log.style(0).color, 0xFF0000u);
        QCOMPARE(colour.count(), 3);
        log.addlinetochat(QStringLiteral("0+four"), 0xFF0000); // same colour: nothing to redraw
        QCOMPARE(colour.count(), 3);
    }

    void textSizeAndClear()
    {
        ChatLog log;
        QSignalSpy cleared(&log, &ChatLog::cleared);
        QCOMPARE(log.textSize(), 10);
        log.setTextSize(14);
        for (int i = 0; i < ChatLog::StyleCount; ++i) QCOMPARE(log.style(i).size, 14);
        QCOMPARE(log.style(0).face, QStringLiteral("Arial"));
        log.addlinetochat(QStringLiteral("0+x"), 0);
        log.clear();
        QVERIFY(log.lines().isEmpty());
        QCOMPARE(cleared.count(), 1);
    }

    void peerTextStaysPlain()
    {
        ChatLog log;
        log.addlinetochat(QStringLiteral("5+<b>Eve</b> chats: <img src=x>&amp;"), 0);
        const ChatLine& line = log.lines().constLast();
        QCOMPARE(line.items[0].text, QStringLiteral("<b>Eve</b> chats: "));
        QCOMPARE(line.items[1].text, QStringLiteral(" <img src=x>&amp; "));
    }
};

QTEST_GUILESS_MAIN(TestChatLog)
#include "test_chatlog.moc"
