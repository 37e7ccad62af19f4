#include "tally/tallygrid.h"

#include "protocol/text8bit.h"

namespace quornet::tally
{

namespace
{

// A cell is one line of the layout: line breaks inside it would shift every later cell.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Tallies of earlier builds were written as UTF-8; ours in the program's 8-bit encoding.
QString decodeText(const QByteArray& bytes) { return protocol::fromFileText(bytes); }

} // namespace

TallyGrid::TallyGrid()
{
    m_rows.append(zeroRow());
}

TallyGrid::Row TallyGrid::zeroRow()
{
    Row row;
    row.fill(QStringLiteral("0"));
    return row;
}

QString TallyGrid::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return {};
    return m_rows[row][column];
}

void TallyGrid::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return;
    m_rows[row][column] = oneLine(text);
}

void TallyGrid::appendRow(const QString& name)
{
    Row row = zeroRow();
    row[0] = oneLine(name);
    m_rows.append(row);
}

void TallyGrid::removeRow(int row)
{
    if (row >= 1 && row < rowCount()) m_rows.removeAt(row);
}

void TallyGrid::clear()
{
    m_rows.clear();
    m_rows.append(zeroRow());
}

QByteArray TallyGrid::toText() const
{
    QString text;
    const QString crlf = QStringLiteral("\r\n");
    text += QString::number(ColumnCount) + crlf;
    text += QString::number(rowCount()) + crlf;
    for (int column = 0; column < ColumnCount; ++column) {
        for (const Row& row : m_rows)
            text += oneLine(row[column]) + crlf;
    }
    return protocol::toCp1252(text);
}

std::optional<TallyGrid> TallyGrid::fromText(const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<TallyGrid> {
        if (error) *error = reason;
        return std::nullopt;
    };

    const QString text = decodeText(bytes);
    // Lines end with LF (CR LF as written); a last line without its end still counts.
    qsizetype lineCount = text.count(QLatin1Char('\n'));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) ++lineCount;
    qsizetype at = 0;
    auto nextLine = [&text, &at]() {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0) end = text.size();
        QString line = text.mid(at, end - at);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        at = end + 1;
        return line;
    };

    if (lineCount < 2)
        return fail(QStringLiteral("The tally text ends before its column and row counts."));
    bool ok = false;
    const int columns = nextLine().trimmed().toInt(&ok);
    if (!ok || columns != ColumnCount)
        return fail(QStringLiteral("The tally text does not have %1 columns.").arg(ColumnCount));
    const qlonglong rows = nextLine().trimmed().toLongLong(&ok);
    if (!ok || rows < 1) return fail(QStringLiteral("The tally text has no valid row count."));
    // Checked before anything is sized by the count.
    if (rows > (lineCount - 2) / ColumnCount)
        return fail(QStringLiteral("The tally text ends before its last cell."));

    TallyGrid grid;
    grid.m_rows.resize(qsizetype(rows));
    // A carriage return left inside a line (one without its line feed) is no line break here,
    // but the grid never holds one: it is read as the blank toText() would write for it.
    for (int column = 0; column < ColumnCount; ++column) {
        for (qsizetype row = 0; row < rows; ++row)
            grid.m_rows[row][column] = oneLine(nextLine());
    }
    return grid;
}

} // namespace quornet::tally
