#include "app/translation.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace quornet;

namespace {

constexpr int ToolTimeoutMs = 60'000;

// "context|source" of every message of a translation file.
QSet<QString> messages(const QByteArray& ts)
{
    QSet<QString> out;
    QXmlStreamReader xml(ts);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;

        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        else if (xml.name() == QLatin1String("source")) out.insert(context + QLatin1Char('|') + xml.readElementText());
    }
    return out;
}

QString run(const QString& tool, const QStringList& arguments, const QString& folder = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(tool, arguments);
    if (!p.waitForFinished(ToolTimeoutMs)) return tool + QStringLiteral(" did not finish");
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return {};
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // Every sentence the sources give to tr() or mark for translation is in the committed
    // template, and the template holds nothing else; the whole sentences stay whole in it.
    void templateHoldsEverySentence()
    {
        QTemporaryDir tmp;
        const QString fresh = tmp.filePath(QStringLiteral("fresh.ts"));
        QStringList arguments = QStringLiteral(QUORNET_LUPDATE_OPTIONS).split(QLatin1Char('|'));
        arguments << QStringLiteral(QUORNET_TRANSLATED_FOLDERS).split(QLatin1Char('|'));
        arguments << QStringLiteral("-ts") << fresh;
        const QString error = run(QStringLiteral(QUORNET_LUPDATE), arguments, QStringLiteral(QUORNET_SOURCE_DIR));
        QVERIFY2(error.isEmpty(), qPrintable(error));

        const QSet<QString> now = messages(testing::readFile(fresh));
        const QSet<QString> committed = messages(testing::readFile(QStringLiteral(QUORNET_TRANSLATION_TEMPLATE)));
        QVERIFY(now.size() > 300);
        const QStringList missing = (now - committed).values();
        const QStringList gone = (committed - now).values();
        QVERIFY2(missing.isEmpty() && gone.isEmpty(),
                 qPrintable(QStringLiteral("the template is out of date (cmake --build build --target "
                                           "quornet_translations_template); missing: %1; no longer used: %2")
                                .arg(missing.join(QStringLiteral("; ")), gone.join(QStringLiteral("; ")))));
        for (const char* sentence :
             {"quornet::table::TableModel|%1 is Connected.", "quornet::table::TableModel|%1 is just watching",
              "quornet::table::TableModel|%1 lost the connection; the seat is kept for %1 for %2.",
              "KeptGames|A game is in progress. Keep it to finish later?",
              "quornet::windows::Ttallylist|This will delete %1's Tally, Are you want to delete it?",
              "Hint|Hint: lay %1 on your completed %2", "HostText|%1 chats: %2",
              "HostText|%1 has made no move for %2 seconds and is set to just watching; the computer plays "
              "until %1 is back."})
            QVERIFY2(committed.contains(QString::fromUtf8(sentence)), sentence);
    }

    // A translation for the system's language is found in the folders, the nearest language
    // first; without one the texts stay as they are.
    void loadsTheTranslationOfTheLanguage()
    {
        QTemporaryDir tmp;
        const QByteArray ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\" language=\"fr\">"
                              "<context><name>quornet::table::TableModel</name><message><source>%1 is Connected.</source>"
                              "<translation>%1 est connecté.</translation></message></context></TS>";
        QVERIFY(testing::writeFile(tmp.filePath(QStringLiteral("quornet_fr.ts")), ts));
        const QString qm = tmp.filePath(QStringLiteral("quornet_fr.qm"));
        const QString error = run(QStringLiteral(QUORNET_LRELEASE),
                                  {QStringLiteral("-silent"), tmp.filePath(QStringLiteral("quornet_fr.ts")),
                                   QStringLiteral("-qm"), qm});
        QVERIFY2(error.isEmpty(), qPrintable(error));

        const QStringList folders{tmp.filePath(QStringLiteral("absent")), tmp.path()};
        QCOMPARE(app::installTranslation(QLocale(QStringLiteral("de_DE")), folders), QString());
        QCOMPARE(QCoreApplication::translate("quornet::table::TableModel", "%1 is Connected.").arg(QStringLiteral("Bob")),
                 QStringLiteral("Bob is Connected."));
        QCOMPARE(app::installTranslation(QLocale(QStringLiteral("fr_CA")), folders), qm);
        QCOMPARE(QCoreApplication::translate("quornet::table::TableModel", "%1 is Connected.").arg(QStringLiteral("Bob")),
                 QStringLiteral("Bob est connecté."));
        QVERIFY(app::translationFolders().contains(QStringLiteral(":/translations")));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
