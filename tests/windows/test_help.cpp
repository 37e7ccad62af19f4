// The help window's topics and pages, the about window, and the link component TURL.
#include "protocol/messages.h"
#include "windows/aboutform.h"
#include "windows/helpform.h"
#include "windows/rteurl.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

using quornet::windows::Tabout;
using quornet::windows::Thelp;
using quornet::windows::TURL;

namespace
{

QPushButton* buttonWithText(QWidget& w, const QString& text)
{
    for (auto* b : w.findChildren<QPushButton*>()) {
        if (b->text() == text) return b;
    }
    return nullptr;
}

QString pageText(const Thelp& help, int number)
{
    return help.page(number) ? help.page(number)->toPlainText() : QString();
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void topicsSwitchPages()
    {
        Thelp help;
        QCOMPARE(help.windowTitle(), QString("Quornet - Help File"));
        QCOMPARE(help.size(), QSize(542, 485));
        // Overview is shown first.
        QCOMPARE(help.caption(), QString("Overview"));
        QCOMPARE(help.currentPage()->objectName(), QString("memo1"));
        help.show();

        const QList<QPair<QString, int>> topics = {
            {"Overview", 1},      {"Connecting", 2}, {"Game Play", 3}, {"Scoring", 4},
            {"Documentation", 5}, {"License", 6},    {"Turn", 7},      {"Books", 8},
            {"Strategy", 9},      {"The Lobby", 11}};
        QSet<QString> texts;
        for (const auto& [caption, number] : topics) {
            QPushButton* b = buttonWithText(help, caption);
            QVERIFY2(b, qPrintable(caption));
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(help.caption(), caption);
            QCOMPARE(help.findChild<QLabel*>("label_caption")->text(), caption);
            QTextBrowser* memo = help.currentPage();
            QCOMPARE(memo->objectName(), QStringLiteral("memo%1").arg(number));
            QVERIFY(memo->isVisible());
            QVERIFY(memo->isReadOnly());
            QVERIFY(memo->toPlainText().size() > 600); // a real page, not the missing-page text
            texts.insert(memo->toPlainText());
            for (const auto& other : topics) {
                if (other.second != number) QVERIFY(!help.page(other.second)->isVisible());
            }
        }
        QCOMPARE(texts.size(), topics.size()); // every topic has its own page
        QVERIFY(!help.showTopic(10));
        QVERIFY(!help.findChild<QTextBrowser*>("memo10"));
        QCOMPARE(help.currentTopic(), 11);
    }

    void helpRemembersTheLastTopic()
    {
        Thelp help;
        help.show();
        QTest::mouseClick(buttonWithText(help, "Books"), Qt::LeftButton);
        QTest::mouseClick(buttonWithText(help, "DONE"), Qt::LeftButton);
        QVERIFY(!help.isVisible());
        help.show();
        QCOMPARE(help.caption(), QString("Books"));
        QCOMPARE(help.currentPage()->objectName(), QString("memo8"));
        QVERIFY(help.currentPage()->isVisible());

        // Links between pages lead to their topic.
        emit help.page(1)->anchorClicked(QUrl("topic:4"));
        QCOMPARE(help.caption(), QString("Scoring"));
        QCOMPARE(help.currentTopic(), 4);
    }

    void pagesTellTheRules()
    {
        Thelp help;
        const QString scoring = pageText(help, 4);
        for (const char* fact : {"Aces", "Kings, queens, jacks", "Fours to tens", "Twos and jokers",
                                 "Threes", "-100", "-50", "-20", "-10", "500", "300", "200"})
            QVERIFY2(scoring.contains(QString::fromLatin1(fact)), fact);
        const QString connecting = pageText(help, 2);
        for (const char* fact :
             {"NAME ADDRESS true", "7772", "--port", "--serve", "firewall", "join"})
            QVERIFY2(connecting.contains(QString::fromLatin1(fact)), fact);
        const QString menus = pageText(help, 5);
        for (const char* item : {"Start Game",
                                 "Exit",
                                 "Play Sounds",
                                 "Play Chatter Sounds",
                                 "Classic",
                                 "New",
                                 "Manual Sort",
                                 "Slow",
                                 "Normal",
                                 "Fast",
                                 "Text Color",
                                 "Text Size",
                                 "Reset Screen Location",
                                 "Chat Scroll Off",
                                 "Clear Main Chat",
                                 "Just Watch",
                                 "Spy List",
                                 "Phrase List",
                                 "Tally List",
                                 "Content (F1)",
                                 "About"})
            QVERIFY2(menus.contains(QString::fromLatin1(item)), item);
        QVERIFY(pageText(help, 6).contains("GPL-3.0-or-later"));
        QVERIFY(pageText(help, 8).contains("seven"));
        QVERIFY(pageText(help, 11).contains("Vexo42Lobby"));
    }

    void aboutWindow()
    {
        Tabout about;
        QCOMPARE(about.windowTitle(), QString("Quornet - About"));
        QCOMPARE(about.size(), QSize(304, 174));
        QCOMPARE(about.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        auto* version = about.findChild<QLabel*>("version");
        QVERIFY(version);
        QCOMPARE(version->text(), QString::fromLatin1(quornet::protocol::VersionText));
        QCOMPARE(version->text(), QString("1.0.11"));
        QCOMPARE(about.versionText(), QString("1.0.11"));
        QVERIFY(version->styleSheet().contains("#d00000"));
        auto* build = about.findChild<QLabel*>("label_build");
        QCOMPARE(build->text(), QString("10"));
        QVERIFY(build->styleSheet().contains("#d00000"));

        QList<QUrl> opened;
        about.url().setOpener([&](const QUrl& u) {
            opened.append(u);
            return true;
        });
        about.show();
        auto* link = about.findChild<QLabel*>("label_url");
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl("https://www.vexo42.example")});
        QCOMPARE(about.url().target(), QString("https://www.vexo42.example"));
        QTest::mouseClick(buttonWithText(about, "Done"), Qt::LeftButton);
        QVERIFY(!about.isVisible());

        // The help window's About button shows it.
        Thelp help(&about);
        QSignalSpy asked(&help, &Thelp::aboutRequested);
        help.show();
        QTest::mouseClick(buttonWithText(help, "About"), Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QVERIFY(about.isVisible());
    }

    // A side window opens centred over the table window the first time, and where the user left
    // it after that.
    void firstShowCentresOverTheParent()
    {
        QWidget table;
        table.setGeometry(100, 80, 600, 400);
        table.show();
        Tabout about(&table);
        about.show();
        QCOMPARE(about.frameGeometry().center(), table.frameGeometry().center());
        about.hide();
        about.move(20, 30);
        about.show();
        QCOMPARE(about.pos(), QPoint(20, 30));
    }

    void linkPrefixes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("prefix");
        QTest::addRow("file") << int(TURL::Kind::File) << "file://";
        QTest::addRow("ftp") << int(TURL::Kind::Ftp) << "ftp://";
        QTest::addRow("gopher") << int(TURL::Kind::Gopher) << "gopher://";
        QTest::addRow("web page") << int(TURL::Kind::WebPage) << "http://";
        QTest::addRow("secure web page") << int(TURL::Kind::SecureWebPage) << "https://";
        QTest::addRow("mail") << int(TURL::Kind::Mail) << "mailto:";
        QTest::addRow("news") << int(TURL::Kind::News) << "news:";
        QTest::addRow("telnet") << int(TURL::Kind::Telnet) << "telnet:";
        QTest::addRow("wais") << int(TURL::Kind::Wais) << "wais:";
        QTest::addRow("none") << int(TURL::Kind::None) << "";
    }

    void linkPrefixes()
    {
        QFETCH(int, kind);
        QFETCH(QString, prefix);
        const auto k = TURL::Kind(kind);
        QCOMPARE(TURL::prefix(k), prefix);
        TURL link(QStringLiteral("example.org/x"), k);
        QCOMPARE(link.target(), prefix + "example.org/x");
        QList<QUrl> opened;
        link.setOpener([&](const QUrl& u) {
            opened.append(u);
            return false; // the desktop refused
        });
        QVERIFY(!link.open());
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().toString(QUrl::None), link.url().toString(QUrl::None));
    }

    void linkDefaultsAndEmptyAddress()
    {
        TURL link;
        QCOMPARE(link.kind(), TURL::Kind::WebPage);
        int calls = 0;
        link.setOpener([&](const QUrl&) { return ++calls > 0; });
        QVERIFY(!link.open()); // nothing to open
        QCOMPARE(calls, 0);
        link.setAddress("www.vexo42.example/help");
        QVERIFY(link.open());
        QCOMPARE(calls, 1);
        QCOMPARE(link.url(), QUrl("http://www.vexo42.example/help"));
        link.setKind(TURL::Kind::Mail);
        link.setAddress("players@vexo42.example");
        QCOMPARE(link.url().scheme(), QString("mailto"));
        QCOMPARE(link.url().path(), QString("players@vexo42.example"));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
