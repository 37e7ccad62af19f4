// TServer: the host's network adapter. It owns the listening socket (Sock1), one socket per
// accepted participant, the 10 ms message timer (socktimer), the computer-player timer (Timer1)
// and the clock the engine's deadlines run on, and feeds the rules engine. It never shows a
// window; every copy of the program has one, but only a hosting copy (or the dedicated host)
// listens.
//
// Host rights: participant number 1 goes only to a connection the adapter accepts as the host
// user's. In a hosting copy that is the copy's own table window, recognised by the address and
// port its socket connects from; on the dedicated host, a connection from an allowed address
// (loopback unless told otherwise).
#pragma once

#include "host/engine.h"
#include "host/gamefile.h"
#include "host/outbox.h"
#include "host/random.h"
#include "net/discoveryresponder.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QThreadPool>
#include <QTcpServer>
#include <QTimer>

#include <array>
#include <memory>

class QTcpSocket;

namespace quornet::host {

class TServer : public QObject, private Outbox {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 7772;
    // Many windows may connect at the same moment (a table of friends after a restart): the
    // queue of connections waiting to be accepted holds them all.
    static constexpr int ListenBacklog = 64;
    // What a socket reads ahead of the engine: a frame is at most 4 KiB, so this is plenty.
    static constexpr qint64 ReadBufferBytes = 64 * 1024;
    static constexpr int SockTimerMs = 10;
    // A participant that reads nothing while this much waits to be sent to it is closed, so a
    // stopped program cannot make the host hold its messages without end.
    static constexpr qint64 MaxUnsentBytes = 8 * 1024 * 1024;

    explicit TServer(std::uint32_t seed, EngineOptions options = {}, QObject* parent = nullptr);
    ~TServer() override;

    // Starts listening on all local addresses. On failure returns false and sets the error text
    // ("Listen - Error Binding Socket" or "Listen - Error Starting Listen").
    bool listen(quint16 port, QString* error = nullptr);
    bool isListening() const { return m_sock1.isListening(); }
    quint16 port() const { return m_sock1.serverPort(); }
    // Closes the listener and every connection.
    void shutdown();
    // Leaves the table for another: the listener and every connection closed, the engine made
    // afresh (an empty table, no password) with the same options. The game file, the host name
    // and the host user's port stay as set; engineReplaced() tells the owner, who sets the
    // engine's values (bot speed, level) again.
    void startAfresh();
    // The table ends: every participant is told (CMD_tableclosed) and its connection closed once
    // the farewell is out, so the windows close instead of trying to get back.
    void closeTable();

    // The hosting copy: its own table window connects from this local port on the loopback
    // address, and only that connection is the host user (participant 1).
    void setOwnWindowPort(quint16 localPort);
    // The dedicated host: connections from these addresses or subnets may be the host user.
    // Loopback until set.
    void setAdminAddresses(const QList<QPair<QHostAddress, int>>& subnets);
    QString adminAddressesText() const;

    HostEngine& engine() { return *m_engine; }

    // --- The saved game ----------------------------------------------------------------------
    // From now on the game is kept in this file after every change, and the file goes when the
    // game ends. Empty: not kept.
    void setGameFile(const QString& path);
    const GameFile* gameFile() const { return m_gameFile.get(); }
    enum class Resume { NoSavedGame, Resumed, Refused };
    // Takes the game kept in `path` into the engine (before anybody connects). A file that cannot
    // be used is moved aside; `message` then says why.
    Resume resumeSavedGame(const QString& path, QString* message = nullptr);
    // Writes the game now and waits until it is on disk (a quit on SIGTERM, the window closing).
    void saveGameNow();
    // The game is not to be kept (the player ended it): the file goes and nothing is saved any
    // more until setGameFile() is called again.
    void discardSavedGame();
    // The host user has seen the end of the round (the solo game's round summary).
    void continueAfterRound();

    // LAN discovery (tserver_discovery.cpp): while listening, answers the network's requests for
    // tables with tableInfo(). Off until started; shutdown() stops it. On failure returns false
    // and sets a sentence saying why; the table plays on without it.
    bool startDiscovery(quint16 udpPort = net::discoveryPortFromEnvironment(), QString* error = nullptr);
    void stopDiscovery();
    bool discoveryRunning() const;
    // The host's name in the answers (this machine's name until set).
    void setHostName(const QString& name) { m_hostName = name; }
    // What the table tells finders now: seats 1 to 4 held by humans logged in, a game running.
    net::TableInfo tableInfo() const;

signals:
    void engineReplaced();

private:
    void makeEngine();
    void acceptPending();
    bool isHostUser(const QTcpSocket& socket) const;
    void readFrom(QTcpSocket* socket);
    void socketClosed(QTcpSocket* socket);
    int numberOf(const QTcpSocket* socket) const;
    // Every call into the engine: the clock first, then the timers it needs afterwards.
    template <typename Call> void intoEngine(Call call);
    void afterEngine();

    // Outbox
    void send(int participant, const QByteArray& message) override;
    void disconnect(int participant) override;
    void renumber(int from, int to) override;
    void forget(int participant) override;
    void gameChanged() override;
    void keepGame();
    // Tells the engine of a time the process did not run (see HostEngine::clockStalled).
    void noticeStall();
    void botTimerChanged(bool enabled, int intervalMs) override;

    SeededRandom m_random;
    std::uint32_t m_seed;
    EngineOptions m_options;
    // Moves on with every fresh engine: a decision worked out for an engine gone is dropped.
    quint64 m_engineGeneration = 0;
    std::unique_ptr<HostEngine> m_engine;
    QTcpServer m_sock1;
    QTimer m_sockTimer;
    QTimer m_timer1;
    QTimer m_deadlineTimer;
    QElapsedTimer m_clock;
    std::array<QPointer<QTcpSocket>, ConnectionRecords + 1> m_sockets{};
    quint16 m_ownWindowPort = 0;
    QList<QPair<QHostAddress, int>> m_admins;
    // Expert's decisions are worked out here, one at a time, off the event loop.
    QThreadPool m_thinking;
    std::unique_ptr<GameFile> m_gameFile;
    // The event loop's pulse: a gap much longer than its period means the process did not run.
    QTimer m_pulse;
    qint64 m_lastPulse = -1;
    bool m_keepPending = false;
    bool m_keptRunning = false; // the last game kept was in play (its end removes the file)
    std::unique_ptr<net::DiscoveryResponder> m_discovery;
    QString m_hostName;
};

} // namespace quornet::host
