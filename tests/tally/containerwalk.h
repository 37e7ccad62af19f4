// Test helpers: read a container's blocks without the codec, and build containers by hand.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QtEndian>

namespace tallytest
{

struct Container {
    QByteArray identifier;
    qint32 size = 0;
    QList<QByteArray> blocks; // block data, without the length
    bool complete = false;    // every block was whole and nothing followed
};

inline Container walk(const QByteArray& file)
{
    Container c;
    if (file.size() < 8) return c;
    c.identifier = file.left(4);
    c.size = qFromLittleEndian<qint32>(file.constData() + 4);
    qsizetype at = 8;
    while (at + 2 <= file.size()) {
        const quint16 length = qFromLittleEndian<quint16>(file.constData() + at);
        at += 2;
        if (at + length > file.size()) return c;
        c.blocks.append(file.mid(at, length));
        at += length;
    }
    c.complete = at == file.size();
    return c;
}

inline QByteArray le32(qint32 value)
{
    QByteArray b(4, '\0');
    qToLittleEndian(value, b.data());
    return b;
}

// A container with the given size field and raw block data.
inline QByteArray build(qint32 size, const QList<QByteArray>& blocks)
{
    QByteArray file = QByteArray("WRZL") + le32(size);
    for (const QByteArray& block : blocks) {
        QByteArray length(2, '\0');
        qToLittleEndian(quint16(block.size()), length.data());
        file += length + block;
    }
    return file;
}

inline QByteArray randomBytes(qsizetype n, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(n, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

} // namespace tallytest
