// Fuzz target: what arrives from outside before any login. Every input is read as
//   - a discovery datagram reaching a responder (readQuery): one taken is exactly the query the
//     finder makes for its nonce, and the biggest answer to it is no bigger than it;
//   - a discovery datagram reaching a finder (readAnswer): one taken has every field in range
//     and is exactly the answer a responder makes for those fields;
//   - a link pasted into the join field or handed over by the desktop (parseInviteLink, the
//     bytes as UTF-8 and as Latin-1): one taken has an address and a port, and its link written
//     again reads back as itself; one refused says why.
// And whatever name and version a host is given, its answer is one a finder takes.
#include "fuzzsupport.h"

#include "net/discoverydatagram.h"
#include "net/invitelink.h"

#include <cstdint>

using namespace quornet;

namespace
{

void query(const QByteArray& bytes)
{
    const std::optional<quint64> nonce = net::readQuery(bytes);
    if (!nonce) return;
    FUZZ_CHECK(net::makeQuery(*nonce) == bytes);
    const net::TableInfo widest{QString(200, QLatin1Char('x')), 65535, 4, true, true, QString(net::VersionMaxBytes, QLatin1Char('v'))};
    FUZZ_CHECK(net::makeAnswer(*nonce, ~quint64(0), widest).size() <= bytes.size());
}

void answer(const QByteArray& bytes)
{
    const std::optional<net::Answer> a = net::readAnswer(bytes);
    if (!a) return;
    const net::TableInfo& t = a->table;
    FUZZ_CHECK(t.port >= 1 && t.seatsTaken >= 0 && t.seatsTaken <= 4);
    FUZZ_CHECK(!t.name.isEmpty() && t.name.toUtf8().size() <= net::NameMaxBytes, t.name.toUtf8());
    FUZZ_CHECK(net::makeAnswer(a->nonce, a->id, t) == bytes, bytes);
}

void hostTold(const QByteArray& bytes)
{
    const net::TableInfo told{QString::fromUtf8(bytes), 1, 9, true, false, QString::fromLatin1(bytes.left(20))};
    const QByteArray sent = net::makeAnswer(7, 9, told);
    const std::optional<net::Answer> a = net::readAnswer(sent);
    FUZZ_CHECK(a.has_value(), sent);
    FUZZ_CHECK(a->table.name == net::cleanTableName(told.name) && a->table.seatsTaken == 4, sent);
}

void link(const QString& text)
{
    const net::LinkParse p = net::parseInviteLink(text);
    if (!p.ok) {
        FUZZ_CHECK(!p.error.isEmpty());
        return;
    }
    FUZZ_CHECK(!p.link.host.isEmpty() && p.link.port >= 1, text.toUtf8());
    const QString written = net::formatInviteLink(p.link);
    const net::LinkParse again = net::parseInviteLink(written);
    FUZZ_CHECK(again.ok && again.link == p.link, written.toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    query(bytes);
    answer(bytes);
    hostTold(bytes);
    link(QString::fromUtf8(bytes));
    link(QString::fromLatin1(bytes));
    return 0;
}
