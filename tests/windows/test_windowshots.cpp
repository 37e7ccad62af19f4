// Renders the side windows offscreen the way they look in use and checks that they draw: the
// tally list with two followed players, the download window during a transfer, two help pages
// and the about window. With QUORNET_SHOTS_DIR set, the pictures are also written there as PNG.
#include "httpstub.h"
#include "windows/aboutform.h"
#include "windows/downloadform.h"
#include "windows/helpform.h"
#include "windows/tallylistform.h"

#include <QDir>
#include <QListWidget>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace quornet::windows;

namespace
{

int colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

// Grabs the window, checks the picture and writes it when asked to.
QImage shoot(QWidget& window, const QString& name)
{
    window.show();
    QCoreApplication::processEvents();
    const QImage image = window.grab().toImage();
    const QString folder = qEnvironmentVariable("QUORNET_SHOTS_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        image.save(QDir(folder).filePath(name + ".png"));
    }
    return image;
}

} // namespace

class TestWindowShots : public QObject
{
    Q_OBJECT
private slots:
    void tallyList()
    {
        QTemporaryDir dir;
        Ttallylist w(dir.path());
        w.setLocalPlayer("You");
        w.loadchecklist({"You", "Ann", "Carl", "Dora"}, 1);
        auto* current = w.findChild<QListWidget*>("checklist");
        current->item(0)->setCheckState(Qt::Checked);
        current->item(1)->setCheckState(Qt::Checked);
        for (const char* winners :
             {"You and Carl", "Ann and Dora", "You and Carl", "Ann and Dora", "You and Carl"})
            w.addgame(QString::fromLatin1(winners));
        w.selectTallied(0);
        const QImage image = shoot(w, "tallylist");
        QCOMPARE(image.size(), QSize(463, 376) * w.devicePixelRatio());
        QVERIFY(colourCount(image) > 50);
        QCOMPARE(w.book().tallied(), (QStringList{"Ann", "Carl"}));
    }

    void downloadWindow()
    {
        QTemporaryDir dir;
        HttpStub server;
        QVERIFY(server.listen());
        server.setAnswer([](QTcpSocket* s) {
            s->write(HttpStub::head(200, "OK", 2484736) + QByteArray(184320, 'x'));
        });
        Tdownload w;
        w.setInstallerUrl(QUrl(server.url("/lobby/Vexo42LobbySetup.exe")));
        w.setTargetFolder(dir.path());
        w.setLauncher([](const QString&, const QStringList&) { return false; });
        w.show();
        w.downloadAndInstall();
        QTRY_COMPARE(w.infoText(), QString("184320 bytes"));
        const QImage image = shoot(w, "download");
        QCOMPARE(image.size(), QSize(724, 500) * w.devicePixelRatio());
        QVERIFY(colourCount(image) > 100);
        w.stopDownload();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void helpPages()
    {
        Tabout about;
        Thelp help(&about);
        help.showTopic(1);
        const QImage overview = shoot(help, "help-overview");
        help.showTopic(4);
        const QImage scoring = shoot(help, "help-scoring");
        QCOMPARE(overview.size(), QSize(542, 485) * help.devicePixelRatio());
        QVERIFY(overview != scoring);
        QVERIFY(colourCount(scoring) > 50);
        const QImage aboutImage = shoot(about, "about");
        QCOMPARE(aboutImage.size(), QSize(304, 174) * about.devicePixelRatio());
        QVERIFY(colourCount(aboutImage) > 50);
    }
};

QTEST_MAIN(TestWindowShots)
#include "test_windowshots.moc"
