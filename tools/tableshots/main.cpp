// quornet-tableshots: pictures of the real table window, taken from the X server, so a change
// to the window's code can be checked pixel for pixel against the pictures of the build before
// it. It runs a solo game of a fixed seed in this process and keeps, in the folder given:
//   solo-start.png   the solo table after the own login
//   own-turn.png     the own turn after four rounds of turns, before the draw: books on both
//                    boards, the pick-up preview
//   mid-game.png     after the draw; card-picked.png with a card picked; keys-and-hint.png with
//                    the keyboard cursors and the hint's marks
//   seat-popup.png   the popup menu of a seat's name
//   menu-*.png       each menu of the menu bar opened, and View > Zoom
//   zoom125.png      then View > Zoom 125 %
//   full-screen.png  then the window as large as the screen's free area, the table scaled to it
//   hand-DECK.png    the own turn's hand before the draw, with each deck whose rank a fanned
//                    hand shows differently (and deck-DECK.png, the whole screen)
// Run it under Xvfb and compare two folders with tools/tableshots/compare:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/quornet-tableshots DIR
#include "app/program.h"
#include "table/window/tchat.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace quornet;

namespace {
constexpr int Deadline = 30000;
constexpr quint32 Seed = 20261208;
// Own turns played (draw, discard) before the mid-game picture.
constexpr int TurnsBeforeShot = 4;

bool fail(const char* what)
{
    std::fprintf(stderr, "quornet-tableshots: %s\n", what);
    return false;
}

// The whole screen as the X server shows it, once every pending paint is done.
void shoot(const QDir& dir, const QString& name)
{
    QTest::qWait(400); // a tool, not a test: the X server's paints have no signal to wait on
    QGuiApplication::primaryScreen()->grabWindow(0).save(dir.filePath(name + QStringLiteral(".png")));
    std::printf("%s\n", qPrintable(dir.filePath(name + QStringLiteral(".png"))));
}

// The hand (and the screen) with the default deck and the decks that print their rank top right;
// the default deck again afterwards.
void shootDecks(table::Tchat& chat, const QDir& dir)
{
    auto* decks = chat.findChild<QMenu*>(QStringLiteral("CardDeck1"));
    QAction* first = nullptr;
    for (QAction* a : decks->actions())
        if (a->isChecked()) first = a;
    QList<QAction*> wanted{first};
    for (const char* id : {"svg-oxygen", "svg-oxygen-air", "svg-oxygen-white", "svg-future"})
        for (QAction* a : decks->actions())
            if (a->data().toString() == QLatin1String(id)) wanted.append(a);
    for (QAction* a : wanted) {
        if (!a) continue;
        a->trigger();
        const QString id = a->data().toString();
        shoot(dir, QStringLiteral("deck-") + id);
        chat.findChild<QWidget*>(QStringLiteral("hand"))->grab().save(dir.filePath(QStringLiteral("hand-%1.png").arg(id)));
    }
    if (first) first->trigger();
}

bool waitForOwnTurn(const table::TableState& s)
{
    return QTest::qWaitFor([&] { return s.ownTurn() && s.handCount() >= 11; }, Deadline) || fail("the own turn did not come");
}

// Plays the own turns (draw, discard the first card) until the mid-game pictures: the own turn
// before the draw (with the pick-up preview), after it, with a card picked, and with the keyboard
// cursor and the hint's marks.
bool playToMidGame(table::Tchat& chat, const QDir& out)
{
    const table::TableState& s = chat.model().state();
    table::GameOptions options;
    options.lengthCode = QStringLiteral("r");
    options.pickUpCount = 3;
    if (!chat.model().startGame(options)) return fail("the game did not start");
    for (int turn = 0; turn < TurnsBeforeShot; ++turn) {
        if (!waitForOwnTurn(s)) return false;
        const int before = s.handCount();
        chat.model().clickDraw();
        if (!QTest::qWaitFor([&] { return s.handCount() > before; }, Deadline)) return fail("no cards drawn");
        chat.model().clickCard(s.handRow().constFirst().slot, Qt::LeftButton);
        chat.model().clickDiscard();
        if (!QTest::qWaitFor([&] { return s.turnSeat != 1; }, Deadline)) return fail("the discard was not taken");
    }
    if (!waitForOwnTurn(s)) return false;
    // A completed book's badge shows for a few seconds of the window's own timer: the pictures
    // are taken once it is gone, so they do not depend on the machine's speed.
    if (!QTest::qWaitFor([&] { return !chat.model().badgesCounting(); }, Deadline)) return fail("a badge stayed");
    shoot(out, QStringLiteral("own-turn"));
    shootDecks(chat, out);
    const int before = s.handCount();
    chat.model().clickDraw();
    if (!QTest::qWaitFor([&] { return s.handCount() > before; }, Deadline)) return fail("no cards drawn");
    shoot(out, QStringLiteral("mid-game"));
    chat.model().clickCard(s.handRow().at(2).slot, Qt::LeftButton);
    shoot(out, QStringLiteral("card-picked"));
    chat.model().clickCard(s.handRow().at(2).slot, Qt::LeftButton);
    for (const char* key : {"KeyRight", "KeyRight", "KeyNextBook", "Hint1"}) chat.findChild<QAction*>(QLatin1String(key))->trigger();
    shoot(out, QStringLiteral("keys-and-hint"));
    return true;
}

void shootMenus(table::Tchat& chat, const QDir& dir)
{
    for (QAction* top : chat.menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu) continue;
        QString name = top->text().remove(QLatin1Char('&')).toLower();
        chat.menuBar()->setActiveAction(top);
        if (!QTest::qWaitFor([&] { return menu->isVisible(); }, Deadline)) fail("a menu did not open");
        shoot(dir, QStringLiteral("menu-") + name);
        if (auto* zoom = menu->findChild<QMenu*>(QStringLiteral("Zoom1"))) {
            menu->setActiveAction(zoom->menuAction());
            zoom->popup(menu->mapToGlobal(menu->actionGeometry(zoom->menuAction()).topRight()));
            if (!QTest::qWaitFor([&] { return zoom->isVisible(); }, Deadline)) fail("the zoom menu did not open");
            shoot(dir, QStringLiteral("menu-view-zoom"));
            zoom->hide();
        }
        menu->hide();
        if (!QTest::qWaitFor([&] { return !menu->isVisible(); }, Deadline)) fail("a menu did not close");
    }
}
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2) return fail("usage: quornet-tableshots DIR"), 2;
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    qputenv("QUORNET_NO_DESKTOP", "1");
    QTemporaryDir folder;
    app::Program program(Seed, folder.path());
    table::Tchat& chat = program.chat;
    chat.setSettingsPath(folder.filePath(QStringLiteral("vexolobby.ini")));
    settings::TableSettings quiet;
    quiet.showLobby = false;
    quiet.playSounds = false;
    quiet.saveTo(chat.settingsPath());
    program.server.engine().setBotSpeed(1);
    chat.setCommandLine({}, 0);
    chat.show();
    const table::TableState& s = chat.model().state();
    if (!QTest::qWaitFor([&] { return s.loggedIn && s.seat(1).name == QLatin1String("You"); }, Deadline))
        return fail("the solo table did not come up"), 1;
    shoot(out, QStringLiteral("solo-start"));
    if (!playToMidGame(chat, out)) return 1;
    // The seat popup of seat 2's name.
    QWidget* name = chat.findChild<QWidget*>(QStringLiteral("label_playername2"));
    QCursor::setPos(name->mapToGlobal(QPoint(10, 8)));
    QTest::mousePress(name, Qt::RightButton, {}, QPoint(10, 8));
    shoot(out, QStringLiteral("seat-popup"));
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    shootMenus(chat, out);
    // Zoom last, and once: the pictures drawn after a zoom depend a little on the fonts drawn
    // before (antialiased edges of the texts in pictures differ by a shade), so what follows a
    // zoom is no fair comparison.
    chat.findChild<QAction*>(QStringLiteral("Zoom125"))->trigger();
    shoot(out, QStringLiteral("zoom125"));
    chat.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    shoot(out, QStringLiteral("full-screen"));
    chat.close();
    program.server.shutdown();
    return 0;
}
