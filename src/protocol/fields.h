// Reading a received message: the command word, then fields separated by "+".
#pragma once

#include <QByteArray>

namespace quornet::protocol {

struct Command {
    QByteArray word; // empty when the text holds no "+": such a message is dropped
    QByteArray args; // everything after the first "+"
};

// Splits at the first "+". A text without "+" gives an empty command word.
Command splitCommand(const QByteArray& text);

// Strict signed decimal integer in the 32-bit range: an optional "-" and one or more digits.
bool parseInt(const QByteArray& text, int* value);

// Takes fields one by one from a message's argument text. A field is the text before the next
// "+"; when no "+" is left the field is the whole remaining text. A numeric field that is not a
// decimal integer marks the reader as failed (integer() then returns 0): the handler checks ok()
// once after reading and drops the message.
class FieldReader {
public:
    explicit FieldReader(QByteArray args) : m_rest(std::move(args)) {}

    QByteArray text();
    int integer();
    // The free text that ends a message: everything that is left, "+" included.
    QByteArray rest() const { return m_rest; }
    bool atEnd() const { return m_rest.isEmpty(); }
    bool ok() const { return m_ok; }
    // The first field that failed to read as a number (for the log line).
    QByteArray badField() const { return m_bad; }

private:
    QByteArray m_rest;
    QByteArray m_bad;
    bool m_ok = true;
};

} // namespace quornet::protocol
