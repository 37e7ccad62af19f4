// Plays a whole one-round solo game in the real table window, by clicking its widgets: the
// host runs in-process with fast computer players, seat 1 is played with the mouse.
#include "protocol/messages.h"
#include "support/copies.h"
#include "support/files.h"
#include "support/tcpclient.h"
#include "support/windowrig.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "table/window/scoresheetform.h"
#include "table/window/roundsummaryform.h"
#include "windows/gamestart.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QtTest>

using namespace quornet;
using table::ClickLabel;

namespace {
constexpr int Deadline = 20000;
// The deal of this seed makes a game to 5000 last three rounds with this test's way of playing.
constexpr quint32 SeveralRoundsSeed = 15;

int rankOf(int code) { return code % 13; }
bool natural(int code) { return code != 0 && rankOf(code) != 2 && rankOf(code) != 3; }
} // namespace

class TestSoloGame : public QObject {
    Q_OBJECT
private:
    template <typename T> T* child(QWidget* w, const QString& name)
    {
        T* c = w->findChild<T*>(name);
        if (!c) qFatal("no widget %s", qPrintable(name));
        return c;
    }

    // The visible cards of the hand row, in position order.
    QList<table::HandCard> hand(table::Tchat& chat)
    {
        QList<table::HandCard> cards;
        for (const table::HandCard& c : chat.model().state().handRow())
            if (c.visible) cards << c;
        return cards;
    }

    // With QUORNET_SHOTS_DIR set, the test keeps pictures of the window along the way.
    void shot(QWidget& w, const char* name)
    {
        const QString dir = qEnvironmentVariable("QUORNET_SHOTS_DIR");
        if (!dir.isEmpty()) w.grab().save(dir + '/' + QString::fromLatin1(name) + ".png");
    }

    void clickCard(table::Tchat& chat, int slot)
    {
        QTest::mouseClick(child<ClickLabel>(&chat, QStringLiteral("card%1").arg(slot)), Qt::LeftButton);
    }

    // Answers the next message box with `button` and keeps its text in `text`.
    void answerNextBox(QMessageBox::StandardButton button, QString* text)
    {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, button, text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            *text = box->text();
            poll->deleteLater();
            box->button(button)->click();
        });
        poll->start(10);
    }

    QList<int> handCodes(table::Tchat& chat)
    {
        QList<int> codes;
        for (const table::HandCard& c : hand(chat)) codes << c.code;
        std::sort(codes.begin(), codes.end());
        return codes;
    }

    struct Played {
        int turns = 0, booksCreated = 0, cardsAdded = 0, summaries = 0;
        bool midShot = false;
    };

    // The round summary at a round's end: the next deal waits for its Continue.
    void continueAfterTheRound(table::Tchat& chat, host::TServer& server, Played& played)
    {
        table::Troundsummary* summary = chat.roundSummary();
        ++played.summaries;
        QVERIFY2(summary->title().endsWith(" is over"), qPrintable(summary->title()));
        const table::RoundScore& last = chat.model().scoreSheet().rounds().constLast();
        for (int team = 1; team <= 2; ++team) QCOMPARE(summary->cell(5, team), QString::number(last.team(team).total));
        QTRY_VERIFY_WITH_TIMEOUT(server.engine().roundWaiting(), Deadline);
        shot(*summary, "round-summary");
        QTest::mouseClick(summary->continueButton(), Qt::LeftButton);
        QVERIFY(!summary->isVisible());
        QVERIFY(!server.engine().roundWaiting());
    }

    // Plays seat 1 with the mouse until the game is over (the start button shows again): draw,
    // create books from three naturals, add to the team's books, discard.
    void playUntilOver(table::Tchat& chat, host::TServer& server, Played& played)
    {
        const table::TableState& s = chat.model().state();
        auto* start = child<QPushButton>(&chat, "button_start");
        auto* draw = child<QPushButton>(&chat, "button_draw");
        auto* create = child<QPushButton>(&chat, "button_create");
        auto* discard = child<ClickLabel>(&chat, "image_discard");
        const auto gameOver = [&] { return start->isVisible(); };
        
        while (!gameOver()) {
            QTRY_VERIFY_WITH_TIMEOUT((s.ownTurn() && s.turnText == "Your Turn.") || gameOver() ||
                                         chat.roundSummary()->isVisible(), Deadline);
            if (gameOver()) break;
            if (chat.roundSummary()->isVisible()) {
                continueAfterTheRound(chat, server, played);
                if (QTest::currentTestFailed()) return;
                continue;
            }
            ++played.turns;
            if (!played.midShot && !s.team(1).working.isEmpty() && !s.team(2).working.isEmpty()) {
                shot(chat, "solo-mid-round");
                played.midShot = true;
            }
            QVERIFY(draw->isVisible());
            QCOMPARE(child<QLabel>(&chat, "label_turn")->text(), QString("Your Turn."));
            const int before = hand(chat).size();
            QTest::mouseClick(draw, Qt::LeftButton);
            QVERIFY(!draw->isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(hand(chat).size() > before || !s.ownTurn() || gameOver(), Deadline);
            if (!s.ownTurn() || gameOver()) continue;

            // Create a book from three naturals of a rank the team has no working book of.
            for (bool made = true; made && s.ownTurn();) {
                made = false;
                QMap<int, QList<int>> byRank;
                for (const auto& c : hand(chat))
                    if (natural(c.code) && !chat.model().checkforbook(rankOf(c.code), 1)) byRank[rankOf(c.code)] << c.slot;
                for (const QList<int>& group : byRank) {
                    if (group.size() < 3 || hand(chat).size() <= 3) continue;
                    for (int i = 0; i < 3; ++i) {
                        clickCard(chat, group[i]);
                        QCOMPARE(s.picked.slot, group[i]);
                        QTest::mouseClick(child<ClickLabel>(&chat, QStringLiteral("acard_place%1").arg(i + 1)), Qt::LeftButton);
                        QCOMPARE(s.place(i + 1).slot, group[i]);
                    }
                    QTest::mouseClick(create, Qt::LeftButton);
                    QTRY_VERIFY_WITH_TIMEOUT(s.place(1).isEmpty() || !s.ownTurn(), Deadline);
                    QVERIFY2(s.status.startsWith("You created a "), qPrintable(s.status));
                    QVERIFY(s.status.endsWith(" book."));
                    ++played.booksCreated;
                    made = true;
                    break;
                }
            }
            // Add every card that fits one of the team's working books.
            for (bool added = true; added && s.ownTurn();) {
                added = false;
                for (const auto& c : hand(chat)) {
                    if (!natural(c.code) || hand(chat).size() <= 1) continue;
                    const table::WorkingBook* target = nullptr;
                    for (const auto& b : s.team(1).working)
                        if (b.rank() == rankOf(c.code)) target = &b;
                    if (!target) continue;
                    auto* book = child<ClickLabel>(&chat, QStringLiteral("book1%1").arg(target->slot));
                    QCOMPARE(book->width(), 36 + 5 * (target->count - 1));
                    clickCard(chat, c.slot);
                    QTest::mouseClick(book, Qt::LeftButton);
                    const int slot = c.slot;
                    QTRY_VERIFY_WITH_TIMEOUT(!s.cards.contains(slot) || !s.ownTurn(), Deadline);
                    ++played.cardsAdded;
                    added = true;
                    break;
                }
            }
            if (!s.ownTurn() || gameOver()) continue;
            // Discard a three if there is one, else the first natural, else anything.
            const auto cards = hand(chat);
            QVERIFY(!cards.isEmpty());
            int pick = cards.first().slot;
            for (const auto& c : cards)
                if (rankOf(c.code) == 3) pick = c.slot;
            clickCard(chat, pick);
            const int code = s.picked.code;
            QTest::mouseClick(discard, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(s.discardCard == code || gameOver() || s.turnSeat != 1, Deadline);
        }

    }

private slots:
    void playsAOneRoundGameWithTheMouse()
    {
        testing::WindowRig rig(20261208);
        table::Tchat& chat = rig.chat;
        host::TServer& server = rig.program.server;
        windows::Tgamestartform& dialog = rig.program.gameStart;
        const table::TableState& s = chat.model().state();

        // Start-up: the solo game hosts on a free port, connects its own window and logs in as
        // seat 1; the own arrival (after the login reply) reads the (missing) settings file.
        QVERIFY(rig.startSolo(2));
        QCOMPARE(s.own, 1);
        QCOMPARE(child<QLabel>(&chat, "label_playername1")->text(), QString("You"));
        QVERIFY(s.manualSort);
        QCOMPARE(chat.botSpeed(), 750);
        QCOMPARE(chat.model().chat().textSize(), 8);
        QCOMPARE(chat.model().chat().lines().first().plainText().trimmed(), QString("Loading Solo Game..Please wait."));
        auto* start = child<QPushButton>(&chat, "button_start");
        QVERIFY(start->isVisible());

        // The game start dialog: one round, pick-up on.
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.isVisible(), Deadline);
        QVERIFY(!start->isVisible());
        QTest::mouseClick(child<QLabel>(&dialog, "image_game4"), Qt::LeftButton);
        QCOMPARE(dialog.lengthCode(), QByteArray("r"));
        QTest::mouseClick(child<QPushButton>(&dialog, "button_start"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        // Starting a game writes the settings, the dialog's choices included.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(rig.settingsPath()), Deadline);
        const QByteArray text = testing::readFile(rig.settingsPath());
        QVERIFY(text.contains("[quornet]"));
        QVERIFY(text.contains("Gametype=r"));
        QVERIFY(text.contains("Botspeed=750"));

        QTRY_COMPARE_WITH_TIMEOUT(hand(chat).size(), 11, Deadline);
        QCOMPARE(child<QLabel>(&chat, "label_full")->text(), QString("Play One Round"));
        QCOMPARE(child<QLabel>(&chat, "label_playername2")->text(), QString("Klot"));
        QCOMPARE(child<QLabel>(&chat, "label_playername3")->text(), QString("Klick"));
        QCOMPARE(child<QLabel>(&chat, "label_playername4")->text(), QString("Kling"));
        shot(chat, "solo-start");

        Played played;
        playUntilOver(chat, server, played);
        if (QTest::currentTestFailed()) return;
        const int turns = played.turns, booksCreated = played.booksCreated, cardsAdded = played.cardsAdded;
        // CMD_winner: the host's own window offers the start button again.
        shot(chat, "solo-end");
        QVERIFY(turns > 3);
        QVERIFY(booksCreated + cardsAdded > 0);
        bool tie = false;
        for (const auto& line : chat.model().chat().lines()) tie = tie || line.plainText().contains("The Game Ended in a Tie");
        QVERIFY(tie || s.team(1).winnerVisible || s.team(2).winnerVisible);
        QVERIFY(child<QLabel>(&chat, "image_winner1")->isVisible() == s.team(1).winnerVisible);
        qInfo("played %d turns, created %d books, added %d cards", turns, booksCreated, cardsAdded);
        // The table window's (and in-process host's) resident memory after the whole game.
        for (const QByteArray& line : testing::readFile(QStringLiteral("/proc/self/status")).split('\n'))
            if (line.startsWith("VmRSS:")) qInfo("resident memory after the game: %s", line.mid(6).trimmed().constData());
    }

    // A game to 5000 over several rounds; afterwards the score sheet holds every round, its
    // totals are the ones on the table, and its chart is kept as a picture.
    void playsAGameOfRoundsAndKeepsTheScoreSheet()
    {
        testing::WindowRig rig(SeveralRoundsSeed);
        table::Tchat& chat = rig.chat;
        host::TServer& server = rig.program.server;
        windows::Tgamestartform& dialog = rig.program.gameStart;
        QVERIFY(rig.startSolo(2));
        QTest::mouseClick(child<QPushButton>(&chat, "button_start"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.isVisible(), Deadline);
        QTest::mouseClick(child<QLabel>(&dialog, "image_game2"), Qt::LeftButton);
        QCOMPARE(dialog.lengthCode(), QByteArray("5"));
        QTest::mouseClick(child<QPushButton>(&dialog, "button_start"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(hand(chat).size(), 11, Deadline);

        Played played;
        playUntilOver(chat, server, played);
        if (QTest::currentTestFailed()) return;
        // Every round but the last ended with a summary the player went on from; the last one
        // ends the game, and its summary says so.
        QCOMPARE(played.summaries, int(chat.model().scoreSheet().rounds().size()) - 1);
        QTRY_VERIFY_WITH_TIMEOUT(chat.roundSummary()->isVisible(), Deadline);
        QCOMPARE(chat.roundSummary()->title(), QStringLiteral("The game is over"));

        auto* sheetItem = chat.findChild<QAction*>(QStringLiteral("ScoreSheet1"));
        QVERIFY(sheetItem);
        sheetItem->trigger();
        table::Tscoresheet* window = chat.scoreSheetWindow();
        QVERIFY(window->isVisible());
        const table::ScoreSheet& sheet = chat.model().scoreSheet();
        QVERIFY(sheet.gameOver());
        QVERIFY2(sheet.rounds().size() >= 2, "a game to 5000 takes more than one round");
        QTableWidget* grid = window->grid();
        QCOMPARE(grid->rowCount(), int(sheet.rounds().size()));
        for (int team = 1; team <= 2; ++team) {
            const QString shown = child<QLabel>(&chat, QStringLiteral("label_score%1").arg(team))->text();
            QCOMPARE(QString::number(sheet.total(team)), shown);
            QCOMPARE(grid->item(grid->rowCount() - 1, team == 1 ? 5 : 10)->text(), shown);
        }
        QVERIFY(std::max(sheet.total(1), sheet.total(2)) >= 5000);
        qInfo("%d rounds, %d to %d", int(sheet.rounds().size()), sheet.total(1), sheet.total(2));
        window->resize(760, 560);
        shot(*window, "scoresheet-after-game");
        shot(chat, "solo-game-over");
    }

    // A solo game closed with "keep it" comes back at the next start with the same hand and
    // turn; one closed with "end it" is gone.
    void aKeptSoloGameIsResumedAtTheNextStart()
    {
        QTemporaryDir games;
        QVERIFY(games.isValid());
        QList<int> held;
        QString question;
        {
            testing::WindowRig rig(SeveralRoundsSeed);
            rig.chat.keptGames().setFolder(games.path());
            QVERIFY(rig.startSolo(2));
            QTest::mouseClick(child<QPushButton>(&rig.chat, "button_start"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(rig.program.gameStart.isVisible(), Deadline);
            QTest::mouseClick(child<QPushButton>(&rig.program.gameStart, "button_start"), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(hand(rig.chat).size(), 11, Deadline);
            held = handCodes(rig.chat);
            answerNextBox(QMessageBox::Yes, &question);
            rig.chat.close();
            QCOMPARE(question, QStringLiteral("A game is in progress. Keep it to finish later?"));
        }
        const QString file = QDir(games.path()).filePath("solo-game.json");
        QVERIFY(QFile::exists(file));
        for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
            testing::WindowRig rig(99); // another seed: the cards can only come from the file
            rig.chat.keptGames().setFolder(games.path());
            answerNextBox(answer, &question);
            QVERIFY(rig.startSolo(2));
            QVERIFY2(question.startsWith("Resume the unfinished game of "), qPrintable(question));
            if (answer == QMessageBox::Yes) {
                QTRY_COMPARE_WITH_TIMEOUT(handCodes(rig.chat), held, Deadline);
                QVERIFY(rig.model().gameRunning());
                answerNextBox(QMessageBox::Yes, &question); // kept again
                rig.chat.close();
                QVERIFY(QFile::exists(file));
            } else {
                // Not resumed: the file goes, and a fresh table waits for a start.
                QVERIFY(!QFile::exists(file));
                QVERIFY(!rig.model().gameRunning());
            }
        }
    }

    // A hosting copy closed with its table kept and started again: Bob, whose window goes on
    // trying, presents his key and gets seat 2 with his cards back; Ann's window has seat 1.
    void aKeptHostedTableTakesItsPlayersBack()
    {
        namespace msg = protocol::msg;
        QTemporaryDir games;
        QVERIFY(games.isValid());
        const quint16 port = testing::freePort();
        const QStringList hosting{"Ann", "127.0.0.1", "true"};
        QString question;
        testing::TcpClient bob;
        QStringList bobsCards;
        QByteArray key;
        QList<int> annsCards;
        {
            testing::WindowRig rig(SeveralRoundsSeed);
            rig.chat.keptGames().setFolder(games.path());
            rig.chat.setCommandLine(hosting, port);
            rig.chat.show();
            QTRY_VERIFY_WITH_TIMEOUT(rig.state().loggedIn, Deadline);
            bob.connectTo(port);
            QTRY_VERIFY_WITH_TIMEOUT(bob.has("CMD_sendlogininfo+2"), Deadline);
            bob.write(msg::loginInfo(2, "1.0.11", "Bob"));
            QTRY_COMPARE_WITH_TIMEOUT(rig.state().seat(2).name, QStringLiteral("Bob"), Deadline);
            QTest::mouseClick(child<QPushButton>(&rig.chat, "button_start"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(rig.program.gameStart.isVisible(), Deadline);
            QTest::mouseClick(child<QPushButton>(&rig.program.gameStart, "button_start"), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(bob.count("CMD_newcard+2+"), 11, Deadline);
            QTRY_COMPARE_WITH_TIMEOUT(hand(rig.chat).size(), 11, Deadline);
            annsCards = handCodes(rig.chat);
            bobsCards = bob.messages().filter("CMD_newcard+2+");
            key = bob.messages().filter("CMD_seatkey+2+").value(0).mid(14).toLatin1();
            QVERIFY(!key.isEmpty());
            answerNextBox(QMessageBox::Yes, &question);
            rig.chat.close();
            QCOMPARE(question, QStringLiteral("A game is in progress. Keep it to finish later?"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(bob.closed(), Deadline);
        QCOMPARE(bob.count("CMD_tableclosed"), 0); // a kept table says no farewell

        testing::WindowRig rig(99);
        rig.chat.keptGames().setFolder(games.path());
        rig.chat.setCommandLine(hosting, port);
        answerNextBox(QMessageBox::Yes, &question);
        rig.chat.show();
        QTRY_VERIFY_WITH_TIMEOUT(rig.state().loggedIn, Deadline);
        QVERIFY2(question.startsWith("Resume the unfinished game of "), qPrintable(question));
        QTRY_COMPARE_WITH_TIMEOUT(handCodes(rig.chat), annsCards, Deadline);
        bob.forget();
        bob.socket.abort();
        bob.connectTo(port);
        QTRY_VERIFY_WITH_TIMEOUT(bob.count("CMD_sendlogininfo+") == 1, Deadline);
        const QString number = bob.messages().filter("CMD_sendlogininfo+").first().mid(18);
        bob.write(msg::rejoin(key) + msg::loginInfo(number.toInt(), "1.0.11", "Bob"));
        // Seat 2 is held for the key: Bob comes in under another number, is moved and logs in
        // as 2, as his window would.
        QCOMPARE_NE(number, QStringLiteral("2"));
        QTRY_VERIFY_WITH_TIMEOUT(bob.has("CMD_sendlogininfo+2"), Deadline);
        bob.write(msg::rejoin(key) + msg::loginInfo(2, "1.0.11", "Bob"));
        QTRY_COMPARE_WITH_TIMEOUT(bob.count("CMD_newcard+2+"), 11, Deadline);
        QCOMPARE(bob.messages().filter("CMD_newcard+2+"), bobsCards);
        QCOMPARE(rig.state().seat(2).name, QStringLiteral("Bob"));
        // Ended this time: the file goes and Bob hears the farewell.
        answerNextBox(QMessageBox::No, &question);
        rig.chat.close();
        QTRY_COMPARE_WITH_TIMEOUT(bob.count("CMD_tableclosed"), 1, Deadline);
        QVERIFY(!QFile::exists(QDir(games.path()).filePath(QStringLiteral("hosted-table-%1.json").arg(port))));
    }
};

QTEST_MAIN(TestSoloGame)
#include "test_solo_game.moc"
