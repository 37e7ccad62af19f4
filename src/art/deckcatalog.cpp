#include "art/deckcatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>

namespace quornet::art
{

namespace
{

// Decks whose pictures include a red and a black joker, best first.
const char* const kPreferredDecks[] = {"svg-nicu-white", "svg-nicu-ornamental"};
// Installed decks whose rank is printed in the top right corner only.
const char* const kRankTopRightDecks[] = {"svg-oxygen", "svg-oxygen-air", "svg-oxygen-white", "svg-future"};

} // namespace

QStringList DeckCatalog::standardDataDirs()
{
    return QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
}

DeckCatalog::DeckCatalog(const QStringList& dataDirs)
{
    QSet<QString> seen;
    for (const QString& dir : dataDirs) {
        const QDir decksDir(QDir(dir).filePath(QStringLiteral("carddecks")));
        if (!decksDir.exists()) continue;
        const QStringList folders = decksDir.entryList(
            {QStringLiteral("svg-*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& folder : folders) {
            if (seen.contains(folder)) continue;
            DeckInfo info;
            if (!readDeckFolder(decksDir.filePath(folder), &info)) continue;
            seen.insert(folder);
            m_decks.append(info);
        }
    }
    std::stable_sort(m_decks.begin(), m_decks.end(), [](const DeckInfo& a, const DeckInfo& b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
}

bool DeckCatalog::readDeckFolder(const QString& folder, DeckInfo* out)
{
    QFile desktop(QDir(folder).filePath(QStringLiteral("index.desktop")));
    if (!desktop.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QString name;
    QString svg;
    QTextStream in(&desktop);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Name") && name.isEmpty())
            name = value;
        else if (key == QLatin1String("SVG") && svg.isEmpty())
            svg = value;
    }
    if (svg.isEmpty() || svg.contains(QLatin1Char('/')) || svg.contains(QLatin1Char('\\')))
        return false; // the picture file must lie in the deck's own folder
    const QFileInfo file(QDir(folder).filePath(svg));
    if (!file.isFile() || !file.isReadable()) return false;
    const QString id = QFileInfo(folder).fileName();
    out->id = id;
    out->name = name.isEmpty() ? id.mid(4) : name;
    out->svgFile = file.absoluteFilePath();
    return true;
}

const DeckInfo* DeckCatalog::find(const QString& id) const
{
    for (const DeckInfo& d : m_decks)
        if (d.id == id) return &d;
    return nullptr;
}

bool DeckCatalog::rankInLeftCorner(const QString& id)
{
    for (const char* right : kRankTopRightDecks)
        if (id == QLatin1String(right)) return false;
    return true;
}

QString DeckCatalog::defaultDeckId() const
{
    for (const char* id : kPreferredDecks)
        if (find(QString::fromLatin1(id))) return QString::fromLatin1(id);
    return m_decks.isEmpty() ? QString() : m_decks.first().id;
}

} // namespace quornet::art
