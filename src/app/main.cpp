#include "app/commandline.h"
#include "app/program.h"
#include "app/quitsignals.h"
#include "host/random.h"
#include "host/tserver.h"
#include "table/window/instanceguard.h"

#include <QApplication>
#include <QIcon>
#include <QCoreApplication>

#include <cstdio>

using namespace quornet;

namespace {

int serve(const app::CommandLine& cl, int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    host::EngineOptions options;
    options.takeOverSeatOne = true;
    host::TServer server(cl.seed.value_or(host::SeededRandom::clockSeed()), options);
    server.engine().setBotSpeed(cl.botSpeed);
    QString error;
    if (!server.listen(cl.port, &error)) {
        std::fprintf(stderr, "quornet: %s (port %u)\n", qPrintable(error), unsigned(cl.port));
        return 1;
    }
    app::quitOnSignals(&application, [] { QCoreApplication::quit(); });
    const int rc = application.exec();
    server.shutdown();
    return rc;
}

// The table window: solo game, hosting copy or joining copy.
int play(const app::CommandLine& cl, int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quornet"));
    QIcon icon;
    for (int size : {32, 64, 256}) icon.addFile(QStringLiteral(":/icons/quornet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    table::InstanceGuard guard;
    if (guard.anotherCopyRuns()) return 0; // the first copy's window comes to the front

    // Windows and the host are created in a fixed order; the host listens only when hosting.
    app::Program program(cl.seed.value_or(host::SeededRandom::clockSeed()), tally::TallyBook::defaultFolder());
    table::Tchat& chat = program.chat;
    guard.createPresenceMarker();
    QObject::connect(&guard, &table::InstanceGuard::raiseRequested, &chat, [&chat] {
        if (chat.isMinimized()) chat.showNormal();
        chat.raise();
        chat.activateWindow();
    });
    // Closing the table window ends the program, whatever side windows are still open.
    QObject::connect(&chat, &table::Tchat::closing, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    chat.setCommandLine(cl.positional, cl.port);
    app::quitOnSignals(&chat, [] { QApplication::closeAllWindows(); });
    chat.show();
    const int rc = application.exec();
    program.server.shutdown();
    return rc;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine cl = app::parseCommandLine(arguments);
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "quornet: %s\n\n%s", qPrintable(cl.error), qPrintable(app::usageText()));
        return 2;
    }
    if (cl.help) {
        std::fputs(qPrintable(app::usageText()), stdout);
        return 0;
    }
    if (cl.serve) return serve(cl, argc, argv);
    return play(cl, argc, argv);
}
