#include "table/window/connectionwatch.h"

#include "protocol/colortext.h"
#include "table/core/tablemodel.h"
#include "table/window/tableconnection.h"

namespace quornet::table {

namespace {
// Every try together may take this long; the pauses between them double from one second.
constexpr int ReconnectWindowMs = 120'000;
constexpr int FirstPauseMs = 1000;
// One attempt that has not brought the window back to the table in this time (connected and
// logged in) is given up for the next.
constexpr int AttemptTimeoutMs = 8000;
// The box that says why the window closes closes by itself after this time.
constexpr int FarewellMs = 5000;
} // namespace

ConnectionWatch::ConnectionWatch(QWidget& window, TableModel& model, TableConnection& connection)
    : QObject(&window), m_window(window), m_model(model), m_connection(connection)
{
    m_reconnectTimer.setSingleShot(true);
    m_attemptTimer.setSingleShot(true);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &ConnectionWatch::tryReconnect);
    connect(&m_attemptTimer, &QTimer::timeout, this, [this] {
        m_connection.abortAttempt();
        nextAttemptOrGiveUp();
    });
    connect(&m_connection, &TableConnection::connectionClosed, this, &ConnectionWatch::connectionEnded);
    connect(&m_connection, &TableConnection::attemptFailed, this, &ConnectionWatch::reconnectAttemptFailed);
    connect(&m_connection, &TableConnection::connected, this, [this] {
        if (!m_reconnecting) return;
        // The host's catch-up after the login shows the table afresh. The attempt's time runs
        // on until the host has taken the login: a connection that leads nowhere is given up.
        m_model.expectRejoin();
        if (m_reconnectNotice) m_reconnectNotice->setText(QStringLiteral("Connected again: rejoining the table..."));
    });
    connect(&m_model, &TableModel::rejoined, this, &ConnectionWatch::rejoined);
}

void ConnectionWatch::showMessageBox(const QString& text)
{
    m_connection.holdDispatch(true);
    m_openBox = text;
    emit openBoxChanged();
    QMessageBox::information(&m_window, QStringLiteral("Quornet"), text);
    m_openBox.clear();
    emit openBoxChanged();
    m_connection.holdDispatch(false);
    emit boxClosed();
}

void ConnectionWatch::connectionEnded()
{
    if (m_leaving) return;
    const TableState& s = m_model.state();
    if (s.removed) return closeBecauseOfHost(QStringLiteral("You have been removed from the table."));
    // The hosting copy's own window and its host end together.
    if (s.hosting) {
        if (!(m_tableEnd && m_tableEnd(QString()))) m_window.close();
        return;
    }
    if (m_reconnecting) return nextAttemptOrGiveUp(); // lost again before the table was back
    if (m_model.gameRunning()) return startReconnecting();
    closeBecauseOfHost(QStringLiteral("The host has closed the table."));
}

void ConnectionWatch::startReconnecting()
{
    m_reconnecting = true;
    m_reconnectTries = 0;
    m_reconnectClock.start();
    m_model.chat().addlinetochat(QStringLiteral("0+The connection to the host was lost. Reconnecting.."),
                                 protocol::colors::Blue);
    m_model.showStatus(QStringLiteral("Connection lost. Reconnecting..."));
    if (!m_reconnectNotice) {
        m_reconnectNotice = new QMessageBox(QMessageBox::Information, QStringLiteral("Quornet"),
                                            QStringLiteral("The connection to the host was lost. Reconnecting..."),
                                            QMessageBox::Cancel, &m_window);
        m_reconnectNotice->setObjectName(QStringLiteral("reconnect_notice"));
        m_reconnectNotice->setModal(false);
        // Giving up ends the program, as File > Exit does.
        connect(m_reconnectNotice, &QMessageBox::rejected, this, [this] {
            if (m_reconnecting) m_window.close();
        });
    }
    m_reconnectNotice->show();
    m_reconnectTimer.start(FirstPauseMs);
    emit reconnectingStarted();
}

void ConnectionWatch::tryReconnect()
{
    if (!m_reconnecting || m_leaving) return;
    ++m_reconnectTries;
    if (m_reconnectNotice)
        m_reconnectNotice->setText(
            QStringLiteral("The connection to the host was lost. Reconnecting (try %1)...").arg(m_reconnectTries));
    m_attemptTimer.start(AttemptTimeoutMs);
    m_connection.reconnect();
}

void ConnectionWatch::nextAttemptOrGiveUp()
{
    m_attemptTimer.stop();
    const qint64 pause = qint64(FirstPauseMs) << qMin(m_reconnectTries, 16);
    const qint64 left = ReconnectWindowMs - m_reconnectClock.elapsed();
    if (left <= 0) {
        m_reconnecting = false;
        return closeBecauseOfHost(QStringLiteral("The connection to the host could not be restored."));
    }
    m_reconnectTimer.start(int(qMin(pause, left)));
}

void ConnectionWatch::reconnectAttemptFailed(QAbstractSocket::SocketError error)
{
    // A first connection that cannot be made leaves the window idle, as it always has.
    if (!m_reconnecting || m_leaving) return;
    // Nothing listens there any more: the host has gone.
    if (error == QAbstractSocket::ConnectionRefusedError) {
        m_reconnecting = false;
        return closeBecauseOfHost(QStringLiteral("The host has closed the table."));
    }
    nextAttemptOrGiveUp();
}

void ConnectionWatch::rejoined()
{
    m_reconnecting = false;
    m_reconnectTimer.stop();
    m_attemptTimer.stop();
    if (m_reconnectNotice) m_reconnectNotice->hide();
}

void ConnectionWatch::closeBecauseOfHost(const QString& why)
{
    m_reconnecting = false;
    m_reconnectTimer.stop();
    m_attemptTimer.stop();
    if (m_reconnectNotice) m_reconnectNotice->hide();
    if (m_tableEnd && m_tableEnd(why)) return;
    m_leaving = true;
    // Shown once the signal that brought the news has returned; the box closes by itself, so
    // an unattended copy still ends with its host.
    QMetaObject::invokeMethod(this, [this, why] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Quornet"), why, QMessageBox::Ok, &m_window);
        box.setObjectName(QStringLiteral("farewell"));
        QTimer::singleShot(FarewellMs, &box, &QMessageBox::accept);
        m_openBox = why;
        emit openBoxChanged();
        box.exec();
        m_window.close();
    }, Qt::QueuedConnection);
}

} // namespace quornet::table
