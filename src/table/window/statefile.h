// With QUORNET_STATE_FILE set, the window writes what it shows to that file after each change:
// a plain summary for process-level tests and for debugging a table from the outside.
#pragma once

#include <QByteArray>
#include <QString>

namespace quornet::table {

struct TableState;

class StateFile {
public:
    // openBox: the text of the message box on screen, empty when none is.
    void write(const TableState& s, const QString& openBox);

private:
    QByteArray m_last;
};

} // namespace quornet::table
