// The lobby download window against a local HTTP server: progress texts, the installer started
// only after a full transfer, Stop Download, cut-off and refused transfers, failed starts, and
// Play with Others.
#include "httpstub.h"
#include "support/files.h"
#include "windows/downloadform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using quornet::windows::Tdownload;

namespace
{

const QString FileName = QStringLiteral("Vexo42LobbySetup.exe");

QByteArray installerBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + i / 7) & 0xff);
    return bytes;
}

struct Launch {
    QString program;
    QStringList arguments;
    QByteArray fileAtStart; // what the started file held at that moment
    bool partLeft = false;
};

// The window under test with everything it reaches outside replaced.
struct Rig {
    QTemporaryDir dir;
    HttpStub server;
    Tdownload window;
    QList<Launch> launches;
    bool launchResult = true;
    QStringList told;
    QStringList infoHistory, info3History;

    Rig()
    {
        server.listen();
        window.setInstallerUrl(QUrl(server.url("/lobby/" + FileName)));
        window.setTargetFolder(dir.path());
        window.setLauncher([this](const QString& program, const QStringList& arguments) {
            Launch l{program, arguments, {}, QFile::exists(program + ".part")};
            l.fileAtStart = quornet::testing::readFile(program);
            launches.append(l);
            return launchResult;
        });
        window.setTellFunction([this](QWidget*, const QString& text) { told.append(text); });
        window.setLobbyFinder([] { return QString(); });
        QObject::connect(&window, &Tdownload::statusChanged, &window, [this] {
            if (infoHistory.isEmpty() || infoHistory.last() != window.infoText())
                infoHistory.append(window.infoText());
            if (info3History.isEmpty() || info3History.last() != window.infoText3())
                info3History.append(window.infoText3());
        });
        window.show();
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QString target() const { return QDir(dir.path()).filePath(FileName); }
};

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void windowTexts()
    {
        Tdownload w;
        QCOMPARE(w.windowTitle(), QString("Download The Vexo42 Lobby"));
        QCOMPARE(w.size(), QSize(724, 500));
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(w.installerUrl().scheme(), QString("https"));
        QCOMPARE(w.installerUrl().fileName(), FileName);
        QStringList texts;
        for (auto* l : w.findChildren<QLabel*>())
            texts << l->text();
        for (const char* t :
             {"Download The Vexo42 Lobby Now to play this  and other exciting games online with "
              "other players! ",
              "To proceed to the game without the ability to play against others click the "
              "button below.",
              "Note: Even if you are playing offline, you will need to configure your FIREWALL to "
              "allow the game to access the internet components.",
              "If you already have The Vexo42 Lobby and you wish to play with others then click "
              "the button below to close this game and open The Vexo42 Lobby."})
            QVERIFY2(texts.contains(QString::fromLatin1(t)), t);
        auto* get = w.findChild<QPushButton*>("getbutton");
        auto* abort = w.findChild<QPushButton*>("abortbutton");
        QCOMPARE(get->text(), QString("Download And Install The Vexo42 Lobby Now"));
        QCOMPARE(abort->text(), QString("Stop Download"));
        QVERIFY(get->isEnabled());
        QVERIFY(!abort->isEnabled());
        QVERIFY(w.findChild<QLabel*>("infolabel"));
        QVERIFY(w.findChild<QLabel*>("infolabel3"));
        QVERIFY(w.findChild<QLabel*>("infolabel2")->isHidden());
        QPushButton* solo = nullptr;
        for (auto* b : w.findChildren<QPushButton*>()) {
            if (b->text() == "Play Solo Game") solo = b;
        }
        QVERIFY(solo && solo->isDefault());
        // Beside the program when that folder can be written (it can, for the test binary).
        QCOMPARE(Tdownload::defaultTargetFolder(), QCoreApplication::applicationDirPath());
    }

    void fullTransferStartsTheInstaller()
    {
        Rig rig;
        const QByteArray body = installerBytes(3000);
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", body.size()) + body.left(1000));
        });
        QSignalSpy exits(&rig.window, &Tdownload::exitRequested);
        QTest::mouseClick(rig.button("getbutton"), Qt::LeftButton);
        QCOMPARE(rig.window.state(), Tdownload::Downloading);
        QCOMPARE(rig.window.fileNameText(), FileName);
        QVERIFY(!rig.button("getbutton")->isEnabled());
        QVERIFY(rig.button("abortbutton")->isEnabled());

        // The body arrives in three pieces, each shown as the running count.
        QTRY_COMPARE(rig.window.infoText(), QString("1000 bytes"));
        QCOMPARE(rig.window.infoText3(), "Downloading: " + FileName);
        QVERIFY(rig.launches.isEmpty());
        rig.server.client()->write(body.mid(1000, 1000));
        QTRY_COMPARE(rig.window.infoText(), QString("2000 bytes"));
        rig.server.client()->write(body.mid(2000));
        rig.server.client()->disconnectFromHost();
        QTRY_COMPARE(rig.launches.size(), 1);

        QCOMPARE(rig.infoHistory.mid(0, 2), (QStringList{"Loading", "Loading."}));
        QVERIFY(rig.infoHistory.contains("2000 bytes"));
        QCOMPARE(rig.infoHistory.last(), QString("Received 3000 bytes"));
        QCOMPARE(rig.info3History, (QStringList{"", "Downloading: " + FileName, "Installing"}));
        const Launch& l = rig.launches.first();
        QCOMPARE(l.program, rig.target());
        QCOMPARE(l.arguments.join(' '), QString("/SP- /silent /noicons"));
        QCOMPARE(l.fileAtStart, body);
        QVERIFY(!l.partLeft);
        QCOMPARE(exits.size(), 1);
        QVERIFY(rig.told.isEmpty());
        QVERIFY(rig.button("getbutton")->isEnabled());
        QVERIFY(!rig.button("abortbutton")->isEnabled());
        QCOMPARE(rig.files(), QStringList{FileName});

        // The request: a GET of the installer's path with the stated headers.
        const QByteArray request = rig.server.lastRequest();
        QVERIFY(request.startsWith("GET /lobby/" + FileName.toLatin1() + " HTTP/1."));
        QVERIFY(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"));
        QVERIFY(request.contains(
            "\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"));
    }

    void lengthNotAnnounced()
    {
        // Without Content-Length the end of the connection ends the file.
        Rig rig;
        const QByteArray body = installerBytes(777);
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK") + body);
            s->disconnectFromHost();
        });
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.launches.size(), 1);
        QCOMPARE(rig.window.infoText(), QString("Received 777 bytes"));
        QCOMPARE(rig.launches.first().fileAtStart, body);
    }

    void stopDownload()
    {
        Rig rig;
        const QByteArray body = installerBytes(4000);
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", body.size()) + body.left(500));
        });
        QSignalSpy exits(&rig.window, &Tdownload::exitRequested);
        QTest::mouseClick(rig.button("getbutton"), Qt::LeftButton);
        QTRY_COMPARE(rig.window.infoText(), QString("500 bytes"));
        QCOMPARE(rig.files(), QStringList{FileName + ".part"}); // plainly partial meanwhile

        QTest::mouseClick(rig.button("abortbutton"), Qt::LeftButton);
        QCOMPARE(rig.window.infoText(), QString("Download has been aborted."));
        QCOMPARE(rig.window.infoText3(), QString("Download Aborted"));
        QCOMPARE(rig.window.state(), Tdownload::Aborted);
        QVERIFY(rig.button("getbutton")->isEnabled());
        QVERIFY(!rig.button("abortbutton")->isEnabled());
        // The server sees the connection go; nothing changes afterwards.
        QTRY_VERIFY(rig.server.clientGone());
        QCOMPARE(rig.window.infoText(), QString("Download has been aborted."));
        QVERIFY(rig.launches.isEmpty());
        QCOMPARE(exits.size(), 0);
        QCOMPARE(rig.files(), QStringList());

        // A new attempt goes through.
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", body.size()) + body);
            s->disconnectFromHost();
        });
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.launches.size(), 1);
        QCOMPARE(rig.window.infoText(), QString("Received 4000 bytes"));
        QCOMPARE(rig.launches.first().fileAtStart, body);
        QCOMPARE(exits.size(), 1);
    }

    void cutOffTransferStartsNothing()
    {
        Rig rig;
        const QByteArray body = installerBytes(800);
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", 2000) + body);
            s->disconnectFromHost();
        });
        QSignalSpy exits(&rig.window, &Tdownload::exitRequested);
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.window.state(), Tdownload::Aborted);
        QCOMPARE(rig.window.infoText(), QString("Download Aborted"));
        QVERIFY(rig.infoHistory.contains("800 bytes"));
        QVERIFY(!rig.info3History.contains("Installing"));
        QVERIFY(!rig.window.lastError().isEmpty());
        QVERIFY(rig.launches.isEmpty());
        QCOMPARE(exits.size(), 0);
        QCOMPARE(rig.files(), QStringList());
        QVERIFY(rig.button("getbutton")->isEnabled());
    }

    void refusedByTheServer()
    {
        Rig rig;
        rig.server.setAnswer([](QTcpSocket* s) {
            s->write(HttpStub::head(404, "Not Found", 9) + "Not found");
            s->disconnectFromHost();
        });
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.window.state(), Tdownload::Aborted);
        QCOMPARE(rig.window.infoText(), QString("Download Aborted"));
        QCOMPARE(rig.info3History, QStringList{""}); // no body was taken for the installer
        QVERIFY(rig.launches.isEmpty());
        QCOMPARE(rig.files(), QStringList());
    }

    void nothingListening()
    {
        Rig rig;
        rig.window.setInstallerUrl(QUrl(QStringLiteral("http://127.0.0.1:1/") + FileName));
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.window.state(), Tdownload::Aborted);
        QCOMPARE(rig.window.infoText(), QString("Download Aborted"));
        QVERIFY(rig.launches.isEmpty());
        QCOMPARE(rig.files(), QStringList());
    }

    void folderCannotBeWritten()
    {
        Rig rig;
        QFile blocker(rig.dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        rig.window.setTargetFolder(rig.dir.filePath("blocker/sub"));
        rig.window.downloadAndInstall();
        QCOMPARE(rig.window.state(), Tdownload::Aborted);
        QCOMPARE(rig.window.infoText(), QString("Download Aborted"));
        QVERIFY(rig.button("getbutton")->isEnabled());
        QVERIFY(!rig.button("abortbutton")->isEnabled());
        QCOMPARE(rig.server.requests(), 0);
        QVERIFY(rig.launches.isEmpty());
    }

    void failedStartShowsAnError()
    {
        Rig rig;
        rig.launchResult = false;
        const QByteArray body = installerBytes(1500);
        rig.server.setAnswer([&](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", body.size()) + body);
            s->disconnectFromHost();
        });
        QSignalSpy exits(&rig.window, &Tdownload::exitRequested);
        rig.window.downloadAndInstall();
        QTRY_COMPARE(rig.told, QStringList{"An Error has Occurred."});
        QCOMPARE(rig.launches.size(), 1);
        QCOMPARE(rig.window.infoText(), QString("Received 1500 bytes"));
        QCOMPARE(rig.window.infoText3(), QString("Installing"));
        QCOMPARE(exits.size(), 0);
        QVERIFY(rig.window.isVisible());
    }

    void playSoloAndWithOthers()
    {
        Rig rig;
        QSignalSpy exits(&rig.window, &Tdownload::exitRequested);

        // No lobby installed: the window closes and the table window's play dialog takes over.
        QSignalSpy others(&rig.window, &Tdownload::playWithOthersRequested);
        rig.window.show();
        rig.window.playWithOthers();
        QCOMPARE(others.size(), 1);
        QVERIFY(!rig.window.isVisible());
        QVERIFY(rig.told.isEmpty());
        // A lobby path whose file is gone counts as not installed.
        rig.window.setLobbyFinder([&] { return rig.dir.filePath("gone/Vexo42Lobby"); });
        rig.window.playWithOthers();
        QCOMPARE(others.size(), 2);
        QVERIFY(rig.launches.isEmpty());
        rig.window.show();

        QFile lobby(rig.dir.filePath("Vexo42Lobby"));
        QVERIFY(lobby.open(QIODevice::WriteOnly));
        lobby.close();
        rig.window.setLobbyFinder([&] { return lobby.fileName(); });
        rig.launchResult = false;
        rig.window.playWithOthers();
        QCOMPARE(rig.told.last(), QString("An Error has Occurred."));
        QCOMPARE(exits.size(), 0);

        rig.launchResult = true;
        rig.window.playWithOthers();
        QCOMPARE(rig.launches.size(), 2);
        QCOMPARE(rig.launches.last().program, lobby.fileName());
        QVERIFY(rig.launches.last().arguments.isEmpty());
        QCOMPARE(exits.size(), 1);

        // Play Solo Game only closes the window.
        QPushButton* solo = rig.button("button_solo");
        QCOMPARE(solo->text(), QString("Play Solo Game"));
        QTest::mouseClick(solo, Qt::LeftButton);
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(rig.launches.size(), 2);
        QCOMPARE(exits.size(), 1);
    }
};

QTEST_MAIN(TestDownload)
#include "test_download.moc"
