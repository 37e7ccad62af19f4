#include "protocol/fields.h"

#include <limits>

namespace quornet::protocol {

Command splitCommand(const QByteArray& text)
{
    const qsizetype plus = text.indexOf('+');
    if (plus < 0) return {};
    return {text.left(plus), text.mid(plus + 1)};
}

bool parseInt(const QByteArray& text, int* value)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == '-';
    if (negative) i = 1;
    if (i >= text.size() || text.size() - i > 11) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    *value = int(v);
    return true;
}

QByteArray FieldReader::text()
{
    const qsizetype plus = m_rest.indexOf('+');
    QByteArray field;
    if (plus < 0) {
        field = m_rest;
        m_rest.clear();
    } else {
        field = m_rest.left(plus);
        m_rest.remove(0, plus + 1);
    }
    return field;
}

int FieldReader::integer()
{
    const QByteArray field = text();
    int v = 0;
    if (!parseInt(field, &v)) {
        if (m_ok) m_bad = field;
        m_ok = false;
        return 0;
    }
    return v;
}

} // namespace quornet::protocol
