// TableReach: what a table hosted from this window tells the world about itself. It answers
// players looking for tables on the network, asks the router to open the port, makes the invite
// links (for this network and, when the router opened the port at a public address, for the
// internet) and says in sentences who can join, telling the chat each new one.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace quornet::host {
class TServer;
}
namespace quornet::net {
class PortForwarding;
}
namespace quornet::settings {
class PlaySettings;
}

namespace quornet::table {

class Session;

class TableReach : public QObject {
    Q_OBJECT
public:
    TableReach(host::TServer& server, const Session& session, QObject* parent = nullptr);
    ~TableReach() override;

    // The UDP port the hosted table answers finders on; 0: the environment's (tests use their own).
    void setDiscoveryPort(quint16 port) { m_discoveryPort = port; }
    quint16 discoveryPort() const { return m_discoveryPort; }

    // The table listens: it answers finders and asks the router for its port, as chosen.
    void announce(const settings::PlaySettings& choice);
    // The table is left: the router's mapping goes, and the next table's sentences are all new.
    void stop();

    // Who can join the hosted table, in sentences.
    QStringList reachability() const;
    // Those sentences and the invite links, as the play dialog's host tab shows them.
    QStringList hostingWords() const;
    // The invite links of the hosted table; empty when there is none (the internet's needs the
    // router to have opened the port at a public address).
    QString localInviteLink() const;
    QString internetInviteLink() const;

signals:
    // A sentence the chat has not had yet.
    void said(const QString& sentence);
    // hostingWords() changed (the router answered).
    void wordsChanged();

private:
    void showReachability();
    void routerChanged();

    host::TServer& m_server;
    const Session& m_session;
    std::unique_ptr<net::PortForwarding> m_router;
    quint16 m_discoveryPort = 0;
    QStringList m_shown; // the sentences the chat has had
};

} // namespace quornet::table
