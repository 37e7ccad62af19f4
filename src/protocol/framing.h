// Wire framing shared by host and table window.
//
// A message is 8-bit text: a command word "CMD_name", then each field preceded by "+", for some
// messages a trailing "+", and one terminator byte 0xFF. There is no length prefix, no escaping
// and no checksum. Fields other than a last free-text field never contain "+"; nothing contains
// 0xFF (text travels as Windows-1252, whose "ÿ" is written as "?": protocol/text8bit.h).
//
// Received bytes are split at 0xFF into messages. A read that ends inside a message keeps its
// tail and puts it in front of the next read, so messages split across TCP segments arrive whole.
#pragma once

#include <QByteArray>
#include <QList>

namespace quornet::protocol {

constexpr char Terminator = char(0xFF);

class FrameSplitter {
public:
    // A peer that sends this many bytes without a terminator is misbehaving.
    static constexpr qsizetype DefaultMaxPending = 64 * 1024;

    explicit FrameSplitter(qsizetype maxPending = DefaultMaxPending) : m_maxPending(maxPending) {}

    // Appends received bytes and returns the messages they complete, in arrival order, without
    // their terminators. Two consecutive terminators yield an empty message.
    QList<QByteArray> feed(const QByteArray& bytes);

    // True once the unterminated tail has grown beyond the limit; the connection should be closed.
    bool overflowed() const { return m_overflowed; }
    qsizetype pendingBytes() const { return m_pending.size(); }
    void clear();

private:
    QByteArray m_pending;
    qsizetype m_maxPending;
    bool m_overflowed = false;
};

} // namespace quornet::protocol
