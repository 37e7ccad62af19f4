// The score sheet and game log windows, muting from the seat popup and the spy list, and a turn
// played with the keys, in the real table window driven by host messages.
#include "protocol/messages.h"
#include "support/windowrig.h"
#include "table/window/gamelogform.h"
#include "table/window/scoresheetform.h"
#include "windows/spylist.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QtTest>

using namespace quornet;
namespace msg = protocol::msg;

class TestPlayExtras : public QObject {
    Q_OBJECT
private:
    // Ann at seat 1 of a full table whose host the test plays.
    struct Table : testing::WindowRig {
        Table()
        {
            withoutConnection(QStringLiteral("Ann"));
            loginAs(1, QStringLiteral("Ann"), {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cy"), QStringLiteral("Di")});
        }
    };

    void shot(QWidget* w, const QString& name)
    {
        const QString dir = qEnvironmentVariable("QUORNET_SHOTS_DIR");
        if (!dir.isEmpty()) w->grab().save(dir + '/' + name + ".png");
    }

private slots:
    void scoreSheetAndGameLogWindows()
    {
        Table t;
        t.feed(msg::startGameAnnounce("Ann", "3", 1));
        t.feed(msg::newBook(2, 2, 1, 9, 1));
        for (int total : {10, 20, 30}) t.feed(msg::postScores(total, 10, 2, 4));
        t.feed(msg::postScores(-40, -40, 1, 3));
        t.feed(msg::postScores(230, 0, 2, 4));
        t.feed(msg::postScores(-40, 0, 3, 1));
        t.feed(msg::postScores(230, 0, 4, 2));
        t.feed(msg::roundWinner(2));
        t.feed(msg::startRound());
        t.feed(msg::postScores(500, 540, 1, 3)); // nothing before it: card points as reported

        t.action("ScoreSheet1")->trigger();
        table::Tscoresheet* sheet = t.chat.scoreSheetWindow();
        QVERIFY(sheet->isVisible());
        QTableWidget* grid = sheet->grid();
        QCOMPARE(grid->rowCount(), 2);
        const auto cell = [grid](int row, int column) { return grid->item(row, column)->text(); };
        QCOMPARE(cell(0, 0), QStringLiteral("1"));
        QCOMPARE(cell(0, 6), QStringLiteral("+30"));  // blue cards
        QCOMPARE(cell(0, 8), QStringLiteral("+200")); // blue going out
        QCOMPARE(cell(0, 10), QStringLiteral("230"));
        QCOMPARE(cell(0, 4), QStringLiteral("-40"));  // green penalties
        QCOMPARE(cell(1, 0), QStringLiteral("2 (now)"));
        QCOMPARE(cell(1, 5), QStringLiteral("500"));
        QCOMPARE(sheet->summary(), QStringLiteral("Round 2 in play: Green 500, Blue 230"));
        t.feed(msg::winner(1, "Ann and Cy"));
        QCOMPARE(cell(1, 0), QStringLiteral("2"));
        QCOMPARE(sheet->summary(), QStringLiteral("Game over after 2 rounds, the Green Team won: Green 500, Blue 230"));
        shot(sheet, QStringLiteral("scoresheet-scripted"));

        t.action("GameLog1")->trigger();
        table::Tgamelog* log = t.chat.gameLogWindow();
        QVERIFY(log->isVisible());
        QStringList lines = log->text()->toPlainText().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].endsWith(QStringLiteral("  Bob created a Normal Nines book.")));
        t.feed(msg::noBook());
        lines = log->text()->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].endsWith(QStringLiteral("  This is not a valid book")));
        log->copyAll();
        QCOMPARE(QApplication::clipboard()->text(), t.chat.model().gameLog().text());
        // A new game starts both afresh.
        t.feed(msg::startGameAnnounce("Ann", "r", 1));
        QVERIFY(log->text()->toPlainText().isEmpty());
        QCOMPARE(grid->rowCount(), 1);
    }

    void aLateJoinerSeesTheTotalsItCameInto()
    {
        Table t;
        t.feed(msg::loadStats("5", 1));
        t.feed(msg::postScores(450, 0, 1, 3));
        t.feed(msg::postScores(910, 0, 2, 4));
        t.action("ScoreSheet1")->trigger();
        QTableWidget* grid = t.chat.scoreSheetWindow()->grid();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Before"));
        QCOMPARE(grid->item(0, 1)->text(), QString());
        QCOMPARE(grid->item(0, 5)->text(), QStringLiteral("450"));
        QCOMPARE(grid->item(0, 10)->text(), QStringLiteral("910"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("Joined (now)"));
        t.feed(msg::postScores(470, 20, 3, 1));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("+20"));
        QCOMPARE(grid->item(1, 5)->text(), QStringLiteral("470"));
    }

    void mutingFromTheSeatNameAndTheSpyList()
    {
        Table t;
        windows::Tspylist* spies = &t.program.spyList;
        t.feed(msg::newPlayerInfo(6, "Spy"));
        QMenu* popup = t.chat.findChild<QMenu*>(QStringLiteral("popup_kick"));
        QAction* mute = t.action("Mute1");
        auto* bob = t.chat.findChild<QWidget*>(QStringLiteral("label_playername2"));
        QTest::mouseClick(bob, Qt::RightButton);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(mute->isEnabled());
        QVERIFY(!mute->isChecked());
        mute->trigger();
        popup->hide();
        QVERIFY(t.chat.model().isMuted(QStringLiteral("Bob")));
        QCOMPARE(bob->toolTip(), QStringLiteral("Muted in this window"));
        const int lines = t.chat.model().chat().lines().size();
        t.feed(msg::chatRelay(2, "Bob chats: hello|clBlack"));
        QCOMPARE(t.chat.model().chat().lines().size(), lines);
        // The own name offers no Mute.
        QTest::mouseClick(t.chat.findChild<QWidget*>(QStringLiteral("label_playername1")), Qt::RightButton);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(!mute->isEnabled());
        popup->hide();

        // The spy list: the entry under the pointer is muted, and shows checked next time.
        auto* list = spies->findChild<QListWidget*>();
        QVERIFY(list);
        QCOMPARE(spies->entries(), QStringList{QStringLiteral("6: Spy")});
        spies->show();
        const QPoint at = list->visualItemRect(list->item(0)).center();
        emit list->customContextMenuRequested(at);
        auto* spyMute = spies->findChild<QAction*>(QStringLiteral("popup_mute"));
        QVERIFY(spyMute->isEnabled());
        QVERIFY(!spyMute->isChecked());
        spyMute->trigger();
        QVERIFY(t.chat.model().isMuted(QStringLiteral("Spy")));
        emit list->customContextMenuRequested(at);
        QVERIFY(spyMute->isChecked());
        spies->findChild<QMenu*>(QStringLiteral("popup_kick"))->hide();
    }

    void aTurnWithTheKeys()
    {
        Table t;
        t.chat.show();
        QVERIFY(QTest::qWaitForWindowActive(&t.chat));
        t.feed(msg::startGameAnnounce("Ann", "r", 1));
        const QList<int> hand{13, 26, 39, 5, 6};
        for (int i = 0; i < hand.size(); ++i) t.feed(msg::newCard(1, i, hand[i]));
        t.feed(msg::nextPlayer(0, 0, true, 1));

        // In the chat line a "d" is text.
        auto* entry = t.chat.findChild<QLineEdit*>(QStringLiteral("mychat"));
        entry->setFocus();
        QTest::keyClick(entry, Qt::Key_D);
        QVERIFY(t.sent.isEmpty());
        QCOMPARE(entry->text(), QStringLiteral("d"));
        // Esc hands the keys to the table: D draws.
        QTest::keyClick(entry, Qt::Key_Escape);
        QVERIFY(!entry->hasFocus());
        QWidget* table = t.chat.centralWidget();
        QTest::keyClick(table, Qt::Key_D);
        QCOMPARE(t.sent, QList<QByteArray>{msg::drawing(1, 1)});
        // The window back from a dialog gives the keys to the table, not to the chat line.
        entry->setFocus(Qt::ActiveWindowFocusReason);
        QTRY_VERIFY(!entry->hasFocus());
        t.feed(msg::newCard(1, 5, 7));
        t.feed(msg::newCard(1, 6, 8));

        t.feed(msg::newBook(3, 1, 1, 52, 1)); // the partner's book of kings

        // Right, Right, Space picks the second card; the orange frame marks the part of it
        // that shows from under the next card.
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Space);
        QCOMPARE(t.chat.model().state().picked.slot, 1);
        auto* cursor = t.chat.findChild<QWidget*>(QStringLiteral("keycursor"));
        const QRect card = t.chat.findChild<QWidget*>(QStringLiteral("card1"))->geometry();
        const QRect next = t.chat.findChild<QWidget*>(QStringLiteral("card2"))->geometry();
        QVERIFY(cursor->isVisible());
        QCOMPARE(cursor->geometry(), QRect(card.topLeft(), QPoint(next.left() - 1, card.bottom())).adjusted(-2, -2, 2, 2));

        // B chooses the team's book, A adds the picked card to it.
        QTest::keyClick(table, Qt::Key_B);
        auto* bookCursor = t.chat.findChild<QWidget*>(QStringLiteral("bookcursor1"));
        QVERIFY(bookCursor->isVisible());
        QCOMPARE(bookCursor->geometry(),
                 t.chat.findChild<QWidget*>(QStringLiteral("book11"))->geometry().adjusted(-2, -2, 2, 2));
        QTest::keyClick(table, Qt::Key_A);
        QCOMPARE(t.sent.constLast(), msg::addToBook(1, 1, 1));
        t.feed(msg::freeCard(1));

        // The cursor stays where the card left the row, on the card now there: the five is
        // next. The five on box 1; the first king discarded.
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Space);
        QTest::keyClick(table, Qt::Key_1);
        QCOMPARE(t.chat.model().state().place(1).slot, 3);
        for (int i = 0; i < 2; ++i) QTest::keyClick(table, Qt::Key_Left);
        QTest::keyClick(table, Qt::Key_Space);
        QTest::keyClick(table, Qt::Key_X);
        QCOMPARE(t.sent.constLast(), msg::discard(1, 0));

        // Keyboard Play off: the keys do nothing and the frame goes.
        t.action("KeyboardPlay1")->trigger();
        t.sent.clear();
        QTest::keyClick(table, Qt::Key_C);
        QVERIFY(t.sent.isEmpty());
        QVERIFY(!cursor->isVisible());
        QCOMPARE(t.action("KeyCreate")->shortcut(), QKeySequence(Qt::Key_C));
    }
};

QTEST_MAIN(TestPlayExtras)
#include "test_play_extras.moc"
