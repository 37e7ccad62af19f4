// What a player stumbled over, in the real table window: "Game is full" stays readable, the
// chat keys work where the player types, cards are named, the board is complete, a game's
// result is kept at once, and the pick-up preview and book sizes show. With QUORNET_SHOTS_DIR
// set, pictures are kept.
#include "app/program.h"
#include "protocol/messages.h"
#include "support/copies.h"
#include "support/files.h"
#include "support/windowrig.h"
#include "table/window/chatview.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace quornet;
namespace msg = protocol::msg;

using quornet::testing::copyEnvironment;
using quornet::testing::freePort;
using quornet::testing::readText;

namespace {
constexpr int Deadline = 20000;

template <typename T = QWidget> T* child(QWidget& w, const QString& name)
{
    auto* c = w.findChild<T*>(name);
    if (!c) qFatal("no widget %s", qPrintable(name));
    return c;
}

void shot(QWidget& w, const char* name)
{
    const QString dir = qEnvironmentVariable("QUORNET_SHOTS_DIR");
    if (!dir.isEmpty()) w.grab().save(dir + '/' + QString::fromLatin1(name) + ".png");
}
} // namespace

class TestWindowPolish : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("QUORNET_NO_DESKTOP", "1"); }

    void gameIsFullStaysUntilAnswered()
    {
        // A host that is full: it says so and closes at once.
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost, 0));
        connect(&host, &QTcpServer::newConnection, &host, [&] {
            QTcpSocket* s = host.nextPendingConnection();
            s->write(msg::full());
            s->disconnectFromHost();
        });
        QTemporaryDir tmp;
        QProcess copy;
        const auto stop = qScopeGuard([&] {
            copy.kill();
            copy.waitForFinished(Deadline);
        });
        copy.setProcessEnvironment(copyEnvironment(tmp, tmp.filePath("state.txt")));
        copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copy.start(QStringLiteral(QUORNET_BINARY), {"Zed", "127.0.0.1", "join", "--port", QString::number(host.serverPort())});
        QVERIFY(copy.waitForStarted(Deadline));
        QTRY_VERIFY_WITH_TIMEOUT(readText(tmp.filePath("state.txt")).contains("box Game is full"), Deadline);
        // The connection is long gone; the box is still there for the player to read.
        QCOMPARE(copy.state(), QProcess::Running);
        QVERIFY(!readText(tmp.filePath("state.txt")).contains("box The host"));
    }

    void keysNamesBoardAndResult()
    {
        quornet::testing::WindowRig rig(21);
        table::Tchat& chat = rig.chat;
        rig.withoutConnection(QStringLiteral("Ann"));
        chat.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        table::TableModel& model = chat.model();
        rig.loginAs(1, QStringLiteral("Ann"));

        // Ctrl+S from the chat line; Ctrl+V there replaces the whole text.
        auto* entry = child<QLineEdit>(chat, QStringLiteral("mychat"));
        entry->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(entry->hasFocus());
        QVERIFY(!chat.chatView()->scrollOff());
        QTest::keyClick(entry, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(chat.chatView()->scrollOff());
        entry->setText(QStringLiteral("half typed"));
        entry->setCursorPosition(4);
        QApplication::clipboard()->setText(QStringLiteral("from the clipboard"));
        QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(entry->text(), QStringLiteral("from the clipboard"));

        // Cards are named, not numbered; the board has its corners; the labels sit right.
        model.handleMessage(msg::startGameAnnounce("Ann", "f", 3));
        for (int slot = 0; slot < 3; ++slot) model.handleMessage(msg::newCard(1, slot, QList<int>{41, 54, 14}[slot]));
        QCOMPARE(child(chat, QStringLiteral("card0"))->toolTip(), QStringLiteral("Two of Hearts"));
        QCOMPARE(child(chat, QStringLiteral("card1"))->accessibleName(), QStringLiteral("Joker"));
        QCOMPARE(child(chat, QStringLiteral("image_corner1"))->geometry(), QRect(181, 496, 12, 12));
        QCOMPARE(child(chat, QStringLiteral("image_corner2"))->geometry(), QRect(0, 496, 12, 12));
        QVERIFY(!child<QLabel>(chat, QStringLiteral("image_corner2"))->pixmap().isNull());
        QCOMPARE(child(chat, QStringLiteral("label_cardsleft3"))->geometry().left(), 35);
        QCOMPARE(child(chat, QStringLiteral("label_cardsleft3"))->font().pixelSize(), 13);
        QCOMPARE(child(chat, QStringLiteral("label_full"))->width(), 129);

        // The pile a pick-up would take, with a pick-up count of 3; books show their sizes.
        model.handleMessage(msg::nextPlayer(0, 0, true, 2));
        for (int card : {7, 20, 33}) {
            model.handleMessage(msg::discardTop(card));
            model.handleMessage(msg::nextPlayer(card == 7 ? 2 : card == 20 ? 3 : 4, 11, true, card == 33 ? 1 : card == 7 ? 3 : 4));
        }
        model.handleMessage(msg::newBook(3, 1, 1, 9, 1));
        for (int count = 4; count <= 6; ++count) model.handleMessage(msg::addToBookAnnounce(3, 1, 0, 1, count, 22, 1));
        QVERIFY(child(chat, QStringLiteral("pile_preview"))->isVisible());
        QCOMPARE(child(chat, QStringLiteral("preview0"))->toolTip(), QStringLiteral("Seven of Clubs"));
        QCOMPARE(child(chat, QStringLiteral("preview2"))->toolTip(), QStringLiteral("Seven of Spades"));
        QCOMPARE(child(chat, QStringLiteral("book11"))->toolTip(), QStringLiteral("Nines: 6 cards, one more completes it"));
        shot(chat, "pick-up-preview-and-book-sizes");

        // A game's result is kept at once, not only when the program ends.
        const QString tally = rig.dir.filePath("quornettally.tld");
        QVERIFY(!QFile::exists(tally));
        model.handleMessage(msg::winner(1, "Ann and Cy"));
        QVERIFY(QFile::exists(tally));
    }
};

QTEST_MAIN(TestWindowPolish)
#include "test_window_polish.moc"
