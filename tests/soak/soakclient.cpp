#include "soakclient.h"

#include "protocol/fields.h"
#include "protocol/messages.h"

#include <QHostAddress>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace quornet::soak
{

namespace msg = protocol::msg;
using protocol::FieldReader;

SoakClient::SoakClient(int id, quint16 port, Referee& referee, quint32 seed)
    : m_id(id), m_port(port), m_referee(referee), m_rng(seed)
{
    m_actTimer.setSingleShot(true);
    m_turnTimer.setSingleShot(true);
    m_reconnectTimer.setSingleShot(true);
    connect(&m_actTimer, &QTimer::timeout, this, &SoakClient::act);
    connect(&m_turnTimer, &QTimer::timeout, this, &SoakClient::playTurn);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &SoakClient::connectNow);
}

void SoakClient::start()
{
    connectNow();
}

void SoakClient::stop()
{
    m_stopped = true;
    m_actTimer.stop();
    m_turnTimer.stop();
    m_reconnectTimer.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->disconnectFromHost();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    endOfStream();
}

void SoakClient::connectNow()
{
    if (m_stopped) return;
    endOfStream();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &SoakClient::connected);
    connect(m_socket, &QTcpSocket::readyRead, this, &SoakClient::readAll);
    connect(m_socket, &QTcpSocket::disconnected, this, &SoakClient::closedByHost);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket && m_socket->state() == QAbstractSocket::UnconnectedState) closedByHost();
    });
    m_socket->connectToHost(QHostAddress::LocalHost, m_port);
}

void SoakClient::connected()
{
    ++m_stats.connections;
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_actTimer.start(m_rng.bounded(20, 200));
}

// The connection went away (the host closed it, or it failed): come back a little later.
void SoakClient::closedByHost()
{
    if (!m_socket) return;
    m_socket->disconnect(this);
    m_socket->deleteLater();
    m_socket = nullptr;
    endOfStream();
    m_actTimer.stop();
    m_turnTimer.stop();
    if (!m_stopped) m_reconnectTimer.start(m_rng.bounded(20, 300));
}

void SoakClient::drop()
{
    // Participant 1 with a game request on its way stays: its fate could not be told.
    if (m_number == 1 && m_referee.startPending) return;
    m_tail.clear();
    if (m_rng.bounded(2) == 0)
        m_socket->abort();
    else
        m_socket->disconnectFromHost();
    closedByHost();
}

void SoakClient::endOfStream()
{
    // Participant 1 never leaves on its own while its game request is on its way; when the host
    // closed the connection, the request was either handled before (and announced to everybody
    // else) or is dropped with the connection's queue.
    if (m_number == 1 && m_referee.startPending) m_referee.startPending = false;
    m_split.clear();
    m_tail.clear();
    m_messageOpen = false;
    m_number = 0;
    m_loggedIn = false;
    m_catchUp = false;
    m_streamOpenGame = false;
    m_hand.clear();
    m_turnSeat = 0;
    m_watching = false;
}

void SoakClient::fault(const QString& what)
{
    faults << QStringLiteral("client %1 (participant %2): %3").arg(m_id).arg(m_number).arg(what);
}

void SoakClient::readAll()
{
    if (!m_socket) return;
    for (const QByteArray& m : m_split.feed(m_socket->readAll())) {
        ++m_stats.messagesReceived;
        handle(m);
        if (!m_socket) return; // handling closed it
    }
}

void SoakClient::handle(const QByteArray& message)
{
    const protocol::Command c = protocol::splitCommand(message);
    FieldReader r(c.args);
    if (c.word == "CMD_sendlogininfo") {
        m_number = r.integer();
        if (m_number < 1 || m_number > 9) fault(QStringLiteral("numbered %1").arg(m_number));
        const bool wrongVersion = m_rng.bounded(20) == 0;
        sendRaw(msg::loginInfo(m_number, wrongVersion ? "0.9.1" : protocol::VersionText,
                               "Soak" + QByteArray::number(m_id)));
    } else if (c.word == "CMD_newplayerinfo") {
        if (r.integer() == m_number && !m_loggedIn) {
            m_loggedIn = true;
            m_sinceLogin.start();
        }
    } else if (c.word == "CMD_full") {
        ++m_stats.refusedFull;
    } else if (c.word == "CMD_loadstats") {
        m_catchUp = true;
        m_referee.gameRunning = true;
    } else if (c.word == "CMD_startgame") {
        ++m_stats.gamesSeenStarted;
        if (m_streamOpenGame) fault(QStringLiteral("a game started before the last one ended"));
        m_streamOpenGame = true;
        m_referee.gameRunning = true;
        m_referee.startPending = false;
        m_hand.clear();
        m_watching = false;
    } else if (c.word == "CMD_startround") {
        m_hand.clear();
    } else if (c.word == "CMD_winner") {
        ++m_stats.gamesSeenEnded;
        m_streamOpenGame = false;
        m_referee.gameRunning = false;
        m_referee.sinceWinner.start();
        m_turnSeat = 0;
    } else if (c.word == "CMD_newcard") {
        const int seat = r.integer();
        const int slot = r.integer();
        const int card = r.integer();
        if (!r.ok() || seat != m_number)
            fault(QStringLiteral("received a card of seat %1: %2")
                      .arg(seat)
                      .arg(QString::fromLatin1(message)));
        if (slot < 0 || slot > 20 || card < 2 || card > 54)
            fault(QStringLiteral("received a bad card: %1").arg(QString::fromLatin1(message)));
        m_hand[slot] = card;
    } else if (c.word == "CMD_freecard") {
        m_hand.remove(r.integer());
    } else if (c.word == "CMD_justwatching") {
        const int seat = r.integer();
        if (seat == m_number) m_watching = r.integer() == 1;
    } else if (c.word == "CMD_nextplayer") {
        r.integer();
        r.integer();
        r.text();
        m_turnSeat = r.integer();
        if (m_turnSeat < 0 || m_turnSeat > 4) fault(QStringLiteral("turn seat %1").arg(m_turnSeat));
        if (m_turnSeat == m_number && m_loggedIn && !m_watching) {
            m_drawn = false;
            m_turnSteps = 0;
            m_turnTimer.start(m_rng.bounded(5, 25));
        }
    } else if (c.word == "CMD_chat" || c.word == "CMD_action") {
        // Every chat of this test carries "sig:N;" with the number of the connection that sent
        // it: a relay under another number means the host let someone speak for another.
        const int from = r.integer();
        static const QRegularExpression sig(QStringLiteral("sig:(-?\\d+);"));
        const QRegularExpressionMatch m = sig.match(QString::fromLatin1(r.rest()));
        if (m.hasMatch() && m.captured(1).toInt() != from)
            fault(QStringLiteral("relayed a chat under another number: %1")
                      .arg(QString::fromLatin1(message)));
    }
}

QByteArray SoakClient::signature() const
{
    return "sig:" + QByteArray::number(m_number) + ";";
}

void SoakClient::sendRaw(const QByteArray& bytes)
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState) return;
    m_socket->write(bytes);
    m_messageOpen = !bytes.endsWith(protocol::Terminator);
    ++m_stats.messagesSent;
}

void SoakClient::send(const QByteArray& message)
{
    if (!m_tail.isEmpty()) sendRaw(std::exchange(m_tail, {}));
    if (message.size() > 2 && m_rng.bounded(8) == 0) {
        // Split: the rest goes with the next action.
        const int cut = m_rng.bounded(1, int(message.size()));
        sendRaw(message.left(cut));
        m_tail = message.mid(cut);
        return;
    }
    sendRaw(message);
}

int SoakClient::heldSlot()
{
    if (m_hand.isEmpty()) return randomSlot();
    return m_hand.keys().at(m_rng.bounded(int(m_hand.size())));
}

int SoakClient::otherNumber()
{
    static const int Others[] = {0, -1, 10, 11, 12, 99999};
    if (m_rng.bounded(5) == 0) return Others[m_rng.bounded(6)];
    int n = m_rng.bounded(1, 10);
    if (n == m_number) n = n % 9 + 1;
    return n;
}

void SoakClient::maybeStartGame()
{
    if (m_number != 1 || !m_loggedIn || m_catchUp || m_sinceLogin.elapsed() < 300) return;
    if (m_referee.gameRunning || m_referee.startPending) return;
    if (m_referee.sinceWinner.isValid() && m_referee.sinceWinner.elapsed() < 100) return;
    m_referee.startPending = true;
    ++m_referee.startsSent;
    if (!m_tail.isEmpty()) sendRaw(std::exchange(m_tail, {}));
    // Junk written without a terminator would swallow the request into one bogus message, and
    // the host would never answer it: end the junk first.
    if (m_messageOpen) sendRaw(QByteArray(1, protocol::Terminator));
    const bool twoPlayer = m_rng.bounded(6) == 0;
    const bool pickUp = m_rng.bounded(4) != 0;
    sendRaw(msg::startGame("Soak" + QByteArray::number(m_id), "r", twoPlayer, pickUp,
                           m_rng.bounded(1, 8)));
}

void SoakClient::act()
{
    if (!m_socket || m_stopped) return;
    m_actTimer.start(m_rng.bounded(150, 600));
    if (!m_loggedIn) return;
    maybeStartGame();
    const int n = m_number;
    const int roll = m_rng.bounded(100);
    if (roll < 22) {
        send(msg::chat(n,
                       "hello " + signature() + " from " + QByteArray::number(m_id) + "|clBlack"));
    } else if (roll < 27) {
        send(msg::action(n, "waves " + signature() + "|$000000FF"));
    } else if (roll < 30) {
        send(msg::playASound(n, m_rng.bounded(1, 21)));
    } else if (roll < 42) {
        // Speaking, playing, kicking or starting for someone else.
        ++m_stats.spoofsSent;
        const int other = otherNumber();
        switch (m_rng.bounded(8)) {
        case 0:
            send(msg::chat(other, "spoof " + signature() + "|clRed"));
            break;
        case 1:
            send(msg::drawing(other, 1));
            break;
        case 2:
            send(msg::discard(other, heldSlot()));
            break;
        case 3:
            if (n != 1) send(msg::kickHim(1, other));
            break;
        case 4:
            if (n != 1) send(msg::startGame("Mallory", "r", false, true, 1));
            break;
        case 5:
            send(msg::loginInfo(other, protocol::VersionText, "Mallory"));
            break;
        case 6:
            if (n != 1) send(msg::justWatch(other, 1));
            break;
        case 7:
            send(msg::action(other, "spoof " + signature()));
            break;
        }
    } else if (roll < 52) {
        ++m_stats.malformedSent;
        static const QByteArray Bad[] = {
            "CMD_drawing+abc+1\xff",
            "CMD_createbook+1+2\xff",
            "CMD_discard+99999999999+0\xff",
            "CMD_logininfo\xff",
            "\xff\xff\xff",
            "CMD_chat+\xff",
            "+++\xff",
            "CMD_addtobook+1+-5+77\xff",
            "CMD_justwatch+1\xff",
            "CMD_kickhim++\xff",
            "CMD_unknown+1+2\xff",
            "no terminator yet ",
        };
        if (m_rng.bounded(10) == 0) {
            QByteArray junk(m_rng.bounded(1, 400), Qt::Uninitialized);
            for (char& ch : junk)
                ch = char(m_rng.bounded(256));
            send(junk);
        } else {
            send(Bad[m_rng.bounded(int(std::size(Bad)))]);
        }
    } else if (roll < 55) {
        send(msg::chat(n,
                       QByteArray(m_rng.bounded(500, 4000), 'x') + ' ' + signature() + "|clBlue"));
    } else if (roll < 58) {
        if (n <= 4) send(msg::justWatch(n, m_watching ? 2 : 1));
    } else if (roll < 60) {
        drop();
    } else if (roll < 61 && n == 1 && !m_referee.startPending) {
        send(msg::kickHim(1, m_rng.bounded(2, 10)));
    } else if (roll < 75) {
        // A game request at any time: mostly illegal (out of turn, wrong phase, odd slots).
        switch (m_rng.bounded(5)) {
        case 0:
            send(msg::drawing(n, m_rng.bounded(0, 4)));
            break;
        case 1:
            send(msg::createBook(n, randomSlot(), randomSlot(), randomSlot()));
            break;
        case 2:
            send(msg::addToBook(n, randomSlot(), m_rng.bounded(-1, 12)));
            break;
        case 3:
            send(msg::addToComp(n, randomSlot(), m_rng.bounded(-1, 32)));
            break;
        case 4:
            send(msg::discard(n, randomSlot()));
            break;
        }
    }
}

// The own turn, one request per tick: draw, then perhaps books, then a discard of a held card.
void SoakClient::playTurn()
{
    const int n = m_number;
    if (!m_socket || m_stopped || m_turnSeat != n || m_watching || n < 1 || n > 4) return;
    m_turnTimer.start(m_rng.bounded(5, 25));
    ++m_turnSteps;
    if (!m_drawn || m_turnSteps % 5 == 0) {
        send(msg::drawing(n, m_rng.bounded(4) == 0 ? 2 : 1));
        m_drawn = true;
        return;
    }
    const QList<int> held = m_hand.keys();
    const int roll = m_rng.bounded(10);
    if (roll < 2 && held.size() >= 3) {
        QList<int> pick = held;
        std::shuffle(pick.begin(), pick.end(), m_rng);
        send(msg::createBook(n, pick[0], pick[1], pick[2]));
    } else if (roll < 4) {
        send(msg::addToBook(n, heldSlot(), m_rng.bounded(1, 10)));
    } else if (roll < 5) {
        send(msg::addToComp(n, heldSlot(), m_rng.bounded(1, 4)));
    } else {
        ++m_stats.turnsPlayed;
        send(msg::discard(n, heldSlot()));
    }
}

} // namespace quornet::soak
