#include "table/window/connectionwatch.h"

#include "protocol/colortext.h"
#include "table/core/tablemodel.h"
#include "table/window/tableconnection.h"

#include <QPushButton>

namespace quornet::table {

ReconnectPacing ReconnectPacing::fromEnvironment()
{
    ReconnectPacing p;
    const QString text = qEnvironmentVariable("QUORNET_RECONNECT_PACING");
    const std::pair<QLatin1StringView, int ReconnectPacing::*> names[] = {
        {QLatin1StringView("window"), &ReconnectPacing::windowMs},
        {QLatin1StringView("first"), &ReconnectPacing::firstPauseMs},
        {QLatin1StringView("longest"), &ReconnectPacing::longestPauseMs},
        {QLatin1StringView("attempt"), &ReconnectPacing::attemptMs},
        {QLatin1StringView("contact"), &ReconnectPacing::firstContactMs},
        {QLatin1StringView("farewell"), &ReconnectPacing::farewellMs}};
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.section(QLatin1Char('='), 0, 0).trimmed();
        bool ok = false;
        const int ms = part.section(QLatin1Char('='), 1).trimmed().toInt(&ok);
        if (!ok || ms < 1) continue;
        for (const auto& [key, field] : names)
            if (name == key) p.*field = ms;
    }
    return p;
}

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
        if (m_reconnectNotice) m_reconnectNotice->setText(tr("Connected again: rejoining the table..."));
    });
    connect(&m_model, &TableModel::rejoined, this, &ConnectionWatch::rejoined);
    m_firstContactTimer.setSingleShot(true);
    m_firstContactTimer.setInterval(m_pacing.firstContactMs);
    connect(&m_firstContactTimer, &QTimer::timeout, this, [this] {
        if (m_model.state().loggedIn) return;
        m_connection.abortAttempt();
        firstContactFailed(false);
    });
    connect(&m_model, &TableModel::changed, this, [this] {
        if (m_firstContact && m_model.state().loggedIn) firstContactAnswered();
    });
}

void ConnectionWatch::watchFirstContact()
{
    m_firstContact = true;
    m_firstContactTimer.start();
}

void ConnectionWatch::reset()
{
    m_reconnecting = false;
    m_reconnectTimer.stop();
    m_attemptTimer.stop();
    firstContactAnswered();
    if (m_reconnectNotice) m_reconnectNotice->hide();
}

void ConnectionWatch::firstContactAnswered()
{
    m_firstContact = false;
    m_firstContactTimer.stop();
}

void ConnectionWatch::firstContactFailed(bool refused)
{
    m_firstContactTimer.stop();
    const QString where = m_connection.hostAddress() + QLatin1Char(':') + QString::number(m_connection.hostPort());
    const QString text = refused ? tr("Nobody is hosting a table at %1.").arg(where)
                                 : tr("No answer from %1.").arg(where);
    m_model.showStatus(text);
    // Shown once the signal that brought the news has returned.
    QMetaObject::invokeMethod(this, [this, text] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quornet"), text, QMessageBox::NoButton, &m_window);
        box.setObjectName(QStringLiteral("first_contact"));
        QPushButton* again = box.addButton(tr("Try Again"), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Close);
        box.setDefaultButton(again);
        setOpenBox(text);
        box.exec();
        setOpenBox(QString());
        if (m_leaving) return;
        if (box.clickedButton() != again) {
            if (m_tableEnd && m_tableEnd(QString())) return; // the owner goes on elsewhere
            m_leaving = true;
            m_window.close();
            return;
        }
        m_model.showStatus(tr("Connecting to %1...").arg(m_connection.hostAddress()));
        watchFirstContact();
        m_connection.reconnect();
    }, Qt::QueuedConnection);
}

void ConnectionWatch::setOpenBox(const QString& text)
{
    m_openBox = text;
    emit openBoxChanged();
}

void ConnectionWatch::showMessageBox(const QString& text)
{
    m_connection.holdDispatch(true);
    setOpenBox(text);
    QMessageBox::information(&m_window, QStringLiteral("Quornet"), text);
    setOpenBox(QString());
    m_connection.holdDispatch(false);
    emit boxClosed();
}

void ConnectionWatch::connectionEnded()
{
    if (m_leaving) return;
    const TableState& s = m_model.state();
    if (s.removed) return closeBecauseOfHost(tr("You have been removed from the table."));
    // The hosting copy's own window and its host end together.
    if (s.hosting) {
        if (!(m_tableEnd && m_tableEnd(QString()))) m_window.close();
        return;
    }
    if (s.tableClosed) return closeBecauseOfHost(tr("The host has closed the table."));
    if (m_reconnecting) return nextAttemptOrGiveUp(); // lost again before the table was back
    if (m_firstContact) return firstContactFailed(false); // a listener that never spoke
    if (m_model.gameRunning()) return startReconnecting();
    closeBecauseOfHost(tr("The host has closed the table."));
}

void ConnectionWatch::startReconnecting()
{
    m_reconnecting = true;
    m_reconnectTries = 0;
    m_reconnectClock.start();
    m_model.chat().addlinetochat(QStringLiteral("0+") + tr("Lost the connection to the host. Reconnecting..."),
                                 protocol::colors::Blue);
    m_model.showStatus(tr("Lost the connection to the host. Reconnecting..."));
    if (!m_reconnectNotice) {
        m_reconnectNotice = new QMessageBox(QMessageBox::Information, QStringLiteral("Quornet"),
                                            tr("Lost the connection to the host. Reconnecting..."),
                                            QMessageBox::Cancel, &m_window);
        m_reconnectNotice->setObjectName(QStringLiteral("reconnect_notice"));
        m_reconnectNotice->setModal(false);
        // Giving up ends the program, as File > Exit does.
        connect(m_reconnectNotice, &QMessageBox::rejected, this, [this] {
            if (!m_reconnecting) return;
            reset();
            if (m_tableEnd && m_tableEnd(QString())) return; // the owner goes on elsewhere
            m_window.close();
        });
    }
    m_reconnectNotice->show();
    m_reconnectTimer.start(m_pacing.firstPauseMs);
    emit reconnectingStarted();
}

void ConnectionWatch::tryReconnect()
{
    if (!m_reconnecting || m_leaving) return;
    ++m_reconnectTries;
    const QString text = tr("Lost the connection to the host. Reconnecting (try %1)...").arg(m_reconnectTries);
    m_model.showStatus(text);
    if (m_reconnectNotice) m_reconnectNotice->setText(text);
    m_attemptTimer.start(m_pacing.attemptMs);
    m_connection.reconnect();
}

void ConnectionWatch::nextAttemptOrGiveUp()
{
    m_attemptTimer.stop();
    const qint64 pause = qMin(qint64(m_pacing.firstPauseMs) << qMin(m_reconnectTries, 16), qint64(m_pacing.longestPauseMs));
    const qint64 left = m_pacing.windowMs - m_reconnectClock.elapsed();
    if (left <= 0) {
        m_reconnecting = false;
        return closeBecauseOfHost(tr("The connection to the host could not be restored."));
    }
    m_reconnectTimer.start(int(qMin(pause, left)));
}

void ConnectionWatch::reconnectAttemptFailed(QAbstractSocket::SocketError error)
{
    if (m_leaving) return;
    if (m_firstContact) return firstContactFailed(error == QAbstractSocket::ConnectionRefusedError);
    // A refusal is no farewell: a host that restarts refuses until it listens again.
    if (m_reconnecting) nextAttemptOrGiveUp();
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
        QTimer::singleShot(m_pacing.farewellMs, &box, &QMessageBox::accept);
        setOpenBox(why);
        box.exec();
        m_window.close();
    }, Qt::QueuedConnection);
}

} // namespace quornet::table
