// The compiled-in wave sounds and the player's choices.
#include "support/files.h"
#include "table/sound/soundplayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>
#include <QtTest>

using quornet::table::SoundPlayer;

namespace {

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bits = 0;
    QByteArray data;
    QString error;

    double seconds() const { return blockAlign ? double(data.size()) / blockAlign / rate : 0; }
    int peak() const
    {
        int peak = 0;
        for (qsizetype i = 0; i + 1 < data.size(); i += 2)
            peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(data.constData() + i))));
        return peak;
    }
};

// Reads a RIFF WAVE file chunk by chunk; error tells what is wrong with it.
Wave readWave(const QByteArray& file)
{
    Wave w;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        w.error = "not a RIFF WAVE file";
        return w;
    }
    const quint32 riffSize = qFromLittleEndian<quint32>(file.constData() + 4);
    if (riffSize + 8 != quint32(file.size())) {
        w.error = "RIFF size does not match the file";
        return w;
    }
    bool haveFmt = false;
    qsizetype pos = 12;
    while (pos + 8 <= file.size()) {
        const QByteArray id = file.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(file.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (body + qsizetype(size) > file.size()) {
            w.error = "chunk " + QString::fromLatin1(id) + " runs past the end";
            return w;
        }
        const char* p = file.constData() + body;
        if (id == "fmt " && size >= 16) {
            w.format = qFromLittleEndian<quint16>(p);
            w.channels = qFromLittleEndian<quint16>(p + 2);
            w.rate = qFromLittleEndian<quint32>(p + 4);
            w.byteRate = qFromLittleEndian<quint32>(p + 8);
            w.blockAlign = qFromLittleEndian<quint16>(p + 12);
            w.bits = qFromLittleEndian<quint16>(p + 14);
            haveFmt = true;
        } else if (id == "data") {
            if (!haveFmt) {
                w.error = "data before fmt";
                return w;
            }
            w.data = file.mid(body, size);
        }
        pos = body + size + (size & 1);
    }
    if (!haveFmt)
        w.error = "no fmt chunk";
    else if (w.data.isNull())
        w.error = "no data chunk";
    return w;
}

} // namespace

class TestSounds : public QObject {
    Q_OBJECT
private slots:
    void namesAndLookup();
    void everySoundIsCompiledInAndDecodes_data();
    void everySoundIsCompiledInAndDecodes();
    void soundsAreSmall();
    void playSoundsSwitchesEventSounds();
    void playChatterSoundsSwitchesChatterSounds();
    void unknownNamesPlayNothing();
    void deviceOutputNeverBlocksOrFails();
};

void TestSounds::namesAndLookup()
{
    const QStringList names = SoundPlayer::soundNames();
    QCOMPARE(names.size(), 34);
    QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), 34); // no name twice
    QCOMPARE(SoundPlayer::eventSoundNames().size(), 14);
    QVERIFY(names.contains("CREATECOMPLETE"));
    QCOMPARE(names.last(), QString("WAVE20"));

    QCOMPARE(SoundPlayer::canonicalName("getcard"), QString("GETCARD"));
    QCOMPARE(SoundPlayer::canonicalName("TurnNew"), QString("TURNNEW"));
    QCOMPARE(SoundPlayer::canonicalName("wave7"), QString("WAVE7"));
    QCOMPARE(SoundPlayer::resourcePath("Wave12"), QString(":/sounds/wave12.wav"));
    QCOMPARE(SoundPlayer::resourcePath("ENTERED"), QString(":/sounds/entered.wav"));
    for (const char* bad : {"", "wave0", "wave21", "wave", "turn2", "../turn", "getcard.wav"}) {
        QVERIFY2(SoundPlayer::canonicalName(bad).isEmpty(), bad);
        QVERIFY2(SoundPlayer::resourcePath(bad).isEmpty(), bad);
    }
}

void TestSounds::everySoundIsCompiledInAndDecodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("limit");
    for (const QString& name : SoundPlayer::soundNames()) {
        const bool chatter = name.startsWith("WAVE");
        QTest::newRow(qPrintable(name)) << name << (chatter ? 2.5 : 1.0);
    }
}

void TestSounds::everySoundIsCompiledInAndDecodes()
{
    QFETCH(QString, name);
    QFETCH(double, limit);

    const QString path = SoundPlayer::resourcePath(name.toLower());
    const QByteArray bytes = quornet::testing::readFile(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path));
    const Wave w = readWave(bytes);
    QVERIFY2(w.error.isEmpty(), qPrintable(w.error));
    QCOMPARE(w.format, quint16(1)); // PCM
    QCOMPARE(w.channels, quint16(1));
    QCOMPARE(w.bits, quint16(16));
    QCOMPARE(w.rate, quint32(22050));
    QCOMPARE(w.blockAlign, quint16(2));
    QCOMPARE(w.byteRate, quint32(44100));
    QVERIFY(!w.data.isEmpty());
    QCOMPARE(w.data.size() % 2, 0);
    QVERIFY2(w.seconds() > 0.03 && w.seconds() < limit, qPrintable(QString::number(w.seconds())));
    QVERIFY2(w.peak() > 8000, "the sound is (nearly) silent");

    // Qt Multimedia's own decoder takes it too (loading needs no audio device).
    QSoundEffect effect;
    effect.setSource(QUrl(QStringLiteral("qrc") + path));
    QTRY_VERIFY_WITH_TIMEOUT(
        effect.status() == QSoundEffect::Ready || effect.status() == QSoundEffect::Error, 10000);
    QCOMPARE(effect.status(), QSoundEffect::Ready);
}

void TestSounds::soundsAreSmall()
{
    qint64 total = 0;
    for (const QString& name : SoundPlayer::soundNames())
        total += QFile(SoundPlayer::resourcePath(name)).size();
    QVERIFY2(total > 0 && total < 1536 * 1024, qPrintable(QString::number(total)));
}

void TestSounds::playSoundsSwitchesEventSounds()
{
    SoundPlayer player(SoundPlayer::Output::Silent);
    QSignalSpy played(&player, &SoundPlayer::played);
    QVERIFY(player.playSounds()); // checked at start
    QVERIFY(!player.audioAvailable());

    QVERIFY(player.playEvent("getcard"));
    QVERIFY(player.playEvent("Turn"));
    QCOMPARE(played.size(), 2);
    QCOMPARE(played.at(0).at(0).toString(), QString("GETCARD"));
    QCOMPARE(played.at(1).at(0).toString(), QString("TURN"));

    player.setPlaySounds(false);
    QVERIFY(!player.playSounds());
    QVERIFY(!player.playEvent("getcard"));
    QVERIFY(!player.playEvent("winner"));
    QCOMPARE(played.size(), 2);
    // Chatter sounds do not depend on Play Sounds.
    player.setPlayChatterSounds(true);
    QVERIFY(player.playChatter("wave3"));
    QCOMPARE(played.size(), 3);
    QCOMPARE(played.at(2).at(0).toString(), QString("WAVE3"));

    player.setPlaySounds(true);
    QVERIFY(player.playEvent("DISCARD"));
    QCOMPARE(played.size(), 4);
    QCOMPARE(played.at(3).at(0).toString(), QString("DISCARD"));
}

void TestSounds::playChatterSoundsSwitchesChatterSounds()
{
    SoundPlayer player(SoundPlayer::Output::Silent);
    QSignalSpy played(&player, &SoundPlayer::played);
    QVERIFY(!player.playChatterSounds()); // unchecked at start

    QVERIFY(!player.playChatter("wave1"));
    QCOMPARE(played.size(), 0);
    player.setPlayChatterSounds(true);
    QVERIFY(player.playChatter("WAVE20"));
    QVERIFY(player.playChatter("wave13"));
    QCOMPARE(played.size(), 2);
    QCOMPARE(played.at(0).at(0).toString(), QString("WAVE20"));
    QCOMPARE(played.at(1).at(0).toString(), QString("WAVE13"));
    // Play Sounds off leaves chatter sounds on.
    player.setPlaySounds(false);
    QVERIFY(player.playChatter("wave5"));
    QCOMPARE(played.size(), 3);
    player.setPlayChatterSounds(false);
    QVERIFY(!player.playChatter("wave5"));
    QCOMPARE(played.size(), 3);
}

void TestSounds::unknownNamesPlayNothing()
{
    SoundPlayer player(SoundPlayer::Output::Silent);
    player.setPlayChatterSounds(true);
    QSignalSpy played(&player, &SoundPlayer::played);
    QVERIFY(!player.playEvent("nosuchsound"));
    QVERIFY(!player.playEvent(""));
    QVERIFY(!player.playChatter("wave21"));
    QVERIFY(!player.playChatter("../wave1"));
    QCOMPARE(played.size(), 0);
}

void TestSounds::deviceOutputNeverBlocksOrFails()
{
    // On a machine without audio output nothing plays and nothing complains; with one, the
    // calls only start the sounds. Either way every call returns at once.
    SoundPlayer player(SoundPlayer::Output::Device);
    player.setPlayChatterSounds(true);
    QSignalSpy played(&player, &SoundPlayer::played);
    QElapsedTimer clock;
    clock.start();
    for (const QString& name : SoundPlayer::eventSoundNames())
        QVERIFY(player.playEvent(name));
    QVERIFY(player.playChatter("wave9"));
    QVERIFY(player.playEvent("getcard")); // the same sound again cuts itself off
    player.stop();
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(played.size(), 16);
    QCOMPARE(played.last().at(0).toString(), QString("GETCARD"));
}

QTEST_MAIN(TestSounds)
#include "test_sounds.moc"
