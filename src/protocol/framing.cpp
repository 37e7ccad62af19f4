#include "protocol/framing.h"

namespace quornet::protocol {

QList<QByteArray> FrameSplitter::feed(const QByteArray& bytes)
{
    QList<QByteArray> out;
    if (m_overflowed) return out;
    m_pending.append(bytes);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_pending.indexOf(Terminator, start);
        if (end < 0) break;
        out.append(m_pending.mid(start, end - start));
        start = end + 1;
    }
    if (start > 0) m_pending.remove(0, start);
    if (m_pending.size() > m_maxPending) {
        m_overflowed = true;
        m_pending.clear();
    }
    return out;
}

void FrameSplitter::clear()
{
    m_pending.clear();
    m_overflowed = false;
}

} // namespace quornet::protocol
