// The computer players' level in the real window: Options > Computer Players is saved under
// Botlevel and shown in the game start dialog, the next game is played at it (Expert thinking in
// TServer's worker), and Play > Hint advises the own turn without sending anything.
#include "host/computerplayer.h"
#include "support/files.h"
#include "support/windowrig.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace quornet;

namespace {
constexpr int Deadline = 180000; // a whole round of Expert in the sanitized build on a busy machine
} // namespace

class TestLevelsWindow : public QObject {
    Q_OBJECT
private slots:
    void chosenLevelPlaysAndHints()
    {
        testing::WindowRig rig(21, "[quornet]\r\nBotlevel=grandmaster\r\n"); // not a level: Classic
        table::Tchat& chat = rig.chat;
        app::Program& program = rig.program;
        const QString ini = rig.settingsPath();
        const table::TableState& s = chat.model().state();
        // The next game's seats 2 to 4 play fast.
        QVERIFY(rig.startSolo(5));
        QVERIFY(rig.action("LevelClassic1")->isChecked());
        auto* caption = program.gameStart.findChild<QLabel*>("label_botlevel");
        QCOMPARE(caption->text(), QStringLiteral("Computer Players: Classic"));

        rig.action("LevelExpert1")->trigger();
        QVERIFY(!rig.action("LevelClassic1")->isChecked());
        QVERIFY(testing::readText(ini).contains("Botlevel=expert\r\n"));
        QCOMPARE(caption->text(), QStringLiteral("Computer Players: Expert"));

        // The next game: seat 1 is ours, the others are played at Expert.
        table::GameOptions options;
        options.lengthCode = QStringLiteral("r");
        QVERIFY(chat.model().startGame(options));
        QTRY_VERIFY_WITH_TIMEOUT(s.ownTurn() && s.handCount() == 11, Deadline);
        QCOMPARE(program.server.engine().computerPlayer().level(2), bots::Level::Expert);

        // A hint before the draw, and one after it naming cards of the hand; nothing is sent.
        QSignalSpy sent(&chat.model(), &table::TableModel::send);
        QVERIFY(rig.action("Hint1")->isEnabled());
        rig.action("Hint1")->trigger();
        QVERIFY(s.status == QLatin1String("Hint: take the pile") || s.status == QLatin1String("Hint: draw two cards"));
        QCOMPARE(sent.count(), 0);
        chat.model().clickDraw();
        QTRY_COMPARE_WITH_TIMEOUT(s.handCount(), 13, Deadline);
        sent.clear();
        rig.action("Hint1")->trigger();
        QVERIFY2(s.status.startsWith(QLatin1String("Hint: ")), qPrintable(s.status));
        QVERIFY(!s.hintSlots.isEmpty());
        for (int slot : s.hintSlots) QVERIFY(s.cards.contains(slot));
        QCOMPARE(sent.count(), 0);

        // The computer plays our seat too from here; the round runs to its end at Expert.
        chat.model().toggleJustWatch();
        QTRY_VERIFY_WITH_TIMEOUT(!program.server.engine().table().running, Deadline);
        QVERIFY(program.server.engine().computerPlayer().thinkTimes(bots::Level::Expert).decisions > 10);
        // Once the window has the result, there is no turn to advise.
        QTRY_VERIFY_WITH_TIMEOUT(s.startVisible, Deadline);
        QVERIFY(!rig.action("Hint1")->isEnabled());
    }
};

QTEST_MAIN(TestLevelsWindow)
#include "test_levels_window.moc"
