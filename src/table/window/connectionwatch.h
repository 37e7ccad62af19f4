// The end of the table window's connection to the host and the way back to the table, and the
// host's message boxes (the host's messages wait while one is open).
//
// A joined window whose connection is lost during a game stays open and tries to get back to
// the table: again and again, with growing pauses, to the same address and port under the same
// name; the host gives the seat back (it holds it for the player's name) and catches the window
// up. When the host is gone (nothing listens any more, or the connection ends between games) or
// removed this participant, the window says so and closes, which ends the program.
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

class ConnectionWatch : public QObject {
    Q_OBJECT
public:
    // window: the table window, parent of the boxes, closed when the table is gone.
    ConnectionWatch(QWidget& window, TableModel& model, TableConnection& connection);

    // Told first when the table is gone and the window would close (why: the sentence it would
    // show; empty when the hosting copy's own host ended). Returning true means the owner goes
    // on elsewhere (another table) and the window stays open.
    void setTableEndHandler(std::function<bool(const QString& why)> handler) { m_tableEnd = std::move(handler); }
    // The window is closing: the end of the connection is no news.
    void setLeaving() { m_leaving = true; }
    // The text of the message box on screen (the state file says it), empty when none is.
    QString openBox() const { return m_openBox; }

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

    QWidget& m_window;
    TableModel& m_model;
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
};

} // namespace quornet::table
