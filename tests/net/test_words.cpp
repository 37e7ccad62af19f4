// Invite links and reachability sentences: what people paste and type, and what the hosting
// window tells them.
#include "net/invitelink.h"
#include "net/reachability.h"

#include <QtTest>

using namespace quornet::net;

class TestWords : public QObject {
    Q_OBJECT
private slots:
    // Every row: the text, then the link read from it (host, port, password) or the reason it is
    // refused. Every link read is written again and reads back as itself.
    void linksAndTypedAddresses()
    {
        struct Row {
            QString text;
            QString host;
            int port;
            QString password;
            QString error;
        };
        const QString notAddress = QStringLiteral("The address is not an IP address or a computer's name.");
        const QString badPort = QStringLiteral("The port must be a number from 1 to 65535.");
        const QString more = QStringLiteral("The link holds more than an address, a port and a password.");
        const QString unreadable = QStringLiteral("The password in the link is not readable.");
        const QList<Row> rows{
            {"quornet://192.0.2.7:7800", "192.0.2.7", 7800, "", ""},
            {"  QUORNET://192.0.2.7:7800/ \n", "192.0.2.7", 7800, "", ""},
            {"quornet://table.example.org", "table.example.org", 7772, "", ""},
            {"quornet://[2001:db8::7]:7773", "2001:db8::7", 7773, "", ""},
            {"quornet://[::1]", "::1", 7772, "", ""},
            {"quornet://host:7772?password=s%C3%A9same%20ouvre%26toi%2B", "host", 7772, QStringLiteral("s\u00e9same ouvre&toi+"), ""},
            {"quornet://host:7772?lang=fr&password=a+b", "host", 7772, "a+b", ""},
            {"192.0.2.7:7800", "192.0.2.7", 7800, "", ""},
            {"192.0.2.7", "192.0.2.7", 7772, "", ""},
            {"my-pc", "my-pc", 7772, "", ""},
            {"[fe80::1]:9000", "fe80::1", 9000, "", ""},
            {"2001:db8::1", "2001:db8::1", 7772, "", ""},
            {"", "", 0, "", "Enter an address or paste an invite link."},
            {QString(MaxLinkChars + 1, QLatin1Char('a')), "", 0, "", "That is too long for an address or an invite link."},
            {"http://192.0.2.7:7772", "", 0, "", "An invite link starts with quornet://."},
            {"quornet://", "", 0, "", "The link names no address."},
            {"quornet://:7772", "", 0, "", "The link names no address."},
            {"quornet://ann@host:7772", "", 0, "", more},
            {"quornet://host:7772/table", "", 0, "", more},
            {"quornet://host:7772#x", "", 0, "", more},
            {"two words", "", 0, "", more},
            {"[fe80::1%eth0]:7772", "", 0, "", more},
            {"host:0", "", 0, "", badPort},
            {"host:65536", "", 0, "", badPort},
            {"host:+80", "", 0, "", badPort},
            {"host:", "", 0, "", badPort},
            {"[::1]:", "", 0, "", badPort},
            {"999.1.1.1", "", 0, "", notAddress},
            {"-host", "", 0, "", notAddress},
            {"under_score", "", 0, "", notAddress},
            {"[192.0.2.7]:7772", "", 0, "", notAddress},
            {"[::1", "", 0, "", notAddress},
            {"1:2:3", "", 0, "", notAddress},
            {"quornet://h?password=%zz", "", 0, "", unreadable},
            {"quornet://h?password=%FF", "", 0, "", unreadable},
            {"quornet://h?password=a&password=b", "", 0, "", unreadable},
            {"quornet://h?password=a%07", "", 0, "", unreadable},
            {"quornet://h?password=" + QString(65, QChar(0xff)), "", 0, "", "The password in the link is longer than 64 characters."},
            {"quornet://h?password=" + QString(64, QChar(0xff)), "h", 7772, QString(64, QChar(0xff)), ""},
        };
        for (const Row& row : rows) {
            const LinkParse p = parseInviteLink(row.text);
            const QByteArray what = row.text.left(60).toUtf8();
            QVERIFY2(p.ok == row.error.isEmpty(), what + ": " + p.error.toUtf8());
            if (!p.ok) {
                QVERIFY2(p.error == row.error, what + ": " + p.error.toUtf8());
                continue;
            }
            QCOMPARE(p.link, (InviteLink{row.host, quint16(row.port), row.password}));
            const QString written = formatInviteLink(p.link);
            QVERIFY2(written.startsWith(QLatin1String("quornet://")), qPrintable(written));
            QCOMPARE(parseInviteLink(written).link, p.link);
        }
        QCOMPARE(formatInviteLink({"2001:db8::7", 7772, "a b/c"}), QStringLiteral("quornet://[2001:db8::7]:7772?password=a%20b%2Fc"));
        QCOMPARE(formatInviteLink({"192.0.2.7", 7772, ""}), QStringLiteral("quornet://192.0.2.7:7772"));
    }

    void reachabilityInWords()
    {
        using Router = ReachabilityFacts::Router;
        const QHostAddress lan(QStringLiteral("192.168.1.20"));
        const QString friends = QStringLiteral("Friends on this network can join at 192.168.1.20:7772.");
        struct Row {
            Router router;
            QString external;
            QStringList sentences;
        };
        const QList<Row> rows{
            {Router::NotAsked, "", {friends}},
            {Router::Pending, "", {friends}},
            {Router::Opened, "203.0.113.7",
             {friends, "Players on the internet can join at 203.0.113.7:7772: the router opened the port."}},
            {Router::NotOpened, "",
             {friends, "The router did not open the port, so players outside this network cannot join: open TCP "
                       "port 7772 on the router, or use a dedicated host."}},
            {Router::Opened, "100.72.9.1",
             {friends, "The router opened the port, but the provider shares its address 100.72.9.1 among many "
                       "customers, so players outside this network cannot reach this table: ask the provider for "
                       "an address of your own, or use a dedicated host."}},
            {Router::Opened, "",
             {friends, "Players on the internet can join at this network's internet address, port 7772: the "
                       "router opened the port."}},
        };
        for (const Row& row : rows)
            QCOMPARE(reachabilitySentences({lan, 7772, row.router, QHostAddress(row.external)}), row.sentences);
        QCOMPARE(reachabilitySentences({QHostAddress(), 7772, Router::NotAsked, QHostAddress()}), QStringList());

        for (const char* shared : {"10.1.2.3", "172.31.0.1", "192.168.0.1", "100.64.0.1", "100.127.255.254", "169.254.1.1"})
            QVERIFY2(isSharedOrPrivate(QHostAddress(QString::fromLatin1(shared))), shared);
        for (const char* open : {"203.0.113.7", "100.128.0.1", "172.32.0.1", "8.8.8.8"})
            QVERIFY2(!isSharedOrPrivate(QHostAddress(QString::fromLatin1(open))), open);
    }
};

QTEST_GUILESS_MAIN(TestWords)
#include "test_words.moc"
