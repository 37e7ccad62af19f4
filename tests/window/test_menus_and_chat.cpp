// The table window's menus, settings and chat pane, in the real window: every menu item is
// there with its check marks and shortcuts, menu changes are written to the settings file, and
// chat lines with smileys, links and colours come back through the host. With QUORNET_SHOTS_DIR
// set, pictures of the chat pane and of each opened menu are kept.
#include "protocol/colortext.h"
#include "protocol/messages.h"
#include "support/files.h"
#include "support/windowrig.h"
#include "table/window/chatview.h"

#include <QMenu>
#include <QMenuBar>
#include <QTcpSocket>
#include <QtTest>

using namespace quornet;

namespace {
constexpr int Deadline = 20000;
} // namespace

class TestMenusAndChat : public QObject {
    Q_OBJECT
private:
    void shot(QWidget* w, const QString& name)
    {
        const QString dir = qEnvironmentVariable("QUORNET_SHOTS_DIR");
        if (!dir.isEmpty()) w->grab().save(dir + '/' + name + ".png");
    }

private slots:
    void menusSettingsAndChat()
    {
        // Another program's section and a comment stay as they are.
        testing::WindowRig rig(5, "; shared by the maker's programs\r\n[Lobby]\r\nUser=zed\r\n\r\n[QUORNET]\r\nTextsize=12\r\nBotspeed=fast\r\n");
        table::Tchat& chat = rig.chat;
        app::Program& program = rig.program;
        const QString ini = rig.settingsPath();
        chat.setCommandLine({}, 0); // the solo game
        chat.show();
        const table::TableState& s = chat.model().state();
        // Before the login the window runs on its built-in state.
        QVERIFY(rig.action("PlaySounds1")->isChecked());
        QVERIFY(!rig.action("PlayChatterSounds1")->isChecked());
        QVERIFY(rig.action("Classic1")->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(s.loggedIn && s.seat(1).name == QLatin1String("You"), Deadline);

        // The login read the file: Textsize 12 checks N12; "fast" is not a Bot Speed value.
        QCOMPARE(chat.model().chat().textSize(), 12);
        QVERIFY(rig.action("N12")->isChecked());
        QVERIFY(!rig.action("N8")->isChecked());
        QCOMPARE(chat.model().chat().textSize(), 12);
        QVERIFY(rig.action("Normal1")->isChecked());
        QCOMPARE(chat.botSpeed(), 750);
        QCOMPARE(program.server.engine().botSpeed(), 750); // the host is told
        QVERIFY(rig.action("ManualSort1")->isChecked());
        QVERIFY(rig.action("PlayChatterSounds1")->isChecked());
        QCOMPARE(rig.action("ScrollOff1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(rig.action("Help2")->shortcut(), QKeySequence(Qt::Key_F1));

        // Each change is written at once, into the same section, the rest kept.
        rig.action("Fast1")->trigger();
        QCOMPARE(chat.botSpeed(), 500);
        QCOMPARE(program.server.engine().botSpeed(), 500);
        QVERIFY(!rig.action("Normal1")->isChecked());
        rig.action("New1")->trigger();
        rig.action("PlaySounds1")->trigger();
        QVERIFY(!chat.sounds().playSounds());
        rig.action("N14")->trigger();
        const QString text = testing::readText(ini);
        QVERIFY(text.startsWith("; shared by the maker's programs\r\n[Lobby]\r\nUser=zed\r\n\r\n[QUORNET]\r\n"));
        QVERIFY(text.contains("Botspeed=500\r\n"));
        QVERIFY(text.contains("Turnsound=1\r\n"));
        QVERIFY(text.contains("Playsounds=false\r\n"));
        QVERIFY(text.contains("Textsize=14\r\n"));
        QVERIFY(!text.contains("[quornet]"));

        // Chat through the host: smileys, a link and several colours.
        chat.model().sendit(QStringLiteral("Hello table :)#10 good luck :)#21"), protocol::colors::Black);
        chat.model().sendit(QStringLiteral("Rules at www.vexo42.example/quornet"), 0x008000);
        chat.model().sendit(QStringLiteral("/me deals the cards"), 0x800080);
        chat.model().quickPhrase(QStringLiteral("Good One!"), 0x800000);
        // A second participant joins over TCP and talks in its own colour.
        QTcpSocket bob;
        bob.connectToHost(QHostAddress::LocalHost, program.server.port());
        QVERIFY(bob.waitForConnected(Deadline));
        bob.write(protocol::msg::loginInfo(2, protocol::VersionText, "Bob"));
        bob.write(protocol::msg::chat(2, "Hi all :)#12 ready when you are|$00008CFF"));
        const int expected = int(chat.model().chat().lines().size()) + 6;
        QTRY_COMPARE_WITH_TIMEOUT(int(chat.model().chat().lines().size()), expected, Deadline);
        QVERIFY(chat.chatView()->toPlainText().contains("www.vexo42.example/quornet"));
        shot(chat.chatView(), "chat-pane");
        shot(&chat, "table-window");

        // Every menu opens with its items.
        for (QAction* top : chat.menuBar()->actions()) {
            QMenu* menu = top->menu();
            QVERIFY(menu);
            QVERIFY(!menu->actions().isEmpty());
            menu->popup(chat.mapToGlobal(QPoint(10, 20)));
            QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), Deadline);
            shot(menu, "menu-" + top->text().remove('&').toLower());
            menu->hide();
        }
    }
};

QTEST_MAIN(TestMenusAndChat)
#include "test_menus_and_chat.moc"
