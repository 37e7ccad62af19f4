// quornet-idle: measures what a hosted solo table costs while it waits for the human.
// It builds the real table window and host in this process, reports how long the window took
// to appear, starts a one-round game with fast computer players by clicking the window's own
// buttons, waits for the human's turn, and then measures this process's CPU time over a period
// (default 30 s) in which nothing happens. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/quornet-idle [seconds]
#include "host/tserver.h"
#include "table/window/tchat.h"
#include "windows/gamestart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QEventLoop>

#include <cstdio>
#include <sys/resource.h>

using namespace quornet;

namespace {
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long residentKiB()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

// Runs the event loop until the condition holds (checked every 20 ms) or the time is up. The
// loop sleeps between events, so the waiting itself costs nothing measurable.
bool waitFor(const std::function<bool()>& condition, int ms)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition()) loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start(20);
    if (!condition()) loop.exec();
    return condition();
}

void sleepInLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer startClock;
    startClock.start();
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    windows::Tgamestartform dialog;
    host::TServer server(1);
    server.engine().setBotSpeed(50);
    table::Tchat chat(server, dialog);
    chat.setCommandLine({}, 0);
    chat.show();
    if (!waitFor([&] { return chat.isVisible() && chat.windowHandle() && chat.windowHandle()->isExposed(); }, 5000)) {
        std::fprintf(stderr, "the window never appeared\n");
        return 1;
    }
    const qint64 shownMs = startClock.elapsed();
    const table::TableState& s = chat.model().state();
    if (!waitFor([&] { return s.loggedIn; }, 10000)) return 1;
    QTest::mouseClick(chat.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QLabel*>("image_game4"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    // Wait for a turn of the human that comes after the computer players have played.
    if (!waitFor([&] { return s.ownTurn() && s.handCount() > 0; }, 20000)) return 1;
    QTest::mouseClick(chat.findChild<QPushButton*>("button_draw"), Qt::LeftButton);
    sleepInLoop(300);
    const QList<table::HandCard> row = s.handRow();
    chat.model().clickCard(row.first().slot, Qt::LeftButton);
    chat.model().clickDiscard();
    if (!waitFor([&] { return s.ownTurn() && s.drawVisible; }, 20000)) return 1;
    sleepInLoop(1000); // let the last messages drain

    const double cpu0 = cpuSeconds();
    QElapsedTimer idle;
    idle.start();
    sleepInLoop(seconds * 1000);
    const double cpu = cpuSeconds() - cpu0;
    const double wall = double(idle.elapsed()) / 1000.0;
    std::printf("window shown after     %lld ms\n", shownMs);
    std::printf("idle CPU over %.0f s    %.3f s = %.3f %% of one core\n", wall, cpu, 100.0 * cpu / wall);
    std::printf("resident memory        %ld KiB\n", residentKiB());
    return 0;
}
