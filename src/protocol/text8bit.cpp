#include "protocol/text8bit.h"

#include "protocol/framing.h"

#include <QStringDecoder>

#include <array>

namespace quornet::protocol {

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined read as the C1 code of the same value.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    for (std::size_t i = 0; i < High.size(); ++i)
        if (High[i] == u) return char(0x80 + i);
    return '?';
}

} // namespace

QString fromCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        out += (b >= 0x80 && b <= 0x9F) ? QChar(High[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const char32_t u : text.toUcs4()) out += encodeOne(u);
    return out;
}

QByteArray toWire(const QString& text)
{
    QByteArray out = toCp1252(text);
    out.replace(Terminator, '?');
    return out;
}

QString fromFileText(const QByteArray& bytes)
{
    bool high = false;
    for (char c : bytes)
        if (uchar(c) > 0x7F) {
            high = true;
            break;
        }
    if (!high) return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return fromCp1252(bytes);
}

} // namespace quornet::protocol
