// quornet-sim as a process, the arena's smoke test: a fixed seed gives the same results for any
// number of threads, every game ends, and the JSON names the levels (the oracle among them) and
// their think times.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace
{
QJsonObject run(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(QUORNET_SIM), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) qFatal("quornet-sim failed: %s", p.readAllStandardError().constData());
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}
} // namespace

class TestSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void resultsDoNotDependOnTheThreads_data()
    {
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("expert-strong") << QStringList{"expert", "strong"};
        QTest::newRow("classic-oracle") << QStringList{"classic", "oracle"};
    }

    void resultsDoNotDependOnTheThreads()
    {
        QFETCH(QStringList, levels);
        const QStringList common = {"--levels", levels.join(','), "--games", "3", "--length", "r", "--seed", "9", "--json"};
        QJsonObject one = run(common + QStringList{"--jobs", "1"});
        QJsonObject three = run(common + QStringList{"--jobs", "3"});
        QCOMPARE(one.value("levels").toVariant().toStringList(), levels);
        for (const QString& level : levels) {
            QVERIFY(one.value("think_ms_mean").toObject().contains(level));
            QVERIFY(one.value("think_ms_max").toObject().value(level).toDouble() > 0);
        }
        // Everything but the times and the thread count.
        for (QJsonObject* o : {&one, &three})
            for (const char* key : {"seconds", "games_per_second", "peak_memory_kib", "think_ms_mean", "think_ms_max", "jobs"})
                o->remove(QLatin1String(key));
        QCOMPARE(three, one);
        QCOMPARE(one.value("games").toInt(), 3);
        QCOMPARE(one.value("wins_team1").toInt() + one.value("wins_team2").toInt() + one.value("ties").toInt(), 3);
        QCOMPARE(one.value("unfinished").toInt(), 0);
        QVERIFY(one.value("turns").toInt() > 3 * 8);
    }

    void refusesAnUnknownLevel()
    {
        QProcess p;
        p.start(QStringLiteral(QUORNET_SIM), {"--levels", "strong,grandmaster"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("--levels"));
    }
};

QTEST_APPLESS_MAIN(TestSimProcess)
#include "test_sim_process.moc"
