// The libraries of src/ include one way. The layer order lives in README.md's Layout table (top
// layer first, the folders of each layer backticked in its second column); this test reads it
// and every #include "..." of src/, and names the file and line of each include that reaches a
// layer above its own or another library of its own layer, and of each file in no layer.
#include "support/files.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

namespace {

using quornet::testing::readText;
using quornet::testing::writeFile;

struct Layer {
    QString name;
    int level = 0; // 0 is the bottom
};

struct Layers {
    QHash<QString, Layer> byFolder; // "table/core" -> its layer
    QString error;
};

// The rows of the first table after the Layout heading: "| name | `folder`, `folder` | ... |".
Layers readLayers(const QString& readmePath)
{
    Layers layers;
    const QStringList lines = readText(readmePath).split(QLatin1Char('\n'));
    const qsizetype heading = lines.indexOf(QStringLiteral("## Layout"));
    QList<QStringList> rows;
    for (qsizetype i = heading + 1; heading >= 0 && i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1String("## "))) break;
        if (!line.startsWith(QLatin1Char('|'))) {
            if (!rows.isEmpty()) break; // the table has ended
            continue;
        }
        const QStringList cells = line.split(QLatin1Char('|'));
        if (cells.size() < 4 || cells[1].trimmed().startsWith(QLatin1String("---"))) continue;
        rows.append({cells[1].trimmed(), cells[2]});
    }
    if (!rows.isEmpty()) rows.removeFirst(); // the heading row
    static const QRegularExpression folder(QStringLiteral("`([^`]+)`"));
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (const QRegularExpressionMatch& m : folder.globalMatch(rows[i][1]))
            layers.byFolder.insert(m.captured(1), Layer{rows[i][0], int(rows.size() - 1 - i)});
    if (layers.byFolder.isEmpty()) layers.error = readmePath + QStringLiteral(": no layer table under \"## Layout\"");
    return layers;
}

// The listed folder a path below src/ lies in (the longest that fits), empty when none does.
QString folderOf(const QString& path, const Layers& layers)
{
    QString best;
    for (auto it = layers.byFolder.cbegin(); it != layers.byFolder.cend(); ++it)
        if (path.startsWith(it.key() + QLatin1Char('/')) && it.key().size() > best.size()) best = it.key();
    return best;
}

// Every include of root/src that runs against the layers of root/README.md, as
// "src/<file>:<line>: <why>", in file order.
QStringList layerViolations(const QString& root)
{
    const Layers layers = readLayers(root + QStringLiteral("/README.md"));
    if (!layers.error.isEmpty()) return {layers.error};
    const QDir src(root + QStringLiteral("/src"));
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    QStringList out;
    QStringList files;
    for (QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << src.relativeFilePath(it.next());
    files.sort();
    for (const QString& file : files) {
        const QString own = folderOf(file, layers);
        if (own.isEmpty()) {
            out << QStringLiteral("src/%1: in no layer of README.md's Layout").arg(file);
            continue;
        }
        const Layer ownLayer = layers.byFolder.value(own);
        const QStringList lines = readText(src.filePath(file)).split(QLatin1Char('\n'));
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QString target = include.match(lines[n]).captured(1);
            if (!target.contains(QLatin1Char('/'))) continue; // beside the file: its own library
            const QString folder = folderOf(target, layers);
            const QString where = QStringLiteral("src/%1:%2: %3 (%4) includes %5").arg(file).arg(n + 1).arg(own, ownLayer.name, target);
            if (folder.isEmpty()) {
                // Not ours (a generated or outside header) unless it is a file of src/.
                if (QFileInfo::exists(src.filePath(target))) out << where + QStringLiteral(", which is in no layer");
                continue;
            }
            if (folder == own) continue;
            const Layer theirs = layers.byFolder.value(folder);
            if (theirs.level > ownLayer.level)
                out << where + QStringLiteral(" of %1 (%2), a layer above it").arg(folder, theirs.name);
            else if (theirs.level == ownLayer.level)
                out << where + QStringLiteral(" of %1, another library of its own layer").arg(folder);
        }
    }
    return out;
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void sourceIncludesRunOneWay()
    {
        const QStringList found = layerViolations(QStringLiteral(QUORNET_SOURCE_DIR));
        QVERIFY2(found.isEmpty(), qPrintable(QLatin1Char('\n') + found.join(QLatin1Char('\n'))));
    }

    // The check itself, on a small tree: every kind of wrong include is named with its line, and
    // a README without the table fails rather than passing.
    void namesEveryIncludeThatRunsBackUp()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root.filePath("README.md"), "# X\n\n## Layout\n\nText.\n\n| layer | folders | what |\n| --- | --- | --- |\n"
                                          "| top | `top` | t |\n| middle | `mid/a`, `mid/b` | m |\n| bottom | `low` | l |\n\n"
                                          "## Next\n| not | `top` | read |\n"));
        QVERIFY(writeFile(root.filePath("src/low/low.h"), "#pragma once\n#include \"mid/a/x.h\"\n#include <QString>\n"));
        QVERIFY(writeFile(root.filePath("src/mid/a/x.h"), "#include \"low/low.h\"\n#include \"x_p.h\"\n  #  include \"mid/b/y.h\"\n"));
        QVERIFY(writeFile(root.filePath("src/mid/b/y.cpp"), "#include \"mid/b/y.h\"\n#include \"top/t.h\"\n"));
        QVERIFY(writeFile(root.filePath("src/top/t.h"), "#include \"mid/a/x.h\"\n#include \"low/low.h\"\n#include \"gen/ui_t.h\"\n"
                                            "#include \"stray/s.h\"\n"));
        QVERIFY(writeFile(root.filePath("src/stray/s.h"), "#pragma once\n"));
        const QStringList expected = {
            "src/low/low.h:2: low (bottom) includes mid/a/x.h of mid/a (middle), a layer above it",
            "src/mid/a/x.h:3: mid/a (middle) includes mid/b/y.h of mid/b, another library of its own layer",
            "src/mid/b/y.cpp:2: mid/b (middle) includes top/t.h of top (top), a layer above it",
            "src/stray/s.h: in no layer of README.md's Layout",
            "src/top/t.h:4: top (top) includes stray/s.h, which is in no layer",
        };
        QCOMPARE(layerViolations(root.path()), expected);

        QVERIFY(writeFile(root.filePath("README.md"), "# X\n\n## Layout\n\nNo table.\n"));
        QCOMPARE(layerViolations(root.path()), QStringList{root.filePath("README.md") + ": no layer table under \"## Layout\""});
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
