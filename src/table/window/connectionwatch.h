// The end of the table window's connection to the host and the way back to the table, and the
// host's message boxes (the host's messages wait while one is open).
//
// A joined window whose connection is lost during a game (closed, or silent for 45 s) stays
// open and tries to get back to the table: again and again, with growing pauses, for two
// minutes, through refused and unanswered attempts alike (a host that restarts refuses for a
// while), presenting its seat key; the host gives the seat back and catches the window up.
// Only the host's farewell (the table closed, this participant removed), the end of those two
// minutes or a connection that ends between games close the window, which ends the program.
//
// A first connection that is refused, or brings no login request within 10 s, says so in a
// box with Try Again and Close: never an endless "Loading...".
#pragma once

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace quornet::table {

class TableConnection;
class TableModel;

// How long the watch waits. The pauses between reconnect attempts double from `firstPauseMs`
// up to `longestPauseMs` (so a host back after a restart is found within seconds) while the
// tries last `windowMs`; one attempt that has not brought the window back to the table
// (connected and logged in) in `attemptMs` is given up for the next; a first connection must
// bring the host's login request within `firstContactMs`; the box that says why the window
// closes closes by itself after `farewellMs`.
struct ReconnectPacing {
    int windowMs = 120'000;
    int firstPauseMs = 1000;
    int longestPauseMs = 8000;
    int attemptMs = 8000;
    int firstContactMs = 10'000;
    int farewellMs = 5000;

    // QUORNET_RECONNECT_PACING ("first=50,longest=200,contact=500", milliseconds, any of
    // window, first, longest, attempt, contact, farewell) shortens the waits for tests that
    // run the program; unknown or unreadable parts are ignored.
    static ReconnectPacing fromEnvironment();
};

class ConnectionWatch : public QObject {
    Q_OBJECT
public:
    // window: the table window, parent of the boxes, closed when the table is gone.
    ConnectionWatch(QWidget& window, TableModel& model, TableConnection& connection);

    // Told first when the table is gone and the window would close (why: the sentence it would
    // show; empty when the hosting copy's own host ended). Returning true means the owner goes
    // on elsewhere (another table) and the window stays open.
    void setTableEndHandler(std::function<bool(const QString& why)> handler) { m_tableEnd = std::move(handler); }
    // The first connection to a joined table was asked for: watch that it gets an answer.
    void watchFirstContact();
    // The host answered the first connection with a refusal the owner shows itself (a password
    // asked for or wrong, a full table): the watch says nothing more of it.
    void firstContactAnswered();
    // The window leaves its table for another: no reconnecting, no first contact watched.
    void reset();
    // The window is closing: the end of the connection is no news.
    void setLeaving() { m_leaving = true; }
    // The text of the message box on screen (the state file says it), empty when none is.
    QString openBox() const { return m_openBox; }
    const ReconnectPacing& pacing() const { return m_pacing; }

public slots:
    // A modal box; the host's messages wait while it is open.
    void showMessageBox(const QString& text);

signals:
    void openBoxChanged();
    // A box of the host's closed: the keys go back to the table, not to the chat line.
    void boxClosed();
    // A joined window lost its connection during a game and tries to get back.
    void reconnectingStarted();

private:
    void connectionEnded();
    void startReconnecting();
    void tryReconnect();
    void nextAttemptOrGiveUp();
    void reconnectAttemptFailed(QAbstractSocket::SocketError error);
    void rejoined();
    // Says why the window closes (the host is gone, this participant was removed), then closes.
    void closeBecauseOfHost(const QString& why);
    void firstContactFailed(bool refused);
    // The box on screen, for the state file (empty: none).
    void setOpenBox(const QString& text);

    QWidget& m_window;
    TableModel& m_model;
    const ReconnectPacing m_pacing = ReconnectPacing::fromEnvironment();
    TableConnection& m_connection;
    bool m_leaving = false;
    QString m_openBox;
    bool m_reconnecting = false;
    int m_reconnectTries = 0;
    QElapsedTimer m_reconnectClock;
    QTimer m_reconnectTimer; // the pause before the next attempt
    QTimer m_attemptTimer;   // an attempt that takes too long is given up
    QPointer<QMessageBox> m_reconnectNotice;
    std::function<bool(const QString&)> m_tableEnd;
    QTimer m_firstContactTimer; // the first connection's login request is this late
    bool m_firstContact = false;
};

} // namespace quornet::table
