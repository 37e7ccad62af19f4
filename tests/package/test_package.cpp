// The Debian package as a player or an administrator gets it: CPack builds it into a temporary
// folder, dpkg-deb unpacks it, and the program runs from the unpacked tree, without a display,
// as a dedicated host and as a solo game. The validators of desktop entries, AppStream metadata
// and systemd units check what it installs, where they are installed.
#include "support/copies.h"
#include "support/files.h"
#include "support/tcpclient.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using quornet::testing::TcpClient;
using quornet::testing::freePort;
using quornet::testing::readText;

namespace {
constexpr int Deadline = 20000;
constexpr int PackageDeadline = 300000;
const QString Id = QStringLiteral(QUORNET_APPSTREAM_ID);

struct Run {
    int exitCode = -1;
    QString out, err;
};

// Runs a program to its end within the deadline.
Run run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
        int deadline = Deadline)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(deadline) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("%1 did not finish: %2").arg(program, p.errorString());
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The environment of a machine without any display.
QProcessEnvironment headless()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    return env;
}
} // namespace

class TestPackage : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_deb, m_root;

    QString unpacked(const QString& path) const { return m_root + QStringLiteral("/usr/") + path; }
    QString program() const { return unpacked(QStringLiteral("games/quornet")); }
    QString field(const QString& name) const { return run("dpkg-deb", {"-f", m_deb, name}).out.trimmed(); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty()) QSKIP("dpkg-deb is not installed");
        QVERIFY(m_tmp.isValid());
        const QString out = m_tmp.filePath("out");
        const Run cpack = run(QStringLiteral(QUORNET_CPACK), {"--config", QUORNET_CPACK_CONFIG, "-B", out},
                              QProcessEnvironment::systemEnvironment(), PackageDeadline);
        QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
        const QStringList debs = QDir(out).entryList({"*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_deb = QDir(out).filePath(debs.first());
        const QString arch = run("dpkg", {"--print-architecture"}).out.trimmed();
        QCOMPARE(debs.first(), QStringLiteral("quornet_%1_%2.deb").arg(QStringLiteral(QUORNET_VERSION), arch));
        m_root = m_tmp.filePath("root");
        const Run x = run("dpkg-deb", {"-x", m_deb, m_root});
        QVERIFY2(x.exitCode == 0, qPrintable(x.err));
    }

    // What dpkg and a software centre read: the control fields and the installed files.
    void controlFieldsAndFiles()
    {
        QCOMPARE(field("Package"), QStringLiteral("quornet"));
        QCOMPARE(field("Version"), QStringLiteral(QUORNET_VERSION));
        QCOMPARE(field("Section"), QStringLiteral("games"));
        QCOMPARE(field("Recommends"), QStringLiteral("kdegames-card-data-kf5"));
        // dpkg-shlibdeps found the libraries of the program and of the table window module.
        const QString depends = field("Depends");
        for (const char* lib : {"libc6", "libqt6core6", "libqt6network6", "libqt6widgets6", "libqt6multimedia6", "libqt6svg6"})
            QVERIFY2(depends.contains(QLatin1String(lib)), qPrintable(depends));

        QVERIFY(QFileInfo(program()).isExecutable());
        QVERIFY(QFileInfo::exists(unpacked("lib/quornet/quornet-gui.so")));
        QVERIFY(QFileInfo::exists(unpacked("share/man/man6/quornet.6.gz")));
        QVERIFY(QFileInfo::exists(unpacked("share/doc/quornet/copyright")));
        for (int size : {16, 32, 48, 64, 128, 256})
            QVERIFY(QFileInfo::exists(unpacked(QStringLiteral("share/icons/hicolor/%1x%1/apps/quornet.png").arg(size))));
        // The desktop entry starts the solo game, or opens an invite link (quornet://) it is
        // handed; its actions open the play dialog's tabs.
        const QString desktop = readText(unpacked("share/applications/" + Id + ".desktop"));
        QVERIFY(desktop.contains(QRegularExpression("^Exec=quornet %u$", QRegularExpression::MultilineOption)));
        QVERIFY(desktop.contains("\nMimeType=x-scheme-handler/quornet;\n"));
        QVERIFY(desktop.contains("\nActions=Host;Join;\n"));
        QVERIFY(desktop.contains("[Desktop Action Host]\nName=Host a Table\nExec=quornet --host-table\n"));
        QVERIFY(desktop.contains("[Desktop Action Join]\nName=Join a Table\nExec=quornet --join-table\n"));
        const QString metainfo = readText(unpacked("share/metainfo/" + Id + ".metainfo.xml"));
        QVERIFY(metainfo.contains(Id + ".desktop</launchable>"));
        // A new version is named by the software centre's release list and by the changelog too.
        QVERIFY(metainfo.contains(QStringLiteral("<release version=\"%1\"").arg(QUORNET_VERSION)));
        const QString changelog = run("gzip", {"-dc", unpacked("share/doc/quornet/changelog.gz")}).out;
        QVERIFY2(changelog.startsWith(QStringLiteral("quornet (%1) ").arg(QUORNET_VERSION)), qPrintable(changelog));
        // The service runs the installed program, not the one the package was staged from.
        const QString unit = readText(unpacked("lib/systemd/system/quornet-serve@.service"));
        QVERIFY2(unit.contains("\nExecStart=/usr/games/quornet --serve --port %i\n"), qPrintable(unit));
    }

    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList() << "share/applications/" + Id + ".desktop";
        QTest::newRow("AppStream") << "appstreamcli" << QStringList{"validate", "--no-net", "--pedantic"}
                                   << "share/metainfo/" + Id + ".metainfo.xml";
        QTest::newRow("systemd unit") << "systemd-analyze" << QStringList{"verify"} << "";
    }

    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        if (QStandardPaths::findExecutable(tool).isEmpty()) QSKIP(qPrintable(tool + " is not installed"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QTemporaryDir units;
        if (file.isEmpty()) {
            // The unit as installed, but with the program where the unpacked package has it; its
            // documentation is the packaged manual page.
            QString unit = readText(unpacked("lib/systemd/system/quornet-serve@.service"));
            unit.replace(QStringLiteral("/usr/games/quornet"), program());
            QFile f(units.filePath("quornet-serve@.service"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(unit.toUtf8()) > 0);
            f.close();
            file = f.fileName();
            env.insert("MANPATH", unpacked("share/man"));
        } else {
            file = unpacked(file);
        }
        const Run r = run(tool, args << file, env);
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
        // Warnings and pedantic hints leave the exit status 0: nothing but the verdict may be printed.
        QString said = r.out + r.err;
        said.remove(QStringLiteral("✔ Validation was successful.")); // appstreamcli's verdict
        QVERIFY2(said.trimmed().isEmpty(), qPrintable(r.out + r.err));
    }

    // Every option that --help lists, and those of the dedicated host, has its entry in the
    // manual page, which formats without warnings.
    void manPageCoversEveryOption()
    {
        const QString man = run("gzip", {"-dc", unpacked("share/man/man6/quornet.6.gz")}).out;
        QVERIFY(man.startsWith(".\\\""));
        QStringList options = {"--serve", "--port", "--seed", "--bot-speed", "--bot-level", "--admin",
                               "--turn-timeout", "--seat-hold", "--version", "--help"};
        const QString help = run(program(), {"--help"}, headless()).out;
        for (const auto& m : QRegularExpression("--[a-z-]+").globalMatch(help)) options << m.captured();
        options.removeDuplicates();
        for (const QString& option : options) {
            // A tagged paragraph of its own: ".TP", then the option in bold.
            const QString roff = QRegularExpression::escape(QString(option).replace('-', "\\-"));
            QVERIFY2(man.contains(QRegularExpression("\\.TP\n\\.B[IR]? (quornet )?" + roff + "( |\n)")),
                     qPrintable(option + " has no entry"));
        }
        for (const char* text : {".SH FILES", "vexolobby.ini", "quornettally.tld", ".SH ENVIRONMENT", "QUORNET_STATE_FILE"})
            QVERIFY2(man.contains(QLatin1String(text)), text);
        if (QStandardPaths::findExecutable("groff").isEmpty()) return;
        QProcess format;
        format.start("groff", {"-man", "-ww", "-z", "-Tutf8"});
        QVERIFY(format.waitForStarted(Deadline));
        format.write(man.toUtf8());
        format.closeWriteChannel();
        QVERIFY(format.waitForFinished(Deadline));
        QCOMPARE(format.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(format.readAllStandardError()), QString());
    }

    // Without any display the program still answers --version and --help, and the window modes
    // say in one line what to do instead of aborting.
    void withoutDisplay()
    {
        const Run version = run(program(), {"--version"}, headless());
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("quornet %1\n").arg(QStringLiteral(QUORNET_VERSION)));
        const Run help = run(program(), {"--help"}, headless());
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith("Usage:") && help.out.contains("--serve"), qPrintable(help.out));
        for (const QStringList& args : {QStringList(), QStringList{"Ann", "127.0.0.1", "join"}}) {
            const Run window = run(program(), args, headless());
            QCOMPARE(window.exitCode, 1);
            QVERIFY2(window.err.startsWith("quornet: no display found;") && window.err.count('\n') == 1 &&
                         window.err.endsWith("use --serve for a headless host\n"),
                     qPrintable(window.err));
        }
    }

    void unpackedHostAcceptsAConnection()
    {
        QProcessEnvironment env = headless();
        env.insert("QT_LOGGING_RULES", "quornet.host.info=true");
        QProcess host;
        QByteArray log;
        host.setProcessEnvironment(env);
        connect(&host, &QProcess::readyReadStandardError, &host, [&] { log += host.readAllStandardError(); });
        host.start(program(), {"--serve", "--port", "0", "--bot-speed", "10"});
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        const QRegularExpression listening("listening on port (\\d+)");
        QTRY_VERIFY2_WITH_TIMEOUT(listening.match(QString::fromUtf8(log)).hasMatch(), log.constData(), Deadline);
        const quint16 port = quint16(listening.match(QString::fromUtf8(log)).captured(1).toUInt());
        QVERIFY(port != 0);

        TcpClient ann;
        ann.connectTo(port);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_sendlogininfo+1"), Deadline);
        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 0);
        QVERIFY2(log.contains("accepted as participant 1"), log.constData());
    }

    void unpackedSoloGameStarts()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment env = headless();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"HOME", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            env.insert(QString::fromLatin1(name), home.path());
        const QString state = home.filePath("state.txt");
        env.insert("QUORNET_STATE_FILE", state);
        env.insert("QUORNET_NO_DESKTOP", "1");
        QProcess solo;
        solo.setProcessEnvironment(env);
        solo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const quint16 port = freePort();
        QVERIFY(port != 0);
        solo.start(program(), {"--port", QString::number(port)});
        QVERIFY2(solo.waitForStarted(Deadline), qPrintable(solo.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("own 1 logged in"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("seat 1 You"), Deadline);
        solo.terminate();
        QVERIFY(solo.waitForFinished(Deadline));
        QCOMPARE(solo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(solo.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "test_package.moc"
