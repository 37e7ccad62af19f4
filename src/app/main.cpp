#include "app/commandline.h"
#include "app/quitsignals.h"
#include "app/tablewindow.h"
#include "bots/level.h"
#include "host/computerplayer.h"
#include "host/random.h"
#include "host/tserver.h"
#include "net/tablefinder.h"
#include "protocol/messages.h"
#include "protocol/text8bit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTimer>

#include <cstdio>

using namespace quornet;

namespace {

int serve(const app::CommandLine& cl, int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    host::EngineOptions options;
    options.takeOverSeatOne = true;
    options.turnTimeoutMs = cl.turnTimeoutSeconds * 1000;
    options.seatHoldMs = cl.seatHoldSeconds * 1000;
    host::TServer server(cl.seed.value_or(host::SeededRandom::clockSeed()), options);
    server.engine().setBotSpeed(cl.botSpeed);
    QList<QPair<QHostAddress, int>> admins;
    for (const QString& a : cl.admins) admins << *app::parseSubnet(a);
    server.setAdminAddresses(admins);
    server.engine().computerPlayer().setLevel(bots::levelFromText(cl.botLevel.toStdString()));
    if (!cl.password.isEmpty()) server.engine().setPassword(protocol::toWire(cl.password));
    QString stateDir = cl.stateDir;
    if (stateDir.isEmpty()) stateDir = qEnvironmentVariable("STATE_DIRECTORY").section(QLatin1Char(':'), 0, 0);
    if (!stateDir.isEmpty()) {
        // One game per port: several tables may share the folder.
        const QString file = QDir(stateDir).filePath(QStringLiteral("table-%1.json").arg(cl.port));
        QString message;
        if (server.resumeSavedGame(file, &message) == host::TServer::Resume::Refused)
            std::fprintf(stderr, "quornet: %s\n", qPrintable(message));
        server.setGameFile(file);
    }
    QString error;
    if (!server.listen(cl.port, &error)) {
        std::fprintf(stderr, "quornet: %s (port %u)\n", qPrintable(error), unsigned(cl.port));
        return 1;
    }
    if (!cl.noLan) {
        server.setHostName(cl.name); // empty: this machine's name
        server.startDiscovery(); // a failure is logged; the table plays on without it
    }
    // SIGTERM (systemctl stop or restart) and SIGINT keep the game for the next start.
    app::quitOnSignals(&application, [] { QCoreApplication::quit(); });
    const int rc = application.exec();
    server.saveGameNow();
    server.shutdown();
    return rc;
}

// Asks the network for tables for a while, then prints one line for each.
int findTables(const app::CommandLine& cl, int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    net::TableFinder finder;
    QString error;
    if (!finder.start(net::discoveryPortFromEnvironment(), &error)) {
        std::fprintf(stderr, "quornet: %s\n", qPrintable(error));
        return 1;
    }
    QTimer::singleShot(cl.findSeconds * 1000, &application, &QCoreApplication::quit);
    app::quitOnSignals(&application, [] { QCoreApplication::quit(); });
    application.exec();
    const QList<net::FoundTable> tables = finder.tables();
    if (tables.isEmpty()) std::puts("No tables found.");
    for (const net::FoundTable& t : tables) std::puts(qUtf8Printable(app::foundTableLine(t.address, t.table)));
    return 0;
}

// The table window lives in the module beside the program: lib/quornet/ when installed,
// lib/ in the build tree.
int play(const app::CommandLine& cl, int argc, char** argv)
{
    QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (exe.isEmpty()) exe = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
    const QDir bin = QFileInfo(exe).absoluteDir();
    const QString name = QString::fromLatin1(app::TableWindowModule) + QStringLiteral(".so");
    QStringList tried;
    for (const QString& folder : {QStringLiteral("../lib/quornet"), QStringLiteral("../lib")}) {
        const QString path = QDir::cleanPath(bin.filePath(folder + '/' + name));
        tried << path;
        if (!QFileInfo::exists(path)) continue;
        QLibrary module(path);
        const auto run = reinterpret_cast<app::RunTableWindow>(module.resolve(app::RunTableWindowSymbol));
        if (!run) {
            std::fprintf(stderr, "quornet: cannot load the table window: %s\n", qPrintable(module.errorString()));
            return 1;
        }
        return run(argc, argv, &cl);
    }
    std::fprintf(stderr, "quornet: the table window module is missing (looked for %s)\n", qPrintable(tried.join(", ")));
    return 1;
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
    if (cl.version) {
        std::printf("quornet %s\n", protocol::VersionText);
        return 0;
    }
    if (cl.findTables) return findTables(cl, argc, argv);
    if (cl.serve) return serve(cl, argc, argv);
    return play(cl, argc, argv);
}
