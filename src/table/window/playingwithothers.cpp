// Playing with others from the window (see playingwithothers.h).
#include "table/window/playingwithothers.h"

#include "host/tserver.h"
#include "net/invitelink.h"
#include "protocol/colortext.h"
#include "protocol/messages.h"
#include "protocol/text8bit.h"
#include "table/core/tablemodel.h"
#include "table/window/connectionwatch.h"
#include "table/window/keptgames.h"
#include "table/window/playdialog.h"
#include "table/window/tableconnection.h"
#include "table/window/tablereach.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace quornet::table {

namespace {
const QString Title = QStringLiteral("Quornet");
} // namespace

PlayingWithOthers::PlayingWithOthers(QWidget& window, host::TServer& server, TableModel& model,
                                     TableConnection& connection, ConnectionWatch& watch, KeptGames& kept,
                                     std::function<QString()> settingsPath)
    : QObject(&window), m_window(window), m_server(server), m_model(model), m_connection(connection),
      m_watch(watch), m_kept(kept), m_settingsPath(std::move(settingsPath))
{
    m_reach = new TableReach(m_server, m_session, this);
    wire();
}

// A line of the window's own in the chat. The chat takes what comes before the first colon as
// the line's label: a label of its own keeps addresses (HOST:PORT) whole.
void PlayingWithOthers::say(const QString& sentence)
{
    m_model.chat().addlinetochat(QStringLiteral("0+Quornet: ") + sentence, protocol::colors::Blue);
}

void PlayingWithOthers::addMenuItems(QMenu* file, QAction* before)
{
    auto* host = new QAction(tr("Host a Table..."), this);
    host->setObjectName(QStringLiteral("HostTable1"));
    connect(host, &QAction::triggered, this, [this] { openPlayDialog(int(PlayDialog::Tab::Host)); });
    auto* join = new QAction(tr("Join a Table..."), this);
    join->setObjectName(QStringLiteral("JoinTable1"));
    connect(join, &QAction::triggered, this, [this] { openPlayDialog(int(PlayDialog::Tab::Join)); });
    auto* copy = new QMenu(tr("Copy Invite Link"), &m_window);
    copy->setObjectName(QStringLiteral("CopyInviteLink1"));
    QAction* internet = copy->addAction(tr("For Players on the Internet"));
    QAction* local = copy->addAction(tr("For Players on This Network"));
    const auto copyLink = [this](const QString& link) {
        QApplication::clipboard()->setText(link);
        say(tr("Invite link copied: %1").arg(link));
    };
    connect(internet, &QAction::triggered, this, [this, copyLink] { copyLink(m_reach->internetInviteLink()); });
    connect(local, &QAction::triggered, this, [this, copyLink] { copyLink(m_reach->localInviteLink()); });
    auto* leave = new QAction(tr("Leave the Table"), this);
    leave->setObjectName(QStringLiteral("LeaveTable1"));
    connect(leave, &QAction::triggered, this, [this] {
        if (leaveCurrentTable(tr("Leave it and play solo?"))) backToSolo();
    });
    file->insertAction(before, host);
    file->insertAction(before, join);
    file->insertMenu(before, copy);
    file->insertAction(before, leave);
    file->insertSeparator(before);
    const auto sync = [this, copy, internet, local, leave] {
        const bool hosting = m_session.isHosting() && m_session.state() == Session::State::Hosting;
        copy->menuAction()->setEnabled(hosting);
        internet->setEnabled(hosting && !m_reach->internetInviteLink().isEmpty());
        local->setEnabled(hosting && !m_reach->localInviteLink().isEmpty());
        leave->setEnabled(m_session.atSharedTable());
    };
    connect(&m_session, &Session::stateChanged, this, sync);
    connect(copy, &QMenu::aboutToShow, this, sync);
    sync();
}

void PlayingWithOthers::wire()
{
    connect(m_reach, &TableReach::said, this, &PlayingWithOthers::say);
    connect(m_reach, &TableReach::wordsChanged, this, [this] {
        if (m_playDialog) m_playDialog->setReachability(m_reach->hostingWords());
    });
    m_watch.setTableEndHandler([this](const QString& why) { return tableEnded(why); });
    connect(&m_model, &TableModel::closeRequested, this, &PlayingWithOthers::tableCloseRequested);
    connect(&m_watch, &ConnectionWatch::reconnectingStarted, &m_session, &Session::reconnecting);
    connect(&m_model, &TableModel::rejoined, &m_session, &Session::reconnected);
    connect(&m_model, &TableModel::ownLogin, this, [this] {
        const bool arriving = m_session.state() == Session::State::Connecting;
        m_session.loggedIn();
        if (!arriving || m_session.isSolo()) return;
        rememberTable();
        if (m_playDialog) m_playDialog->hide();
    });
    // A private table: the password goes first on every connection, also after a reconnect.
    connect(&m_connection, &TableConnection::connected, this, [this] {
        m_passwordSent = false;
        const QString password = m_session.table().password;
        if (m_session.isSolo() || password.isEmpty()) return;
        m_passwordSent = m_connection.send(protocol::msg::password(protocol::toWire(password)));
    });
    connect(&m_model, &TableModel::passwordAsked, this, [this] {
        if (m_passwordSent) return; // the host's answer to the password follows
        m_watch.firstContactAnswered();
        m_connection.close();
        m_refusalShown = true;
        QMetaObject::invokeMethod(this, [this] { askPassword(tr("This table needs a password.")); },
                                  Qt::QueuedConnection);
    });
    connect(&m_model, &TableModel::versionDiffers, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            QMessageBox::warning(&m_window, Title,
                                 tr("The host runs another version of Quornet than yours (%1). Everyone at a "
                                    "table should run the same version; the game may go wrong otherwise.")
                                     .arg(QString::fromLatin1(protocol::VersionText)));
        }, Qt::QueuedConnection);
    });
    connect(&m_model, &TableModel::passwordRefused, this, [this] {
        m_watch.firstContactAnswered();
        m_connection.close();
        m_refusalShown = true;
        QMetaObject::invokeMethod(this, [this] {
            QMessageBox box(QMessageBox::Warning, Title, tr("Wrong password."), QMessageBox::Cancel, &m_window);
            box.setObjectName(QStringLiteral("wrong_password"));
            QPushButton* again = box.addButton(tr("Try Again"), QMessageBox::AcceptRole);
            box.setDefaultButton(again);
            box.exec();
            if (box.clickedButton() == again) askPassword(tr("Type the table's password:"));
            else firstContactFailed(QString());
        }, Qt::QueuedConnection);
    });
}

QString PlayingWithOthers::takeStartRequest()
{
    QString request = m_startRequest;
    m_startRequest.clear();
    if (!m_place.positional.isEmpty() && m_place.positional[0].startsWith(QLatin1String("quornet:"), Qt::CaseInsensitive)) {
        request = m_place.positional[0];
        m_place.positional.clear();
    }
    return request;
}

void PlayingWithOthers::openStartRequest(const QString& request)
{
    if (request == QLatin1String("host")) openPlayDialog(int(PlayDialog::Tab::Host));
    else if (request == QLatin1String("join")) openPlayDialog(int(PlayDialog::Tab::Join));
    else if (!request.isEmpty()) openInviteLink(request);
}

void PlayingWithOthers::rememberName(const QString& name)
{
    if (name.trimmed().isEmpty()) return;
    settings::PlaySettings s = playSettings();
    s.playerName = name.trimmed();
    savePlaySettings(s);
}

PlayDialog* PlayingWithOthers::playDialog()
{
    if (!m_playDialog) {
        m_playDialog = new PlayDialog(&m_window);
        if (m_reach->discoveryPort() != 0) m_playDialog->setDiscoveryPort(m_reach->discoveryPort());
        connect(m_playDialog, &PlayDialog::hostRequested, this, &PlayingWithOthers::hostTable);
        connect(m_playDialog, &PlayDialog::joinRequested, this, &PlayingWithOthers::joinTable);
        connect(m_playDialog, &PlayDialog::fieldsChanged, this, [this] { savePlaySettings(m_playDialog->values()); });
    }
    return m_playDialog;
}

void PlayingWithOthers::openPlayDialog(int tab)
{
    PlayDialog* dialog = playDialog();
    if (!dialog->isVisible()) dialog->load(playSettings());
    dialog->showTab(PlayDialog::Tab(tab));
    dialog->setReachability(m_session.isHosting() ? m_reach->hostingWords() : QStringList());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void PlayingWithOthers::openInviteLink(const QString& text)
{
    const net::LinkParse parse = net::parseInviteLink(text);
    if (!parse.ok) {
        QMessageBox::warning(&m_window, Title, tr("This invite link cannot be read: %1").arg(parse.error));
        return;
    }
    openPlayDialog(int(PlayDialog::Tab::Join));
    m_playDialog->fillFromLink(parse.link);
}

settings::PlaySettings PlayingWithOthers::playSettings() const
{
    settings::PlaySettings s;
    s.loadFrom(m_settingsPath());
    return s;
}

void PlayingWithOthers::savePlaySettings(const settings::PlaySettings& s) { s.saveTo(m_settingsPath()); }

void PlayingWithOthers::rememberTable()
{
    settings::PlaySettings s = playSettings();
    const Session::Table& t = m_session.table();
    settings::RecentTable recent;
    recent.role = t.role == Session::Role::Host ? settings::RecentTable::Role::Hosted : settings::RecentTable::Role::Joined;
    recent.host = t.role == Session::Role::Host ? QStringLiteral("127.0.0.1") : t.host;
    recent.port = t.port;
    recent.name = t.playerName;
    s.playerName = t.playerName;
    s.remember(recent);
    savePlaySettings(s);
    if (m_playDialog && !m_playDialog->isVisible()) m_playDialog->load(s);
}

bool PlayingWithOthers::leaveCurrentTable(const QString& question)
{
    if (!m_model.gameRunning()) return true;
    const bool kept = m_session.isSolo() && m_server.gameFile() != nullptr;
    return QMessageBox::question(&m_window, Title,
                                 (kept ? tr("A game is in progress: it is kept to finish later. %1")
                                       : tr("A game is in progress. %1")).arg(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void PlayingWithOthers::startAfresh()
{
    // A solo game in progress stays in its file, to be offered at the next solo table; a hosted
    // table's game the player chose to end goes with it.
    if (m_session.isSolo())
        m_server.saveGameNow();
    else
        m_server.discardSavedGame();
    m_server.setGameFile(QString());
    // The own connection first: its end is no news when the own host stops.
    m_watch.reset();
    m_connection.close();
    m_reach->stop();
    // The others at a hosted table are told it closes, so they do not try to come back.
    if (m_session.isHosting() && m_server.isListening()) m_server.closeTable();
    m_server.startAfresh();
    m_model.startAfresh();
    m_passwordSent = false;
    m_refusalShown = false;
}

void PlayingWithOthers::backToSolo()
{
    startAfresh();
    m_session.beginSolo();
    m_model.chat().addlinetochat(QStringLiteral("0+") + tr("Loading Solo Game..Please wait."), protocol::colors::Blue);
    m_model.setSolo(true);
    m_model.setPlayerName(tr("You"));
    emit playerNamed(tr("You"));
    m_server.engine().setRoundWaitsForHostUser(true);
    m_place.positional.clear();
    m_kept.resumeOrKeep(m_place.solo(), m_place.port); // a solo game kept when the window left it is offered again
    hostOwnTable();
}

void PlayingWithOthers::hostTable(const HostRequest& r)
{
    if (!leaveCurrentTable(tr("End it and host a table?"))) return;
    startAfresh();
    m_session.beginTable({Session::Role::Host, QString(), r.port, r.password, r.playerName, Session::Origin::Dialog});
    m_model.setSolo(false);
    m_model.setPlayerName(r.playerName);
    emit playerNamed(r.playerName);
    host::HostEngine& engine = m_server.engine();
    engine.setRoundWaitsForHostUser(false);
    engine.setPassword(protocol::toWire(r.password));
    // A table kept on this port (closed with "keep it", or a crash) is offered again, and this
    // table's game is kept after every move from now on.
    m_place.positional = {r.playerName, QStringLiteral("127.0.0.1"), QStringLiteral("true")};
    m_place.port = r.port;
    m_kept.resumeOrKeep(m_place.solo(), m_place.port);
    QString error;
    if (!m_server.listen(r.port, &error)) {
        QMessageBox::warning(&m_window, Title,
                             tr("The table cannot be hosted on port %1: another program on this computer "
                                "uses it. Choose another port.").arg(r.port));
        m_server.setGameFile(QString()); // a kept table stays in its file for another try
        m_session.firstContactFailed();
        backToSolo();
        openPlayDialog(int(PlayDialog::Tab::Host));
        return;
    }
    say((r.password.isEmpty() ? tr("Hosting a table on port %1.")
                                               : tr("Hosting a table on port %1 with a password."))
                            .arg(r.port));
    m_model.setHosting(true);
    m_server.setOwnWindowPort(m_connection.connectToOwnHost(m_server.port()));
    settings::PlaySettings choice;
    choice.hostFindable = r.findable;
    choice.hostRouter = r.openRouterPort;
    m_reach->announce(choice);
}

void PlayingWithOthers::joinTable(const JoinRequest& r)
{
    if (!leaveCurrentTable(tr("Leave it and join another table?"))) return;
    startAfresh();
    m_session.beginTable({Session::Role::Join, r.host, r.port, r.password, r.playerName, Session::Origin::Dialog});
    m_model.setSolo(false);
    m_model.setPlayerName(r.playerName);
    emit playerNamed(r.playerName);
    m_model.setHosting(false);
    m_place.address = r.host;
    // As a joined window of the command line: its seat is kept for a restart of the program.
    m_place.positional = {r.playerName, r.host, QStringLiteral("join")};
    say(tr("Joining the table at %1...").arg(net::hostAndPort(r.host, r.port)));
    m_watch.watchFirstContact();
    m_connection.connectToHost(r.host, r.port);
}

bool PlayingWithOthers::tableEnded(const QString& why)
{
    // The command line's table ends the program with it, as it always has.
    if (m_session.isSolo() || m_session.table().origin == Session::Origin::CommandLine) {
        m_session.close();
        return false;
    }
    if (m_refusalShown) return true; // a refusal of this attempt is on screen
    if (m_session.state() == Session::State::Connecting) {
        m_refusalShown = true;
        QMetaObject::invokeMethod(this, [this, why] { firstContactFailed(why); }, Qt::QueuedConnection);
        return true;
    }
    m_session.tableEnded();
    QMetaObject::invokeMethod(this, [this, why] {
        if (!why.isEmpty()) QMessageBox::information(&m_window, Title, why);
        backToSolo();
    }, Qt::QueuedConnection);
    return true;
}

void PlayingWithOthers::firstContactFailed(const QString& why)
{
    const Session::Table table = m_session.table();
    if (!why.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, Title, why, QMessageBox::Close, &m_window);
        box.setObjectName(QStringLiteral("first_contact"));
        QPushButton* again = box.addButton(tr("Try Again"), QMessageBox::AcceptRole);
        box.setDefaultButton(again);
        box.exec();
        if (box.clickedButton() == again) {
            joinTable({table.playerName, table.host, table.port, table.password});
            return;
        }
    }
    if (m_session.firstContactFailed() == Session::State::Closed) {
        m_window.close();
        return;
    }
    backToSolo();
    openPlayDialog(int(PlayDialog::Tab::Join));
}

void PlayingWithOthers::askPassword(const QString& text)
{
    const Session::Table table = m_session.table();
    bool ok = false;
    const QString password = QInputDialog::getText(&m_window, Title, text, QLineEdit::Password, QString(), &ok);
    if (!ok || password.isEmpty()) return firstContactFailed(QString());
    if (table.role == Session::Role::Host) return; // the own table's password is never asked
    if (m_playDialog) {
        // The join tab keeps the password that let the player in.
        settings::PlaySettings s = playSettings();
        s.joinPassword = password;
        savePlaySettings(s);
        m_playDialog->load(s);
    }
    joinTable({table.playerName, table.host, table.port, password});
}

void PlayingWithOthers::tableCloseRequested()
{
    // A full table: the window goes back to a table of its own when it came from the dialog.
    if (m_session.isSolo() || m_session.table().origin == Session::Origin::CommandLine) {
        m_window.close();
        return;
    }
    m_watch.firstContactAnswered();
    m_connection.close();
    if (m_session.state() == Session::State::Connecting) {
        m_refusalShown = true;
        QMetaObject::invokeMethod(this, [this] { firstContactFailed(QString()); }, Qt::QueuedConnection);
        return;
    }
    m_session.tableEnded();
    QMetaObject::invokeMethod(this, &PlayingWithOthers::backToSolo, Qt::QueuedConnection);
}

void PlayingWithOthers::beginCommandLineTable(bool hosting)
{
    m_session.beginTable({hosting ? Session::Role::Host : Session::Role::Join, m_place.address, m_place.port,
                          QString(), m_place.positional.value(0), Session::Origin::CommandLine});
}

void PlayingWithOthers::hostOwnTable()
{
    QString error;
    if (!m_server.isListening() && !m_server.listen(m_place.port, &error)) {
        QMessageBox::critical(&m_window, Title, error);
        return;
    }
    m_model.setHosting(true);
    // Only this window's own connection is given participant 1 and the host user's rights.
    m_server.setOwnWindowPort(m_connection.connectToOwnHost(m_server.port()));
}

void PlayingWithOthers::joinPlacedTable()
{
    m_model.setHosting(false);
    m_watch.watchFirstContact();
    m_connection.connectToHost(m_place.address, m_place.port);
}

} // namespace quornet::table
