// The ini layer: reading a shared file and rewriting only our keys, byte for byte.
#include "settings/inifile.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using quornet::settings::IniFile;

namespace {

// A file shared with other programs: other sections, comments, blank lines, odd spacing, our
// section in capitals, keys in mixed case.
const QByteArray kShared = "; Vexo42 settings, do not edit while the lobby runs\n"
                           "[lobby]\n"
                           "Name=Gustav\n"
                           "Textsize=99\n"
                           "\n"
                           "[QUORNET]\n"
                           "  textsize =  12   \n"
                           "; Top=500 is a comment, not a key\n"
                           "TOP=40\n"
                           "Playsounds\t=\tfalse\n"
                           "\n"
                           "[other game]\n"
                           "Top=7\n"
                           "  ; indented comment\n";

using quornet::testing::readFile;
using quornet::testing::writeFile;

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readsSectionAndKeysWithoutRegardToCase();
    void commentsAndOtherSectionsAreNotOurKeys();
    void updatesInPlaceAndKeepsEveryOtherByte();
    void appendsMissingKeysAfterTheSectionsLastKey();
    void createsMissingSectionAtTheEnd();
    void keepsCrlfLineEndings();
    void fileWithoutFinalLineEnding();
    void firstOfTwoSectionsIsUsed();
    void valueLineBreaksDoNotBreakTheFile();
    void unchangedValueIsNotAChange();
    void missingFileReadsEmptyAndIsCreated();
    void unreadableFileIsNeverOverwritten();
    void latin1AndUtf8Values();
    void saveAfterReloadKeepsOtherProgramsChanges();
};

void TestIniFile::readsSectionAndKeysWithoutRegardToCase()
{
    IniFile ini;
    ini.setContents(kShared);
    QVERIFY(ini.hasSection("quornet"));
    QVERIFY(ini.hasSection("Quornet"));
    QVERIFY(ini.hasSection("Other Game"));
    QVERIFY(!ini.hasSection("quornet2"));
    QCOMPARE(ini.value("quornet", "Textsize"), QString("12")); // blanks around the value go
    QCOMPARE(ini.value("Quornet", "top"), QString("40"));
    QCOMPARE(ini.value("quornet", "PlaySounds"), QString("false")); // tabs too
    QCOMPARE(ini.value("lobby", "Textsize"), QString("99"));
    QCOMPARE(ini.value("other game", "TOP"), QString("7"));
    QVERIFY(!ini.contains("quornet", "Name"));
    QCOMPARE(ini.value("quornet", "Name", "none"), QString("none"));
}

void TestIniFile::commentsAndOtherSectionsAreNotOurKeys()
{
    IniFile ini;
    ini.setContents("[quornet]\n;Left=9\n#Width=9\n[x]\nLeft=5\n");
    QVERIFY(!ini.contains("quornet", "Left"));
    QVERIFY(!ini.contains("quornet", ";Left"));
    QVERIFY(!ini.contains("quornet", "Width"));
    QCOMPARE(ini.value("x", "left"), QString("5"));
    // A key line before any section belongs to no section.
    ini.setContents("Top=1\n[quornet]\n");
    QVERIFY(!ini.contains("quornet", "Top"));
}

void TestIniFile::updatesInPlaceAndKeepsEveryOtherByte()
{
    IniFile ini;
    ini.setContents(kShared);
    ini.setValue("quornet", "TextSize", "10");
    ini.setValue("quornet", "Top", "3");
    ini.setValue("quornet", "playsounds", "true");
    QVERIFY(ini.isModified());
    // The key lines keep their spelling and the blanks around "=" and after the value; every
    // other line is as it was.
    const QByteArray expected = "; Vexo42 settings, do not edit while the lobby runs\n"
                                "[lobby]\n"
                                "Name=Gustav\n"
                                "Textsize=99\n"
                                "\n"
                                "[QUORNET]\n"
                                "  textsize =  10   \n"
                                "; Top=500 is a comment, not a key\n"
                                "TOP=3\n"
                                "Playsounds\t=\ttrue\n"
                                "\n"
                                "[other game]\n"
                                "Top=7\n"
                                "  ; indented comment\n";
    QCOMPARE(ini.contents(), expected);
    QCOMPARE(ini.value("QuorNet", "textsize"), QString("10"));
}

void TestIniFile::appendsMissingKeysAfterTheSectionsLastKey()
{
    IniFile ini;
    ini.setContents(kShared);
    ini.setValue("quornet", "Width", "800");
    ini.setValue("quornet", "Height", "600");
    ini.setValue("quornet", "Top", "40"); // unchanged value, existing line
    const QByteArray expected = "; Vexo42 settings, do not edit while the lobby runs\n"
                                "[lobby]\n"
                                "Name=Gustav\n"
                                "Textsize=99\n"
                                "\n"
                                "[QUORNET]\n"
                                "  textsize =  12   \n"
                                "; Top=500 is a comment, not a key\n"
                                "TOP=40\n"
                                "Playsounds\t=\tfalse\n"
                                "Width=800\n"
                                "Height=600\n"
                                "\n"
                                "[other game]\n"
                                "Top=7\n"
                                "  ; indented comment\n";
    QCOMPARE(ini.contents(), expected);

    // A section with no key yet gets the keys right after its header.
    ini.setContents("[quornet]\n\n[next]\nA=1\n");
    ini.setValue("quornet", "Top", "3");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\nTop=3\n\n[next]\nA=1\n"));
}

void TestIniFile::createsMissingSectionAtTheEnd()
{
    IniFile ini;
    const QByteArray other = "[lobby]\nName=Gustav\n; the end\n";
    ini.setContents(other);
    ini.setValue("quornet", "Textsize", "8");
    ini.setValue("quornet", "Top", "3");
    QCOMPARE(ini.contents(), other + "[quornet]\nTextsize=8\nTop=3\n");

    IniFile empty;
    empty.setContents({});
    empty.setValue("quornet", "Top", "3");
    QCOMPARE(empty.contents(), QByteArray("[quornet]\nTop=3\n"));
}

void TestIniFile::keepsCrlfLineEndings()
{
    QByteArray crlf = kShared;
    crlf.replace("\n", "\r\n");
    IniFile ini;
    ini.setContents(crlf);
    QCOMPARE(ini.lineEnding(), QByteArray("\r\n"));
    QCOMPARE(ini.value("quornet", "top"), QString("40")); // no "\r" left in the value
    ini.setValue("quornet", "Top", "41");
    ini.setValue("quornet", "Left", "5");
    ini.setValue("newsection", "Key", "v");
    QByteArray expected = crlf;
    expected.replace("TOP=40\r\n", "TOP=41\r\n");
    expected.replace("Playsounds\t=\tfalse\r\n", "Playsounds\t=\tfalse\r\nLeft=5\r\n");
    expected += "[newsection]\r\nKey=v\r\n";
    QCOMPARE(ini.contents(), expected);
    QVERIFY(!ini.contents().replace("\r\n", "").contains('\n'));

    // A single LF line in a CRLF file keeps its own ending when updated.
    ini.setContents("[quornet]\r\nTop=1\nLeft=2\r\n");
    ini.setValue("quornet", "Top", "9");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\r\nTop=9\nLeft=2\r\n"));
}

void TestIniFile::fileWithoutFinalLineEnding()
{
    IniFile ini;
    ini.setContents("[quornet]\nTop=1");
    QCOMPARE(ini.value("quornet", "Top"), QString("1"));
    ini.setValue("quornet", "Top", "2");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\nTop=2"));
    ini.setValue("quornet", "Left", "3");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\nTop=2\nLeft=3"));
    ini.setContents("[lobby]\nA=1");
    ini.setValue("quornet", "Left", "3");
    QCOMPARE(ini.contents(), QByteArray("[lobby]\nA=1\n[quornet]\nLeft=3"));
}

void TestIniFile::firstOfTwoSectionsIsUsed()
{
    IniFile ini;
    const QByteArray text = "[Quornet]\nTop=1\n[lobby]\nA=1\n[quornet]\nTop=2\nLeft=4\n";
    ini.setContents(text);
    QCOMPARE(ini.value("quornet", "Top"), QString("1"));
    QVERIFY(!ini.contains("quornet", "Left"));
    ini.setValue("quornet", "Left", "5");
    QCOMPARE(ini.contents(),
             QByteArray("[Quornet]\nTop=1\nLeft=5\n[lobby]\nA=1\n[quornet]\nTop=2\nLeft=4\n"));
    // The first of two equal keys is read and written.
    ini.setContents("[quornet]\nTop=1\ntop=2\n");
    QCOMPARE(ini.value("quornet", "TOP"), QString("1"));
    ini.setValue("quornet", "Top", "3");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\nTop=3\ntop=2\n"));
}

void TestIniFile::valueLineBreaksDoNotBreakTheFile()
{
    IniFile ini;
    ini.setContents("[quornet]\nPhrase1=old\n[lobby]\nA=1\n");
    ini.setValue("quornet", "Phrase1", "two\nlines\r\nand\rmore");
    QCOMPARE(ini.contents(), QByteArray("[quornet]\nPhrase1=two lines and more\n[lobby]\nA=1\n"));
    ini.setValue("quornet", "Phrase2", "[lobby]\nA=2");
    QCOMPARE(ini.value("lobby", "A"), QString("1"));
    QCOMPARE(ini.value("quornet", "Phrase2"), QString("[lobby] A=2"));
}

void TestIniFile::unchangedValueIsNotAChange()
{
    IniFile ini;
    ini.setContents(kShared);
    ini.setValue("quornet", "Textsize", "12");
    ini.setValue("QUORNET", "top", "40");
    QVERIFY(!ini.isModified());
    QCOMPARE(ini.contents(), kShared);
}

void TestIniFile::missingFileReadsEmptyAndIsCreated()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("deeper/folder/vexolobby.ini");
    IniFile ini(path);
    QVERIFY(ini.load());
    QVERIFY(ini.contents().isEmpty());
    QVERIFY(!ini.hasSection("quornet"));
    QCOMPARE(ini.value("quornet", "Top", "3"), QString("3"));
    ini.setValue("quornet", "Top", "5");
    QVERIFY(ini.save());
    QCOMPARE(readFile(path), QByteArray("[quornet]\nTop=5\n"));
    QVERIFY(!ini.isModified());

    // Written files round-trip through load().
    IniFile again(path);
    QVERIFY(again.load());
    QCOMPARE(again.value("Quornet", "TOP"), QString("5"));
    QVERIFY(again.save()); // nothing changed: nothing to do, still success
    QCOMPARE(readFile(path), QByteArray("[quornet]\nTop=5\n"));
}

void TestIniFile::unreadableFileIsNeverOverwritten()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A folder where the file should be cannot be read as a file, whoever runs the test.
    const QString path = dir.filePath("vexolobby.ini");
    QVERIFY(QDir().mkpath(path));
    IniFile ini(path);
    QVERIFY(!ini.load());
    ini.setValue("quornet", "Top", "3");
    QVERIFY(!ini.save());
    QVERIFY(QFileInfo(path).isDir());

    IniFile noPath;
    noPath.setValue("quornet", "Top", "3");
    QVERIFY(!noPath.save());
}

void TestIniFile::latin1AndUtf8Values()
{
    IniFile ini;
    ini.setContents("[quornet]\nPhrase1=Gr\xC3\xBC\xC3\x9F"
                    "e\nPhrase2=Gr\xFC\xDF"
                    "e\n");
    QCOMPARE(ini.value("quornet", "Phrase1"), QString::fromUtf8("Grüße"));
    QCOMPARE(ini.value("quornet", "Phrase2"), QString::fromUtf8("Grüße"));
    // Written in Windows-1252 (an earlier build's UTF-8 value above still reads).
    ini.setValue("quornet", "Phrase3", QString::fromUtf8("¡Olé! €"));
    QVERIFY(ini.contents().endsWith("Phrase3=\xA1Ol\xE9! \x80\n"));
    QCOMPARE(ini.value("quornet", "Phrase3"), QString::fromUtf8("¡Olé! €"));
    // Untouched 8-bit bytes stay as they were.
    QVERIFY(ini.contents().contains("Phrase2=Gr\xFC\xDF"
                                    "e\n"));
}

void TestIniFile::saveAfterReloadKeepsOtherProgramsChanges()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("vexolobby.ini");
    QByteArray crlf = kShared;
    crlf.replace("\n", "\r\n");
    QVERIFY(writeFile(path, crlf));

    IniFile ini(path);
    QVERIFY(ini.load());
    QCOMPARE(ini.contents(), crlf);
    ini.setValue("quornet", "Top", "12");
    QVERIFY(ini.save());
    QByteArray expected = crlf;
    expected.replace("TOP=40\r\n", "TOP=12\r\n");
    QCOMPARE(readFile(path), expected);

    // The lobby writes its own section meanwhile; loading afresh before the next save keeps it.
    QByteArray lobbyChanged = expected;
    lobbyChanged.replace("Name=Gustav", "Name=Greta");
    QVERIFY(writeFile(path, lobbyChanged));
    QVERIFY(ini.load());
    ini.setValue("quornet", "Left", "8");
    QVERIFY(ini.save());
    QByteArray after = lobbyChanged;
    after.replace("Playsounds\t=\tfalse\r\n", "Playsounds\t=\tfalse\r\nLeft=8\r\n");
    QCOMPARE(readFile(path), after);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
