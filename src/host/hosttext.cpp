#include "host/hosttext.h"

#include "protocol/fields.h"
#include "protocol/text8bit.h"

namespace quornet::host {

QByteArray fillIn(const char* sentence, std::initializer_list<QByteArray> args)
{
    qsizetype size = qstrlen(sentence);
    for (const QByteArray& a : args) size += a.size();
    QByteArray out;
    out.reserve(size);
    for (const char* c = sentence; *c; ++c) {

        const int n = c[0] == '%' && c[1] >= '1' && c[1] <= '9' ? c[1] - '0' : 0;
        if (n > 0 && n <= int(args.size())) {
            out += *(args.begin() + (n - 1));
            ++c;
        } else {
            out += *c;
        }
    }
    return out;
}

QByteArray cleanName(const QByteArray& name)

{
    QByteArray out;
    out.reserve(qMin(name.size(), qsizetype(MaxNameLength) * 2));
    for (char c : name) {
        if (isControl(c)) continue;
        out += c;
        // Enough kept to trim and still hold MaxNameLength characters.
        if (out.size() > MaxNameLength * 2) break;
    }
    return out.trimmed().left(MaxNameLength).trimmed();
}

QByteArray cleanChat(const QByteArray& textAndColour)
{
    const qsizetype bar = textAndColour.indexOf('|');
    QByteArray text = bar < 0 ? textAndColour : textAndColour.left(bar);
    text.truncate(MaxChatLength);
    for (char& c : text)
        if (isControl(c)) c = ' ';
    if (bar < 0) return text;
    QByteArray colour = textAndColour.mid(bar + 1, MaxColourLength);
    for (char& c : colour)
        if (isControl(c)) c = ' ';
    return text + '|' + colour;
}

bool isChatterSound(const QByteArray& rest)
{
    QByteArray name = rest;
    if (name.endsWith('+')) name.chop(1);
    if (!name.toLower().startsWith("wave")) return false;
    const QByteArray number = name.mid(4);
    int n = 0;
    return !number.startsWith('-') && !number.startsWith('0') &&
           protocol::parseInt(number, &n) && n >= 1 && n <= 20;
}

QString logText(const QByteArray& text, int limit)
{
    QString out;
    for (const QChar c : protocol::fromWire(text.left(limit))) {
        if (c == QLatin1Char('\n')) out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r')) out += QLatin1String("\\r");
        else if (c == QLatin1Char('\t')) out += QLatin1String("\\t");
        else if (c == QLatin1Char('\\')) out += QLatin1String("\\\\");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else out += c;
    }
    if (text.size() > limit) out += QStringLiteral("... (%1 bytes)").arg(text.size());
    return out;
}

} // namespace quornet::host
