// Internal helpers of TableModel's implementation files.
#pragma once

#include "protocol/fields.h"
#include "protocol/text8bit.h"
#include "table/core/tablemodel.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcTable)

namespace quornet::table::detail {

// Reads the fields of one host message and remembers the first problem: a missing field, a
// number that is not a number, or a value outside its range.
class Args {
public:
    explicit Args(const QByteArray& args) : m_reader(args) {}

    int number(const char* what, int low, int high);
    QByteArray text() { return m_reader.text(); }
    // A text field that must be present (it may be empty only when more fields follow).
    QByteArray requiredText(const char* what);
    // The free text that ends a message, "+" included, read as wire text.
    QString restText() const { return protocol::fromWire(m_reader.rest()); }
    bool atEnd() const { return m_reader.atEnd(); }
    bool ok() const { return m_problem.isEmpty(); }
    const QByteArray& problem() const { return m_problem; }

private:
    protocol::FieldReader m_reader;
    QByteArray m_problem;
};

// Logs a dropped host message.
void dropped(const char* word, const QByteArray& args, const QByteArray& why);

inline int teamOfSeat(int seat)
{
    return (seat == 1 || seat == 3) ? 1 : (seat == 2 || seat == 4) ? 2 : 0;
}

QString kindWord(int kind);
QString bookName(int naming);

} // namespace quornet::table::detail

namespace quornet::table {

// Emits changed() once when the outermost handled message or action changed the state.
class TableModel::Changes {
public:
    explicit Changes(TableModel& model) : m_model(model)
    {
        if (m_model.m_depth++ == 0) m_model.m_touched = false;
    }
    ~Changes()
    {
        if (--m_model.m_depth == 0 && m_model.m_touched) {
            m_model.m_touched = false;
            emit m_model.changed();
        }
    }
    Changes(const Changes&) = delete;
    Changes& operator=(const Changes&) = delete;

private:
    TableModel& m_model;
};

} // namespace quornet::table
