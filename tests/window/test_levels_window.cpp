// The computer players' level in the real window: Options > Computer Players is saved under
// Botlevel and shown in the game start dialog, the next game is played at it (Expert thinking in
// TServer's worker), and Play > Hint advises the own turn without sending anything.
#include "app/program.h"
#include "host/computerplayer.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace quornet;

namespace {
constexpr int Deadline = 60000;

QString readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class TestLevelsWindow : public QObject {
    Q_OBJECT
    QAction* action(QWidget& w, const char* name)
    {
        auto* a = w.findChild<QAction*>(QString::fromLatin1(name));
        if (!a) qFatal("no action %s", name);
        return a;
    }

private slots:
    void chosenLevelPlaysAndHints()
    {
        qputenv("QUORNET_NO_DESKTOP", "1");
        QTemporaryDir dir;
        const QString ini = dir.filePath("vexolobby.ini");
        {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[quornet]\r\nBotlevel=grandmaster\r\n"); // not a level: Classic
        }
        app::Program program(21, dir.path());
        table::Tchat& chat = program.chat;
        chat.setSettingsPath(ini);
        chat.setCommandLine({}, 0);
        chat.show();
        const table::TableState& s = chat.model().state();
        QTRY_VERIFY_WITH_TIMEOUT(s.loggedIn && s.seat(1).name == QLatin1String("You"), Deadline);
        QVERIFY(action(chat, "LevelClassic1")->isChecked());
        auto* caption = program.gameStart.findChild<QLabel*>("label_botlevel");
        QCOMPARE(caption->text(), QStringLiteral("Computer Players: Classic"));

        action(chat, "LevelExpert1")->trigger();
        QVERIFY(!action(chat, "LevelClassic1")->isChecked());
        QVERIFY(readFile(ini).contains("Botlevel=expert\r\n"));
        QCOMPARE(caption->text(), QStringLiteral("Computer Players: Expert"));

        // The next game: seat 1 is ours, the others are played at Expert.
        program.server.engine().setBotSpeed(5);
        table::GameOptions options;
        options.lengthCode = QStringLiteral("r");
        QVERIFY(chat.model().startGame(options));
        QTRY_VERIFY_WITH_TIMEOUT(s.ownTurn() && s.handCount() == 11, Deadline);
        QCOMPARE(program.server.engine().computerPlayer().level(2), bots::Level::Expert);

        // A hint before the draw, and one after it naming cards of the hand; nothing is sent.
        QSignalSpy sent(&chat.model(), &table::TableModel::send);
        QVERIFY(action(chat, "Hint1")->isEnabled());
        action(chat, "Hint1")->trigger();
        QVERIFY(s.status == QLatin1String("Hint: take the pile") || s.status == QLatin1String("Hint: draw two cards"));
        QCOMPARE(sent.count(), 0);
        chat.model().clickDraw();
        QTRY_COMPARE_WITH_TIMEOUT(s.handCount(), 13, Deadline);
        sent.clear();
        action(chat, "Hint1")->trigger();
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
        QVERIFY(!action(chat, "Hint1")->isEnabled());
    }
};

QTEST_MAIN(TestLevelsWindow)
#include "test_levels_window.moc"
