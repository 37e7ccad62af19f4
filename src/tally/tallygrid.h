// The tally grid: text cells in 9 columns, row 0 the local player's own tally, every further
// row one tallied player (see TallyBook for what the columns mean).
//
// Text layout (the tally file's content once decompressed): lines ended by CR LF; the column
// count, the row count, then every cell column by column (all rows of column 0 from row 0 down,
// then column 1, ... column 8). Text is written as UTF-8; a text that is not valid UTF-8 (one
// written in a Windows code page) is read as Latin-1.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace quornet::tally
{

class TallyGrid
{
public:
    static constexpr int ColumnCount = 9;
    using Row = std::array<QString, ColumnCount>;

    // One row, every cell "0".
    TallyGrid();

    int rowCount() const { return int(m_rows.size()); }
    // Empty text for a cell outside the grid.
    QString cell(int row, int column) const;
    // Ignored for a cell outside the grid.
    void setCell(int row, int column, const QString& text);

    // Appends a row with name in column 0 and "0" in columns 1..8.
    void appendRow(const QString& name);
    // Removes row (1 or more); every later row moves up by one.
    void removeRow(int row);
    // Back to the single row 0, every cell "0".
    void clear();

    QByteArray toText() const;
    // nullopt, with a reason in *error, for a text that is not a grid of 9 columns and at least
    // one row with all its cells present. Nothing is allocated beyond what the text holds.
    static std::optional<TallyGrid> fromText(const QByteArray& text, QString* error = nullptr);

    bool operator==(const TallyGrid& other) const { return m_rows == other.m_rows; }

private:
    static Row zeroRow();
    QList<Row> m_rows;
};

} // namespace quornet::tally
