#include "net/discoverydatagram.h"

#include "net/ports.h"

#include <QList>
#include <QStringDecoder>

namespace quornet::net {

namespace {

const QByteArray QueryWord = "QUORNET-FIND";
const QByteArray AnswerWord = "QUORNET-TABLE";
constexpr int NonceDigits = 16;

QByteArray hex16(quint64 v) { return QByteArray::number(v, 16).rightJustified(NonceDigits, '0'); }

std::optional<quint64> readHex16(QByteArrayView field)
{
    if (field.size() != NonceDigits) return std::nullopt;
    quint64 v = 0;
    for (char c : field) {
        const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) return std::nullopt;
        v = v << 4 | quint64(d);
    }
    return v;
}

// Plain decimal digits without a leading zero (but "0" itself), at most `max`.
std::optional<uint> readDecimal(QByteArrayView field, uint max)
{
    if (field.isEmpty() || field.size() > 5 || (field.size() > 1 && field.front() == '0')) return std::nullopt;
    uint v = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + uint(c - '0');
    }
    if (v > max) return std::nullopt;
    return v;
}

bool isVersionText(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > VersionMaxBytes) return false;
    for (char c : text)
        if (c <= ' ' || c > '~') return false;
    return true;
}

// Characters a name shown in a list or a terminal must not hold: controls (escape sequences),
// invisible format characters (direction overrides) and line breaks.
bool unwanted(char32_t c)
{
    const QChar::Category k = QChar::category(c);
    return k == QChar::Other_Control || k == QChar::Other_Format || k == QChar::Separator_Line ||
           k == QChar::Separator_Paragraph || k == QChar::Other_Surrogate;
}

// The fields of a datagram: `count` words, then the rest (which may hold spaces).
QList<QByteArrayView> split(QByteArrayView datagram, int count)
{
    QList<QByteArrayView> fields;
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype space = datagram.indexOf(' ', from);
        if (space < 0) return {};
        fields << datagram.sliced(from, space - from);
        from = space + 1;
    }
    fields << datagram.sliced(from);
    return fields;
}

} // namespace

QByteArray makeQuery(quint64 nonce)
{
    const QByteArray head = QueryWord + ' ' + QByteArray::number(DiscoveryFormat) + ' ' + hex16(nonce) + ' ';
    return head.leftJustified(QueryBytes, '.');
}

std::optional<quint64> readQuery(const QByteArray& datagram)
{
    if (datagram.size() != QueryBytes) return std::nullopt;
    const QList<QByteArrayView> f = split(datagram, 3);
    if (f.size() != 4 || f[0] != QueryWord || f[1] != QByteArrayView("1")) return std::nullopt;
    for (char c : f[3])
        if (c != '.') return std::nullopt;
    return readHex16(f[2]);
}

QString cleanTableName(const QString& name)
{
    QString kept;
    int bytes = 0;
    for (char32_t c : name.trimmed().toUcs4()) {
        if (unwanted(c)) continue;
        const int size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + size > NameMaxBytes) break;
        bytes += size;
        kept += QString::fromUcs4(&c, 1);
    }
    kept = kept.trimmed();
    return kept.isEmpty() ? QStringLiteral("Quornet") : kept;
}

QByteArray makeAnswer(quint64 nonce, quint64 id, const TableInfo& t)
{
    const QByteArray version = t.version.toLatin1();
    QByteArray a = AnswerWord + ' ' + QByteArray::number(DiscoveryFormat) + ' ' + hex16(nonce) + ' ' + hex16(id) + ' ';
    a += QByteArray::number(t.port) + ' ' + QByteArray::number(qBound(0, t.seatsTaken, 4)) + ' ';
    a += QByteArray(t.gameRunning ? "1 " : "0 ") + (t.passwordNeeded ? "1 " : "0 ");
    a += (isVersionText(version) ? version : QByteArray("?")) + ' ' + cleanTableName(t.name).toUtf8();
    return a;
}

std::optional<Answer> readAnswer(const QByteArray& datagram)
{
    if (datagram.size() > AnswerMaxBytes) return std::nullopt;
    const QList<QByteArrayView> f = split(datagram, 9);
    if (f.size() != 10 || f[0] != AnswerWord || f[1] != QByteArrayView("1")) return std::nullopt;
    const auto nonce = readHex16(f[2]);
    const auto id = readHex16(f[3]);
    const auto port = readDecimal(f[4], 65535);
    const auto seats = readDecimal(f[5], 4);
    const auto game = readDecimal(f[6], 1);
    const auto password = readDecimal(f[7], 1);
    if (!nonce || !id || !port || *port == 0 || !seats || !game || !password || !isVersionText(f[8])) return std::nullopt;
    const QByteArrayView nameBytes = f[9];
    if (nameBytes.isEmpty() || nameBytes.size() > NameMaxBytes) return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(nameBytes);
    if (utf8.hasError()) return std::nullopt;
    if (name != cleanTableName(name)) return std::nullopt; // as a responder sends it

    Answer a;
    a.nonce = *nonce;
    a.id = *id;
    a.table.name = name;
    a.table.port = quint16(*port);
    a.table.seatsTaken = int(*seats);
    a.table.gameRunning = *game == 1;
    a.table.passwordNeeded = *password == 1;
    a.table.version = QString::fromLatin1(f[8]);
    return a;
}

quint16 discoveryPortFromEnvironment()
{
    bool ok = false;
    const uint port = qEnvironmentVariable("QUORNET_DISCOVERY_PORT").toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? quint16(port) : DiscoveryPort;
}

} // namespace quornet::net
