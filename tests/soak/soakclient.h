// One table window's connection as the soak test plays it: a QTcpSocket that joins, logs in,
// chats, plays its seat with random legal and illegal requests, speaks for other participants,
// sends malformed and split messages, drops and reconnects. Everything is driven by its own
// timers; nothing blocks. What it receives is checked as it arrives; every broken rule is kept
// in faults.
#pragma once

#include "protocol/framing.h"

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>

namespace quornet::soak
{

// What every client knows of the table as a whole: whether a game runs (from the host's
// broadcasts, whoever saw them), and whether participant 1 asked for a game not yet announced.
struct Referee {
    bool gameRunning = false;
    bool startPending = false;
    QElapsedTimer sinceWinner;
    int startsSent = 0;
};

struct ClientStats {
    int connections = 0;
    int refusedFull = 0;
    int messagesReceived = 0;
    int messagesSent = 0;
    int spoofsSent = 0;
    int malformedSent = 0;
    int turnsPlayed = 0;
    int gamesSeenStarted = 0;
    int gamesSeenEnded = 0;
};

class SoakClient : public QObject
{
    Q_OBJECT
public:
    SoakClient(int id, quint16 port, Referee& referee, quint32 seed);

    void start();
    // Stops acting and leaves the table for good.
    void stop();

    int number() const { return m_number; }
    bool loggedIn() const { return m_loggedIn; }
    const ClientStats& stats() const { return m_stats; }
    QStringList faults;

private:
    void connectNow();
    void connected();
    void readAll();
    void closedByHost();
    void handle(const QByteArray& message);
    void fault(const QString& what);
    void endOfStream();

    void act();      // the background timer: one random action
    void playTurn(); // the turn timer: the next step of the own turn
    void sendRaw(const QByteArray& bytes);
    void send(const QByteArray& message); // whole or split over two writes
    void drop();
    void maybeStartGame();
    int heldSlot(); // a slot the hand holds, else a random one
    int randomSlot() { return m_rng.bounded(-2, 24); }
    int otherNumber();
    QByteArray signature() const;

    const int m_id;
    const quint16 m_port;
    Referee& m_referee;
    QRandomGenerator m_rng;

    QTcpSocket* m_socket = nullptr;
    protocol::FrameSplitter m_split;
    QTimer m_actTimer;
    QTimer m_turnTimer;
    QTimer m_reconnectTimer;
    bool m_messageOpen = false; // the last bytes written did not end a message
    QByteArray m_tail; // second half of a split message, written on the next action
    bool m_stopped = false;

    // The current connection.
    int m_number = 0;
    bool m_loggedIn = false;
    QElapsedTimer m_sinceLogin;
    bool m_catchUp = false; // CMD_loadstats arrived: a game was running at login
    bool m_streamOpenGame =
        false;             // this connection saw a CMD_startgame not yet followed by a winner
    QMap<int, int> m_hand; // slot -> card code
    int m_turnSeat = 0;
    bool m_drawn = false;
    int m_turnSteps = 0;
    bool m_watching = false;

    ClientStats m_stats;
};

} // namespace quornet::soak
