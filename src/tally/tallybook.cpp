#include "tally/tallybook.h"

#include "platform/folders.h"
#include "tally/lzrw1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quornet::tally
{

namespace
{

constexpr int SessionFirst = 5;
constexpr int LastColumn = TallyGrid::ColumnCount - 1;

} // namespace

TallyBook::TallyBook(const QString& folder) : m_folder(folder) {}

QString TallyBook::defaultFolder()
{
    return folderFor(QCoreApplication::applicationDirPath());
}

QString TallyBook::folderFor(const QString& programFolder)
{
    return platform::besideProgramOr(programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString TallyBook::filePath() const
{
    return QDir(m_folder).filePath(FileName);
}

QStringList TallyBook::tallied() const
{
    QStringList names;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        names.append(m_grid.cell(row, 0));
    return names;
}

int TallyBook::indexOf(const QString& name) const
{
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        if (m_grid.cell(row, 0) == name) return row - 1;
    }
    return -1;
}

QString TallyBook::playerCount(int index, int column) const
{
    if (index < 0 || column < 1 || column > LastColumn) return {};
    return m_grid.cell(index + 1, column);
}

bool TallyBook::startTallying(const QString& name)
{
    if (name.isEmpty() || isTallied(name)) return false;
    m_grid.appendRow(name);
    return true;
}

bool TallyBook::stopTallying(int index)
{
    if (index < 0 || index + 1 >= m_grid.rowCount()) return false;
    m_grid.removeRow(index + 1);
    return true;
}

void TallyBook::reset()
{
    m_grid.clear();
}

QStringList TallyBook::playersAtTable(const QStringList& seatNames, int ownSeat)
{
    QStringList names;
    for (int seat = 1; seat <= 4 && seat <= seatNames.size(); ++seat) {
        const QString& name = seatNames[seat - 1];
        if (seat == ownSeat || name == WaitingName || name.isEmpty()) continue;
        names.append(name);
    }
    return names;
}

bool TallyBook::occursIn(const QString& name, const QString& winners)
{
    return !name.isEmpty() && winners.contains(name, Qt::CaseSensitive);
}

void TallyBook::increment(int row, int column)
{
    bool ok = false;
    const qlonglong value = m_grid.cell(row, column).toLongLong(&ok);
    m_grid.setCell(row, column, QString::number((ok && value > 0 ? value : 0) + 1));
}

bool TallyBook::addgame(const QString& winners, const QStringList& playersAtTable)
{
    if (winners == NoWinner) return false;
    increment(0, 1);
    const bool meWon = occursIn(m_localPlayer, winners);
    if (meWon) increment(0, 2);
    for (const QString& name : playersAtTable) {
        const int index = indexOf(name);
        if (index < 0) continue;
        const int row = index + 1;
        for (int column = 1; column <= LastColumn; ++column) {
            if (m_grid.cell(row, column).isEmpty())
                m_grid.setCell(row, column, QStringLiteral("0"));
        }
        increment(row, 1);
        increment(row, 5);
        const bool heWon = occursIn(name, winners);
        if (heWon && meWon) {
            increment(row, 4);
            increment(row, 8);
        } else if (heWon) {
            increment(row, 2);
            increment(row, 6);
        } else if (meWon) {
            increment(row, 3);
            increment(row, 7);
        }
    }
    return true;
}

bool TallyBook::validCount(const QString& text)
{
    if (text.isEmpty()) return true; // counted as 0
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok && value >= 0;
}

QString TallyBook::readFile(TallyGrid& grid) const
{
    const QString path = filePath();
    const Lzrw1::Result file = Lzrw1::decompressFile(path, MaxTextSize);
    if (!file.ok()) return file.error;
    QString reason;
    std::optional<TallyGrid> read = TallyGrid::fromText(file.data, &reason);
    if (!read) return QCoreApplication::translate("Tally", "%1 : %2").arg(path, reason);
    for (int row = 0; row < read->rowCount(); ++row) {
        const int last = row == 0 ? 2 : LastColumn;
        for (int column = 1; column <= last; ++column) {
            const QString cell = read->cell(row, column);
            if (!validCount(cell))
                return QCoreApplication::translate(
                    "Tally", "%1 : the tally holds \"%2\" where a count belongs.").arg(path, cell);
            if (cell.isEmpty()) read->setCell(row, column, QStringLiteral("0"));
        }
    }
    grid = *read;
    return {};
}

QString TallyBook::load()
{
    m_grid.clear();
    m_unreadable = false;
    if (!QFileInfo::exists(filePath())) return {};
    TallyGrid grid;
    const QString error = readFile(grid);
    if (!error.isEmpty()) {
        m_unreadable = true;
        return QCoreApplication::translate(
            "Tally", "%1\n\nThe tally starts empty. The unreadable file is kept as \"%2\" beside the new tally.")
            .arg(error, FileName + BadSuffix);
    }
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (int column = SessionFirst; column <= LastColumn; ++column)
            grid.setCell(row, column, QStringLiteral("0"));
    }
    m_grid = grid;
    return {};
}

QString TallyBook::save()
{
    if (!QDir().mkpath(m_folder)) return Lzrw1::openOutputText(filePath());
    const QString path = filePath();
    if (m_unreadable && QFileInfo::exists(path)) {
        const QString bad = badFilePath();
        if (QFileInfo::exists(bad)) QFile::remove(bad);
        if (!QFile::rename(path, bad) && !QFile::copy(path, bad))
            return QCoreApplication::translate("Tally", "The unreadable tally file %1 could not be kept as %2; it is"
                                                          " left as it is and the tally is not saved.")
                .arg(path, bad);
    }
    m_unreadable = false;
    return Lzrw1::compressToFile(m_grid.toText(), path);
}

} // namespace quornet::tally
