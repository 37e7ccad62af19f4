// quornet-fuzz-seeds FOLDER: writes the seed corpora of the fuzz targets into FOLDER/<target>/
// (the committed fuzz/corpus was made with it). Everything is deterministic: real messages of
// the catalogue, a game played by the rules engine in memory, tally files made by the codec and
// settings files as other programs leave them.
#include "host/engine.h"
#include "host/outbox.h"
#include "host/random.h"
#include "net/discoverydatagram.h"
#include "net/invitelink.h"
#include "protocol/framing.h"
#include "protocol/messages.h"
#include "tally/lzrw1.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <map>

using namespace quornet;
namespace msg = protocol::msg;
using tally::Lzrw1;

namespace
{

QString g_root;
int g_written = 0;

void write(const char* target, const QString& name, const QByteArray& bytes)
{
    const QString dir = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    ++g_written;
}

// The host target's chunk format (see fuzz_host.cpp).
class HostInput
{
public:
    explicit HostInput(quint8 first) { m_b.append(char(first)); }
    HostInput& bytes(int p, const QByteArray& data)
    {
        for (qsizetype at = 0; at < data.size() || (at == 0 && data.isEmpty()); at += 255) {
            const QByteArray part = data.mid(at, 255);
            m_b.append(char(p - 1)).append(char(part.size())).append(part);
            if (data.isEmpty()) break;
        }
        return *this;
    }
    HostInput& dispatch(int n = 256) { return op(9, n - 1); }
    HostInput& fire(int n = 256) { return op(10, n - 1); }
    HostInput& start(int options) { return op(11, options); }
    HostInput& close(int p) { return op(12, p - 1); }
    HostInput& accept(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            m_b.append(char(13));
        return *this;
    }
    HostInput& login(int p, bool wrong = false) { return op(14, (p - 1) | (wrong ? 0x80 : 0)); }
    HostInput& flood(int p) { return op(15, p - 1); }
    HostInput& rejoin(int p, int seat) { return op(16, (p - 1) | ((seat - 1) << 4)); }
    HostInput& foreignKey(int p, bool malformed = false) { return op(17, (p - 1) | (malformed ? 0x80 : 0)); }
    HostInput& pong(int p) { return op(18, p - 1); }
    HostInput& advance(int halfSeconds) { return op(19, halfSeconds); }
    HostInput& password(int p, bool right) { return op(20, (p - 1) | (right ? 0x80 : 0)); }
    QByteArray data() const { return m_b; }

private:
    HostInput& op(int selector, int value)
    {
        m_b.append(char(selector)).append(char(value));
        return *this;
    }
    QByteArray m_b;
};

QByteArray login(int p, const QByteArray& name)
{
    return msg::loginInfo(p, protocol::VersionText, name);
}

void hostSeeds()
{
    int n = 0;
    const auto put = [&n](const HostInput& in) {
        write("host", QStringLiteral("seed-%1").arg(++n, 2, 10, QLatin1Char('0')), in.data());
    };
    // Start a game of each length and let the computer players play a while.
    for (int o : {0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x68})
        put(HostInput(quint8(o * 3 + 1)).start(o).fire().fire().dispatch());
    // Logins over the wire, a chat, a start by participant 1, turns of seat 1.
    put(HostInput(7)
            .accept(3)
            .bytes(1, login(1, "Ann"))
            .bytes(2, login(2, "Bob"))
            .bytes(3, login(3, "Cy"))
            .dispatch()
            .bytes(2, msg::chat(2, "hello|clBlack"))
            .bytes(3, msg::action(3, "waves|$000000FF"))
            .bytes(1, msg::playASound(1, 4))
            .dispatch()
            .bytes(1, msg::startGame("Ann", "r", false, true, 1))
            .dispatch()
            .bytes(1, msg::drawing(1, 1) + msg::createBook(1, 0, 1, 2) + msg::addToBook(1, 3, 1) +
                          msg::addToComp(1, 4, 1) + msg::discard(1, 5))
            .dispatch()
            .fire()
            .dispatch());
    // Nine participants and one refused, spectators, just-watch, a kick.
    put(HostInput(9)
            .accept(10)
            .login(1)
            .login(2)
            .login(5)
            .login(9, true)
            .bytes(1, msg::startGame("P1", "3", false, false, 3))
            .dispatch()
            .bytes(2, msg::justWatch(2, 1))
            .bytes(1, msg::justWatch(3, 1))
            .dispatch()
            .fire()
            .bytes(1, msg::kickHim(1, 5))
            .dispatch()
            .accept()
            .login(5)
            .fire()
            .dispatch());
    // Keys: a one-sided drop mid-turn (a new connection with seat 2's key), a drop the host sees
    // and a return, stale and foreign keys, heartbeats and silent links, a hold that lapses.
    put(HostInput(0x80 | 13)
            .accept(3)
            .login(1)
            .login(2)
            .start(0x01)
            .bytes(1, msg::drawing(1, 1) + msg::discard(1, 0))
            .dispatch()
            .bytes(2, msg::drawing(2, 1))
            .dispatch()
            .rejoin(3, 2)
            .dispatch()
            .close(2)
            .accept()
            .rejoin(3, 2)
            .foreignKey(4)
            .foreignKey(5, true)
            .advance(30)
            .pong(1)
            .advance(100)
            .pong(2)
            .advance(255)
            .advance(255)
            .rejoin(4, 2)
            .fire()
            .dispatch());
    // A private table: silence, a guess, the password, then a login; a raw login without it.
    put(HostInput(0x40 | 5)
            .accept(3)
            .password(1, false)
            .password(2, true)
            .login(2)
            .login(3)
            .accept()
            .password(1, true)
            .login(1)
            .start(0x00)
            .advance(40)
            .fire()
            .dispatch());
    // Spoofed numbers: a participant speaking for another seat, kicking, starting.
    put(HostInput(11)
            .accept(4)
            .login(1)
            .login(2)
            .login(3)
            .start(0)
            .bytes(2, msg::drawing(1, 1) + msg::discard(3, 0) + msg::chat(1, "I am Ann|clRed") +
                          login(1, "Mallory") + msg::kickHim(1, 1) +
                          msg::startGame("Bob", "r", true, true, 7) + msg::justWatch(1, 1))
            .dispatch()
            .fire()
            .dispatch());
    // Malformed fields, split messages, empty messages, a flood without terminator.
    QByteArray odd = "CMD_drawing+x+1\xff"
                     "CMD_createbook+1+99+-4+2147483648\xff\xff\xff"
                     "CMD_discard+1\xff"
                     "CMD_addtobook+1+0+-1\xff"
                     "CMD_addtocomp+1+0+31\xff"
                     "CMD_startgame\xff"
                     "CMD_logininfo+1\xff"
                     "CMD_kickhim+1+11\xff"
                     "CMD_justwatch+12+1\xff"
                     "garbage\xff"
                     "+\xff"
                     "CMD_chat+1+\xff";
    put(HostInput(13)
            .accept(2)
            .login(1)
            .login(2)
            .start(0x10)
            .bytes(1, odd)
            .dispatch()
            .fire()
            .bytes(2, odd)
            .dispatch());
    const QByteArray whole = msg::chat(2, "split across reads|clBlue");
    put(HostInput(15)
            .accept(2)
            .login(1)
            .login(2)
            .bytes(2, whole.left(7))
            .dispatch()
            .bytes(2, whole.mid(7, 9))
            .bytes(2, whole.mid(16))
            .dispatch()
            .flood(2)
            .accept()
            .login(2)
            .dispatch());
    // Departures in the middle of a game and numbers coming back.
    put(HostInput(0x80 | 17)
            .accept(4)
            .login(1)
            .login(2)
            .login(3)
            .login(4)
            .start(0x01)
            .fire(40)
            .close(1)
            .close(3)
            .fire()
            .accept()
            .login(1)
            .dispatch()
            .start(0x02)
            .close(2)
            .fire()
            .accept(2)
            .fire()
            .dispatch());
    put(HostInput(19)
            .accept(2)
            .login(1)
            .login(2)
            .start(0x04)
            .fire(30)
            .close(2)
            .close(1)
            .fire()
            .accept()
            .login(1)
            .start(0x00)
            .fire()
            .fire());
    // Queue floods: hundreds of empty messages from one connection.
    put(HostInput(21)
            .accept(2)
            .login(1)
            .login(2)
            .bytes(2, QByteArray(255, char(0xFF)))
            .bytes(2, QByteArray(255, char(0xFF)))
            .bytes(2, QByteArray(255, char(0xFF)))
            .bytes(2, QByteArray(255, char(0xFF)))
            .dispatch());
    // Every request of seat 1 in its turn, with a range of slots.
    for (int s = 0; s < 6; ++s) {
        HostInput in(quint8(23 + s));
        in.accept().login(1).start(s % 2 ? 0x00 : 0x08);
        for (int k = 0; k < 4; ++k) {
            in.bytes(1, msg::drawing(1, 1 + (s + k) % 2))
                .dispatch(4)
                .bytes(1, msg::createBook(1, k, k + 1, k + 2) +
                              msg::addToBook(1, k + 3, 1 + k % 3) + msg::addToComp(1, k, 1) +
                              msg::discard(1, (s * 3 + k) % 21))
                .dispatch()
                .fire(60);
        }
        put(in);
    }
}

class Recorder : public host::Outbox
{
public:
    void send(int participant, const QByteArray& message) override { to[participant] += message; }
    void disconnect(int) override {}
    void botTimerChanged(bool on, int) override { armed = on; }
    std::map<int, QByteArray> to;
    bool armed = false;
};

// The messages a host sends to participant 1 (seat 1) and 5 (a spectator) in a one-round game
// played by the computer players, split into pieces that start at the login.
void tableSeeds()
{
    Recorder out;
    host::SeededRandom random(5);
    host::HostEngine engine(out, random);
    engine.setBotSpeed(1);
    for (int i = 0; i < 5; ++i) {
        const int p = engine.accept().participant;
        engine.welcome(p);
    }
    // Seats 3 and 4 go to the computer players; 5 stays as a spectator.
    engine.connectionClosed(3);
    engine.connectionClosed(4);
    for (int p : {1, 2, 5})
        engine.enqueue(p, login(p, "P" + QByteArray::number(p)).chopped(2));
    engine.enqueue(1, msg::chat(1, "hi there|clBlue").chopped(1));
    engine.enqueue(1, msg::startGame("P1", "r", false, true, 2).chopped(1));
    engine.enqueue(1, msg::justWatch(1, 1).chopped(1));
    engine.enqueue(2, msg::justWatch(2, 1).chopped(1));
    while (engine.dispatchOne()) {
    }
    for (int k = 0; k < 200000 && engine.table().running && out.armed; ++k)
        engine.botTimerFired();

    const auto frames = [](const QByteArray& stream) {
        protocol::FrameSplitter split(1 << 30);
        return split.feed(stream);
    };
    int n = 0;
    const auto put = [&n](const QByteArray& bytes, quint8 start) {
        write("table", QStringLiteral("seed-%1").arg(++n, 2, 10, QLatin1Char('0')),
              char(start) + bytes);
    };
    for (int p : {1, 5}) {
        const QList<QByteArray> all = frames(out.to[p]);
        // The login part (first 12 messages), then ten windows of 40 messages spread over the
        // game, the last one ending with CMD_winner.
        QByteArray head;
        for (int i = 0; i < std::min<qsizetype>(12, all.size()); ++i)
            head += all[i] + '\xff';
        const qsizetype step = std::max<qsizetype>(40, (all.size() - 52) / 9);
        for (qsizetype at = 12; at < all.size(); at += step) {
            const qsizetype from = std::min(at, std::max<qsizetype>(12, all.size() - 40));
            QByteArray piece = head;
            for (qsizetype i = from; i < std::min(from + 40, all.size()); ++i)
                piece += all[i] + '\xff';
            put(piece, p == 1 ? 3 : 0);
        }
        if (p == 1) {
            // The player's own clicks between the host's messages (0x01: an action).
            QByteArray clicks = head;
            for (qsizetype i = 12; i < std::min<qsizetype>(80, all.size()); ++i) {
                clicks += all[i] + '\xff';
                const char action = char(i % 24);
                clicks +=
                    QByteArray("\x01") + action + char(i % 21) + char(1 + i % 3) + "hi" + '\xff';
            }
            put(clicks, 1);
        }
    }
    // Catch-up of a late spectator: loadstats, loadbooks, loadcomp ...
    QByteArray late = msg::sendLoginInfo(6) + msg::newPlayerInfo(6, "Late") +
                      msg::loadStats("3", 2) + msg::loadBooks(1, {{1, 5, 1, 4}, {2, 15, 2, 3}}) +
                      msg::loadComp(2, {{1, 7, 1, 0}, {2, 28, 2, 0}}) + msg::useFoot(2) +
                      msg::nextPlayer(1, 0, true, 3) + msg::postScores(1200, 0, 1, 3) +
                      msg::justWatching(4, 1) + msg::noBotsCatchUp() + msg::roundWinner(1) +
                      msg::winner(2, "Bob and Dee") + msg::full() + msg::wrongVersion() +
                      msg::haveWrongVersion("Old") + msg::playerDisconnected(6, "Late");
    put(late, 0);
    put(msg::sendLoginInfo(1) + msg::newPlayerInfo(1, "Ann") +
            msg::startGameAnnounce("Ann", "r", 1) + msg::newCard(1, 0, 5) + msg::newCard(1, 1, 18) +
            msg::newCard(1, 2, 31) + msg::newCard(1, 20, 53) + msg::newBook(1, 1, 1, 5, 1) +
            msg::addToBookAnnounce(1, 1, 3, 1, 4, 44, 1) + msg::complete(1, 1, 1, 1, 5, 1) +
            msg::addToCompAnnounce(1, 1, 5) + msg::freeCard(0) + msg::noBookMatch(1) +
            msg::discardTop(7) + msg::invalidDiscard() + msg::noBook() + msg::tooMany() +
            "CMD_newcard+1+-1+5\xff"
            "CMD_newbook+1+3+10+5+1\xff"
            "CMD_postscores+x\xff",
        3);
}

QByteArray tallyText(int players)
{
    // 9 columns, 1 + players rows, cells column by column.
    QList<QList<QByteArray>> rows;
    rows.append({"0", "12", "5", "0", "0", "0", "0", "0", "0"});
    for (int i = 0; i < players; ++i)
        rows.append({"Player " + QByteArray::number(i), QByteArray::number(i * 7 % 50),
                     QByteArray::number(i % 5), QByteArray::number(i % 3),
                     QByteArray::number(i % 4), "0", "1", "0", "2"});
    QByteArray text = "9\r\n" + QByteArray::number(rows.size()) + "\r\n";
    for (int c = 0; c < 9; ++c)
        for (const auto& row : rows)
            text += row[c] + "\r\n";
    return text;
}

void tallySeeds()
{
    int n = 0;
    const auto put = [&n](const QByteArray& bytes) {
        write("tally", QStringLiteral("seed-%1").arg(++n, 2, 10, QLatin1Char('0')), bytes);
    };
    for (const QByteArray& original :
         {QByteArray("abc"), QByteArray(20, 'a'), QByteArray(), QByteArray("abcdabcdabcdabcdabcd"),
          tallyText(0), tallyText(2), tallyText(30), QByteArray("abcdabcda")})
        put(Lzrw1::compress(original));
    put(Lzrw1::compress(tallyText(900))); // more than one piece
    put(tallyText(2));                    // a plain text, for the round trip
    put(Lzrw1::compressPiece("the quick brown fox jumps over the quick brown dog"));
    // Damaged files: truncated, Huffman-coded, a negative size, a size that does not match.
    const QByteArray good = Lzrw1::compress(tallyText(3));
    put(good.left(good.size() / 2));
    put(QByteArray("!HZL") + good.mid(4));
    put(good.left(4) + QByteArray("\xff\xff\xff\xff") + good.mid(8));
    put(good.left(4) + QByteArray("\x10\x00\x00\x00", 4) + good.mid(8));
    put(QByteArray("WRZL\x05\x00\x00\x00\x06\x00\x40\x00\x00\x61\xf0\x0f", 16));
}

void settingsSeeds()
{
    int n = 0;
    const auto put = [&n](const QByteArray& bytes) {
        write("settings", QStringLiteral("seed-%1").arg(++n, 2, 10, QLatin1Char('0')), bytes);
    };
    put("[quornet]\r\nTextsize=8\r\nTop=3\r\nLeft=3\r\nWidth=798\r\nHeight=572\r\nTextcolor="
        "clBlack\r\n"
        "Botspeed=750\r\nPlaysounds=true\r\nManualsort=true\r\nPickup=1\r\nGametype=f\r\nNobots="
        "f\r\n"
        "Pickupdiscard=t\r\nTurnsound=0\r\nChatterSounds=true\r\nCarddeck=\r\n");
    put("; shared by the lobby programs\n[Lobby]\nserver = example\n\n[QUORNET]\n  textsize = 12 \n"
        "Textcolor=$00FF00FF\nPhrase1=Nice play!\nPhrase9=Good game\n# comment\n[Other]\nx=1");
    put("\xEF\xBB\xBF[quornet]\nTextcolor=clBtnFace\nBotspeed=500\nPickup=9\nGametype=3\nTop=-20");
    put("[quornet]\nTextcolor=-1\nTextsize=0\nWidth=-5\nHeight=abc\nPickup=7\nGametype=rr\n"
        "[quornet]\nTextsize=20\n");
    put("[a]\r\nk=v\r\n[quornet]");
    put("no section at all\nTop=5\n=x\n[ quornet ]\nCarddeck=caf\xe9\nPhrase3=\xc3\xa9t\xc3\xa9\n");
    put("");
    put("[quornet]\nTextcolor=$1FFFFFFF\nTurnsound=1\nNobots=t\nPlaysounds=false\nChatterSounds="
        "false");
    put("[quornet]\nPhrase2=a\rb\nCarddeck=  spaced  \t\n");
    // Colour texts alone.
    for (const char* colour : {"clBlack", "clbtnface", "$80000018", "$00FFFFFF", "4294967295",
                               "-2147483648", "+12", "$", "clNone", " clRed "})
        put(colour);
}

// Discovery datagrams both ways and links, as the outside sends them.
void outsideSeeds()
{
    int n = 0;
    const auto put = [&](const QByteArray& bytes) { write("outside", QStringLiteral("seed-%1").arg(n++, 3, 10, QLatin1Char('0')), bytes); };
    put(net::makeQuery(0));
    put(net::makeQuery(0x0123456789abcdefULL));
    put(net::makeAnswer(0x0123456789abcdefULL, 42, {QStringLiteral("Ann"), 7772, 1, false, false, QStringLiteral("1.0.11")}));
    put(net::makeAnswer(1, 0xfedcba9876543210ULL, {QStringLiteral("Bj\u00f6rn's table at home"), 40001, 4, true, true, QStringLiteral("1.0.12")}));
    put(net::makeAnswer(2, 3, {QString(80, QLatin1Char('n')), 65535, 0, true, false, QStringLiteral("?")}));
    for (const char* link : {"quornet://192.0.2.7:7772", "quornet://table.example.org", "quornet://[2001:db8::7]:7773?password=s%C3%A9same%20x",
                             "QUORNET://host:7772/?lang=fr&password=a+b", "192.0.2.7:7800", "my-pc", "[fe80::1]:9000", "2001:db8::1",
                             "http://example.org/", "quornet://ann@host:1#x", "host:65536", "quornet://h?password=%zz"})
        put(QByteArray(link));
}

// Saved games at several points of games of computer players, and damaged copies of one.
void savedGameSeeds()
{
    int n = 0;
    const auto put = [&](const QByteArray& bytes) { write("savedgame", QStringLiteral("seed-%1").arg(n++, 3, 10, QLatin1Char('0')), bytes); };
    struct Game { quint32 seed; const char* length; bool twoPlayers; int turns; };
    for (const Game& g : {Game{1, "r", false, 0}, Game{2, "3", false, 40}, Game{3, "5", false, 150}, Game{4, "f", true, 90}}) {
        host::SilentOutbox out;
        host::SeededRandom random(g.seed);
        host::HostEngine engine(out, random);
        engine.startGame("Seed", g.length, g.twoPlayers, true, 1);
        while (engine.table().running && engine.botTimerEnabled() && engine.stats().turns < g.turns)
            engine.botTimerFired();
        const QByteArray document = engine.saveGame();
        put(document);
        if (g.turns == 150) {
            put(document.left(document.size() / 2));                               // cut short by a crash
            put(QByteArray(document).replace("\"version\": 1", "\"version\": 2")); // a newer program's
            put(QByteArray(document).replace("quornet-game", "quornet-gamf"));     // not ours
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: quornet-fuzz-seeds FOLDER\n");
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("quornet.*=false"));
    g_root = QString::fromLocal8Bit(argv[1]);
    hostSeeds();
    tableSeeds();
    tallySeeds();
    settingsSeeds();
    outsideSeeds();
    savedGameSeeds();
    std::printf("wrote %d seed files into %s\n", g_written, argv[1]);
    return 0;
}
