// The table window's side of the program, built as a module that `quornet` loads only when it
// shows a window: the dedicated host then never maps the widget, picture and sound libraries.
#include "app/commandline.h"
#include "app/displayguard.h"
#include "app/program.h"
#include "app/quitsignals.h"
#include "app/tablewindow.h"
#include "app/translation.h"
#include "host/random.h"
#include "table/window/instanceguard.h"
#include "table/window/playingwithothers.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>

using namespace quornet;

extern "C" Q_DECL_EXPORT int quornetRunTableWindow(int argc, char** argv, const app::CommandLine* commandLine)
{
    const app::CommandLine& cl = *commandLine;
    app::DisplayGuard displayGuard; // without a window system: one clear line and status 1
    QApplication application(argc, argv);
    displayGuard.release();
    QApplication::setApplicationName(QStringLiteral("Quornet"));
    QApplication::setDesktopFileName(QStringLiteral(QUORNET_APPSTREAM_ID));
    app::installTranslation();

    QIcon icon;
    for (int size : {32, 64, 256}) icon.addFile(QStringLiteral(":/icons/quornet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    table::InstanceGuard guard;
    // The first copy's window comes to the front, and opens the link or dialog tab this copy
    // was asked for.
    const QString link = cl.positional.value(0);
    const QString request = link.startsWith(QLatin1String("quornet:"), Qt::CaseInsensitive) ? link : cl.playTab;
    if (guard.anotherCopyRuns(request)) return 0;

    // Windows and the host are created in a fixed order; the host listens only when hosting.
    app::Program program(cl.seed.value_or(host::SeededRandom::clockSeed()), tally::TallyBook::defaultFolder());
    table::Tchat& chat = program.chat;
    guard.createPresenceMarker();
    QObject::connect(&guard, &table::InstanceGuard::raiseRequested, &chat, [&chat] {
        if (chat.isMinimized()) chat.showNormal();
        chat.raise();
        chat.activateWindow();
    });
    QObject::connect(&guard, &table::InstanceGuard::requestReceived, &chat.others(), &table::PlayingWithOthers::openStartRequest);
    // Closing the table window ends the program, whatever side windows are still open.
    QObject::connect(&chat, &table::Tchat::closing, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    chat.setCommandLine(cl.positional, cl.port);
    chat.others().setStartRequest(request);
    // Games in progress are kept in the user's data folder between runs.
    chat.keptGames().setFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    app::quitOnSignals(&chat, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* table = qobject_cast<table::Tchat*>(w)) table->keptGames().closeQuietly();
        QApplication::closeAllWindows();
    });
    chat.show();
    const int rc = application.exec();
    program.server.shutdown();
    return rc;
}
