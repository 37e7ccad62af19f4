// The table window's keys: defaults, reading rules, the written order, round trips and where
// the file lives.
#include "platform/folders.h"
#include "settings/inifile.h"
#include "settings/playsettings.h"
#include "settings/settingslocation.h"
#include "settings/tablesettings.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using quornet::settings::IniFile;
using quornet::settings::SettingsLocation;
using quornet::settings::TableSettings;

namespace {

TableSettings loaded(const QByteArray& text)
{
    IniFile ini;
    ini.setContents(text);
    TableSettings s;
    s.load(ini);
    return s;
}

// A value of every field, none of them a default.
TableSettings changedSettings()
{
    TableSettings s;
    s.textSize = 14;
    s.top = -20;
    s.left = 1900;
    s.width = 1024;
    s.height = 700;
    s.textColor = 0x00FF8040;
    for (int n = 0; n < TableSettings::PhraseCount; ++n)
        s.phrases[n] = QStringLiteral("phrase %1 = with equals; and ünïcode").arg(n + 1);
    s.phrases[4].clear();
    s.botSpeed = TableSettings::BotSpeedFast;
    s.playSounds = false;
    s.manualSort = false;
    s.pickup = 7;
    s.gameType = "5";
    s.noBots = true;
    s.pickupDiscard = false;
    s.turnSound = 1;
    s.chatterSounds = false;
    s.cardDeck = "svg-nicu-ornamental";
    s.zoom = 150;
    s.botLevel = "expert";
    return s;
}

// The key names of the lines of a section, in file order.
QStringList keysInOrder(const QByteArray& text, const QByteArray& header)
{
    QStringList keys;
    bool inside = false;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith('[')) {
            inside = line.trimmed() == header;
            continue;
        }
        if (inside && line.contains('='))
            keys << QString::fromUtf8(line.left(line.indexOf('=')).trimmed());
    }
    return keys;
}

} // namespace

class TestTableSettings : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesTheDefaults();
    void readingRules_data();
    void readingRules();
    void savedInTheStatedOrder();
    void existingKeysUpdatedMissingOnesAppended();
    void roundTripThroughAFile();
    void thePlayDialogsKeysSitBesideTheTablesKeys();
    void phrasesGoToTheSameSectionInAnyCase();
    void locationBesideTheProgramWhenWritable();
    void locationInTheUserFolderOtherwise();
};

void TestTableSettings::missingFileGivesTheDefaults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TableSettings s = changedSettings();
    QVERIFY(s.loadFrom(dir.filePath("vexolobby.ini")));
    QVERIFY(!QFile::exists(dir.filePath("vexolobby.ini"))); // reading creates nothing
    QCOMPARE(s, TableSettings());
    QCOMPARE(s.textSize, 8);
    QCOMPARE(s.top, 3);
    QCOMPARE(s.left, 3);
    QCOMPARE(s.width, 798);
    QCOMPARE(s.height, 572);
    QCOMPARE(s.textColor, quint32(0));
    QVERIFY(s.manualSort);
    QVERIFY(s.playSounds);
    QVERIFY(s.chatterSounds);
    QCOMPARE(s.botSpeed, 750);
    QCOMPARE(s.turnSound, 0);
    QCOMPARE(s.gameType, QString("f"));
    QVERIFY(!s.noBots);
    QVERIFY(s.pickupDiscard);
    QCOMPARE(s.pickup, 1);
    QVERIFY(s.cardDeck.isEmpty());
    QCOMPARE(s.zoom, 100);
    for (const QString& p : s.phrases)
        QVERIFY(p.isEmpty());

    // A file with other sections only reads the same.
    QCOMPARE(loaded("[lobby]\nTextsize=12\nPlaysounds=false\n"), TableSettings());
}

void TestTableSettings::readingRules_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* line, const char* field, const char* expected) {
        QTest::newRow(line) << QByteArray(line) << QString(field) << QString(expected);
    };
    row("Textsize=12", "textSize", "12");
    row("Textsize=9", "textSize", "9"); // no menu item: the size only
    row("Textsize=big", "textSize", "8");
    row("Textsize=", "textSize", "8");
    row("Textsize=0", "textSize", "8");
    row("Textsize=-4", "textSize", "8");
    row("Textsize=500", "textSize", "8");
    row("Textsize=12.5", "textSize", "8");
    row("Top=-40", "top", "-40");
    row("Top=x", "top", "3");
    row("Left=1e3", "left", "3");
    row("Width=1200", "width", "1200");
    row("Width=abc", "width", "798");
    row("Width=-5", "width", "798");
    row("Height=0", "height", "572");
    row("Height=99999999999", "height", "572");
    row("Textcolor=clRed", "textColor", "255");
    row("Textcolor=CLNAVY", "textColor", "8388608");
    row("Textcolor=$00FF8040", "textColor", "16744512");
    row("Textcolor=65280", "textColor", "65280");
    row("Textcolor=reddish", "textColor", "0");
    row("Textcolor=", "textColor", "0");
    row("Phrase1=Hi all", "phrase1", "Hi all");
    row("Phrase9=/me waves", "phrase9", "/me waves");
    row("Phrase2=", "phrase2", "");
    row("Botspeed=1000", "botSpeed", "1000");
    row("Botspeed=500", "botSpeed", "500");
    row("Botspeed=750", "botSpeed", "750");
    row("Botspeed=fast", "botSpeed", "750");
    row("Botspeed=250", "botSpeed", "750");
    row("Playsounds=false", "playSounds", "0");
    row("Playsounds=true", "playSounds", "1");
    row("Playsounds=0", "playSounds", "1");
    row("Playsounds=no", "playSounds", "1");
    row("Manualsort=false", "manualSort", "0");
    row("Manualsort=whatever", "manualSort", "1");
    row("Pickup=7", "pickup", "7");
    row("Pickup=1", "pickup", "1");
    row("Pickup=9", "pickup", "1");
    row("Pickup=0", "pickup", "1");
    row("Pickup=two", "pickup", "1");
    row("Gametype=r", "gameType", "r");
    row("Gametype=3", "gameType", "3");
    row("Gametype=5", "gameType", "5");
    row("Gametype=f", "gameType", "f");
    row("Gametype=R", "gameType", "f");
    row("Gametype=10000", "gameType", "f");
    row("Nobots=t", "noBots", "1");
    row("Nobots=true", "noBots", "0");
    row("Nobots=f", "noBots", "0");
    row("Pickupdiscard=f", "pickupDiscard", "0");
    row("Pickupdiscard=false", "pickupDiscard", "1");
    row("Pickupdiscard=t", "pickupDiscard", "1");
    row("Turnsound=1", "turnSound", "1");
    row("Turnsound=0", "turnSound", "0");
    row("Turnsound=2", "turnSound", "0");
    row("Turnsound=new", "turnSound", "0");
    row("ChatterSounds=false", "chatterSounds", "0");
    row("chattersounds=false", "chatterSounds", "0");
    row("ChatterSounds=off", "chatterSounds", "1");
    row("Carddeck=svg-oxygen-white", "cardDeck", "svg-oxygen-white");
    row("Zoom=125", "zoom", "125");
    row("Zoom=150", "zoom", "150");
    row("Zoom=200", "zoom", "200");
    row("zoom=200", "zoom", "200");
    row("Zoom=100", "zoom", "100");
    row("Zoom=175", "zoom", "100");
    row("Zoom=300", "zoom", "100");
    row("Zoom=-150", "zoom", "100");
    row("Zoom=1.5", "zoom", "100");
    row("Zoom=150%", "zoom", "100");
    row("Zoom=big", "zoom", "100");
    row("Zoom=", "zoom", "100");
    row("Botlevel=strong", "botLevel", "strong");
    row("Botlevel=expert", "botLevel", "expert");
    row("Botlevel=classic", "botLevel", "classic");
    row("Botlevel=Expert", "botLevel", "classic");
    row("Botlevel=hard", "botLevel", "classic");
}

void TestTableSettings::readingRules()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    const TableSettings s = loaded("[lobby]\nTop=77\n[QUORNET]\n" + line + "\n");
    const QHash<QString, QString> got = {
        {"textSize", QString::number(s.textSize)},
        {"top", QString::number(s.top)},
        {"left", QString::number(s.left)},
        {"width", QString::number(s.width)},
        {"height", QString::number(s.height)},
        {"textColor", QString::number(s.textColor)},
        {"phrase1", s.phrases[0]},
        {"phrase2", s.phrases[1]},
        {"phrase9", s.phrases[8]},
        {"botSpeed", QString::number(s.botSpeed)},
        {"playSounds", QString::number(s.playSounds)},
        {"manualSort", QString::number(s.manualSort)},
        {"pickup", QString::number(s.pickup)},
        {"gameType", s.gameType},
        {"noBots", QString::number(s.noBots)},
        {"pickupDiscard", QString::number(s.pickupDiscard)},
        {"turnSound", QString::number(s.turnSound)},
        {"chatterSounds", QString::number(s.chatterSounds)},
        {"cardDeck", s.cardDeck},
        {"zoom", QString::number(s.zoom)},
        {"botLevel", s.botLevel},
    };
    QVERIFY2(got.contains(field), qPrintable(field));
    QCOMPARE(got.value(field), expected);

    // Every other field keeps its default: one bad key spoils nothing else.
    const QHash<QString, QString> defaults = {
        {"textSize", "8"},  {"top", "3"},           {"left", "3"},       {"width", "798"},
        {"height", "572"},  {"textColor", "0"},     {"phrase1", ""},     {"phrase2", ""},
        {"phrase9", ""},    {"botSpeed", "750"},    {"playSounds", "1"}, {"manualSort", "1"},
        {"pickup", "1"},    {"gameType", "f"},      {"noBots", "0"},     {"pickupDiscard", "1"},
        {"turnSound", "0"}, {"chatterSounds", "1"}, {"cardDeck", ""},
        {"zoom", "100"},    {"botLevel", "classic"},
    };
    QCOMPARE(defaults.size(), got.size());
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        if (it.key() != field) QCOMPARE(got.value(it.key()), it.value());
    }
}

void TestTableSettings::savedInTheStatedOrder()
{
    const QStringList stated = {"Textsize",      "Top",       "Left",          "Width",
                                "Height",        "Textcolor", "Botspeed",      "Playsounds",
                                "Manualsort",    "Pickup",    "Gametype",      "Nobots",
                                "Pickupdiscard", "Turnsound", "ChatterSounds", "Carddeck",
                                "Zoom",          "Botlevel",      "Showlobby"};
    QCOMPARE(TableSettings::keyOrder(), stated);

    IniFile ini;
    ini.setContents("[lobby]\nName=Gustav\n");
    TableSettings().save(ini);
    QCOMPARE(ini.contents(), QByteArray("[lobby]\nName=Gustav\n"
                                        "[quornet]\n"
                                        "Textsize=8\n"
                                        "Top=3\n"
                                        "Left=3\n"
                                        "Width=798\n"
                                        "Height=572\n"
                                        "Textcolor=clBlack\n"
                                        "Botspeed=750\n"
                                        "Playsounds=true\n"
                                        "Manualsort=true\n"
                                        "Pickup=1\n"
                                        "Gametype=f\n"
                                        "Nobots=f\n"
                                        "Pickupdiscard=t\n"
                                        "Turnsound=0\n"
                                        "ChatterSounds=true\n"
                                        "Carddeck=\n"
                                        "Zoom=100\n"
                                        "Botlevel=classic\n"
                                        "Showlobby=true\n"));

    // The phrase editor's keys come after, only when it writes them.
    changedSettings().savePhrases(ini);
    QStringList all = stated;
    all << TableSettings::phraseKeys();
    QCOMPARE(keysInOrder(ini.contents(), "[quornet]"), all);
    QCOMPARE(ini.value("quornet", "Phrase5"), QString());
    QCOMPARE(ini.value("quornet", "Phrase1"), QString("phrase 1 = with equals; and ünïcode"));
}

void TestTableSettings::existingKeysUpdatedMissingOnesAppended()
{
    const QByteArray before = "; shared file\r\n"
                              "[Quornet]\r\n"
                              "Playsounds = false\r\n"
                              "Phrase1=Yo!\r\n"
                              "TOP=10\r\n"
                              "\r\n"
                              "[lobby]\r\n"
                              "Top=99\r\n";
    IniFile ini;
    ini.setContents(before);
    TableSettings s;
    s.load(ini);
    QVERIFY(!s.playSounds);
    QCOMPARE(s.top, 10);
    QCOMPARE(s.phrases[0], QString("Yo!"));
    s.top = 11;
    s.save(ini);
    const QByteArray after = ini.contents();
    QVERIFY(after.startsWith("; shared file\r\n[Quornet]\r\nPlaysounds = false\r\nPhrase1=Yo!\r\n"
                             "TOP=11\r\nTextsize=8\r\nLeft=3\r\nWidth=798\r\n"));
    QVERIFY(after.endsWith("Carddeck=\r\nZoom=100\r\nBotlevel=classic\r\nShowlobby=true\r\n\r\n[lobby]\r\nTop=99\r\n"));
    // The missing keys keep the stated order after the ones that were there.
    QCOMPARE(keysInOrder(QByteArray(after).replace("\r", ""), "[Quornet]"),
             QStringList({"Playsounds", "Phrase1", "TOP", "Textsize", "Left", "Width", "Height",
                          "Textcolor", "Botspeed", "Manualsort", "Pickup", "Gametype", "Nobots",
                          "Pickupdiscard", "Turnsound", "ChatterSounds", "Carddeck", "Zoom",
                          "Botlevel", "Showlobby"}));
    QVERIFY(!after.contains("[quornet]")); // no second section
}

void TestTableSettings::roundTripThroughAFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("vexolobby.ini");
    const QByteArray lobby = "[lobby]\r\nName=Gustav\r\n; keep me\r\n";
    QVERIFY(quornet::testing::writeFile(path, lobby));
    const TableSettings out = changedSettings();
    QVERIFY(out.saveTo(path));
    QVERIFY(out.savePhrasesTo(path));

    TableSettings in;
    QVERIFY(in.loadFrom(path));
    QCOMPARE(in, out);

    const QByteArray text = quornet::testing::readFile(path);
    QVERIFY(text.startsWith(lobby + "[quornet]\r\nTextsize=14\r\n"));
    QVERIFY(text.contains("\r\nTextcolor=$00FF8040\r\n"));
    QVERIFY(text.contains("\r\nGametype=5\r\nNobots=t\r\nPickupdiscard=f\r\nTurnsound=1\r\n"));
    QVERIFY(text.contains("\r\nCarddeck=svg-nicu-ornamental\r\nZoom=150\r\nBotlevel=expert\r\n"));

    // A scale that is not a menu step is written as 100, the size it would be read as.
    TableSettings odd;
    odd.zoom = 175;
    QVERIFY(odd.saveTo(path));
    TableSettings oddBack;
    QVERIFY(oddBack.loadFrom(path));
    QCOMPARE(oddBack.zoom, 100);

    // The system colours travel by name.
    TableSettings sys;
    sys.textColor = 0x80000008;
    QVERIFY(sys.saveTo(path));
    TableSettings back;
    QVERIFY(back.loadFrom(path));
    QCOMPARE(back.textColor, quint32(0x80000008));

    // An unreadable settings file (here a folder) gives the defaults and is not replaced.
    const QString folder = dir.filePath("folder.ini");
    QVERIFY(QDir().mkpath(folder));
    TableSettings bad = changedSettings();
    QVERIFY(!bad.loadFrom(folder));
    QCOMPARE(bad, TableSettings());
    QVERIFY(!out.saveTo(folder));
    QVERIFY(!out.savePhrasesTo(folder));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestTableSettings::phrasesGoToTheSameSectionInAnyCase()
{
    IniFile ini;
    ini.setContents("[QuorNet]\nTextsize=10\n\n[lobby]\nPhrase1=lobby's\n");
    TableSettings s;
    s.phrases[0] = "Hello there";
    s.phrases[8] = "Bye";
    s.savePhrases(ini);
    QCOMPARE(ini.contents(),
             QByteArray("[QuorNet]\nTextsize=10\nPhrase1=Hello there\nPhrase2=\nPhrase3=\n"
                        "Phrase4=\nPhrase5=\nPhrase6=\nPhrase7=\nPhrase8=\nPhrase9=Bye\n\n"
                        "[lobby]\nPhrase1=lobby's\n"));
    TableSettings back;
    back.load(ini);
    QCOMPARE(back.phrases, s.phrases);
    QCOMPARE(back.textSize, 10);
}

void TestTableSettings::locationBesideTheProgramWhenWritable()
{
    QTemporaryDir program;
    QTemporaryDir config;
    QVERIFY(program.isValid() && config.isValid());
    QVERIFY(quornet::platform::isWritableFolder(program.path()));
    QCOMPARE(SettingsLocation::filePath(program.path(), config.path()),
             program.filePath("vexolobby.ini"));
    QVERIFY(QDir(program.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .isEmpty()); // probe removed

    // The running test program's folder is writable (the build folder).
    QCOMPARE(SettingsLocation::filePath(),
             QDir(QCoreApplication::applicationDirPath()).filePath("vexolobby.ini"));
    QVERIFY(SettingsLocation::userConfigFolder().endsWith("/Vexo42"));
}

void TestTableSettings::locationInTheUserFolderOtherwise()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString config = root.filePath("config/Vexo42");
    const QString expected = QDir(config).filePath("vexolobby.ini");

    // A program folder that does not exist (or is not a folder).
    QCOMPARE(SettingsLocation::filePath(root.filePath("missing"), config), expected);
    QCOMPARE(SettingsLocation::filePath(QString(), config), expected);

#ifdef Q_OS_LINUX
    // An installed program's folder is the package manager's, also for root, who could write there.
    QCOMPARE(SettingsLocation::filePath("/usr/bin", config), expected);
    // A read-only file system refuses everyone, root included.
    QVERIFY(!quornet::platform::isWritableFolder("/proc"));
    QCOMPARE(SettingsLocation::filePath("/proc", config), expected);
#endif

    // A folder without write permission (root may write anyway: then only the rule is shown).
    const QString ro = root.filePath("ro");
    QVERIFY(QDir().mkpath(ro));
    QVERIFY(QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner));
    if (::geteuid() != 0) QCOMPARE(SettingsLocation::filePath(ro, config), expected);
    QVERIFY(QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    // The settings are then written there; the folder is made on the first save.
    TableSettings s;
    s.textSize = 12;
    QVERIFY(s.saveTo(expected));
    TableSettings back;
    QVERIFY(back.loadFrom(expected));
    QCOMPARE(back.textSize, 12);
}

// The play dialog's fields and its last tables share the section with the window's keys; each
// writes only its own, the recent list keeps the ten newest without a table twice, and lines
// that are not entries are dropped.
void TestTableSettings::thePlayDialogsKeysSitBesideTheTablesKeys()
{
    using quornet::settings::PlaySettings;
    using quornet::settings::RecentTable;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("vexolobby.ini");
    QVERIFY(quornet::testing::writeFile(path, "[Quornet]\r\nRecent3=joined nowhere:99999 Eve\r\nRecent4=kept 1.2.3.4 Eve\r\n"));
    const TableSettings table = changedSettings();
    QVERIFY(table.saveTo(path) && table.savePhrasesTo(path));

    PlaySettings out;
    out.playerName = QStringLiteral("Zoë");
    out.hostPort = 7800;
    out.hostPassword = QStringLiteral("sesame");
    out.hostFindable = false;
    out.hostRouter = false;
    out.joinAddress = QStringLiteral("2001:db8::7");
    out.joinPort = 7900;
    out.joinPassword = QStringLiteral("open sesame");
    out.tab = QStringLiteral("host");
    for (int n = 1; n <= PlaySettings::MaxRecent + 3; ++n)
        out.remember({n % 2 ? RecentTable::Role::Joined : RecentTable::Role::Hosted, QStringLiteral("192.0.2.%1").arg(n),
                      quint16(7000 + n), QStringLiteral("Ann %1").arg(n)});
    out.remember({RecentTable::Role::Joined, QStringLiteral("2001:db8::7"), 7900, QStringLiteral("Bob")});
    out.remember({RecentTable::Role::Joined, QStringLiteral("192.0.2.13"), 7013, QStringLiteral("Cid")}); // again: moves up
    QCOMPARE(out.recent.size(), PlaySettings::MaxRecent);
    QCOMPARE(out.recent[0].name, QStringLiteral("Cid"));
    QCOMPARE(out.recent[1].host, QStringLiteral("2001:db8::7"));
    QCOMPARE(out.recent.last().host, QStringLiteral("192.0.2.5"));
    QVERIFY(out.saveTo(path));

    PlaySettings in;
    QVERIFY(in.loadFrom(path));
    QCOMPARE(in, out);
    TableSettings tableBack;
    QVERIFY(tableBack.loadFrom(path));
    QCOMPARE(tableBack, table);
    QVERIFY(quornet::testing::readFile(path).contains("Recent2=joined [2001:db8::7]:7900 Bob"));

    // What the file may hold otherwise: nothing usable is defaults, odd entries are dropped.
    IniFile ini;
    ini.setContents("[quornet]\nHostport=0\nJoinport=x\nRecent1=joined 192.0.2.1:7772\nRecent2=hosted quornet://h:1?password=x A\n");
    PlaySettings odd;
    odd.load(ini);
    QCOMPARE(odd.hostPort, PlaySettings::DefaultPort);
    QCOMPARE(odd.joinPort, PlaySettings::DefaultPort);
    QCOMPARE(odd.recent.size(), 1);
    QCOMPARE(odd.recent[0].name, QString());
    QVERIFY(odd.hostFindable && odd.hostRouter);
}

QTEST_GUILESS_MAIN(TestTableSettings)
#include "test_tablesettings.moc"
