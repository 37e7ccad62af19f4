// Keeps a second copy of the program from running: the first copy holds the local endpoint
// "oxev42"; a second copy finds it, asks the first to bring its window to the front (and hands
// it what it was started for: an invite link, or a tab of the play dialog), and exits.
// The first copy also holds the presence marker "quornet", which other programs of the same
// maker may probe. Both live in the user's temporary folder (TMPDIR), so separate TMPDIRs let
// tests run two copies side by side.
#pragma once

#include <QLocalServer>
#include <QObject>

namespace quornet::table {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    static constexpr const char* GuardName = "oxev42";
    static constexpr const char* PresenceName = "quornet";

    explicit InstanceGuard(QObject* parent = nullptr);

    // True when another copy runs; that copy has been asked to come to the front, and to open
    // `request` (an invite link, "host" or "join") when one is given.
    bool anotherCopyRuns(const QString& request = {});
    // Claims the guard for this copy. Returns false only when another copy claimed it first.
    bool claim();
    // Creates the presence marker (never tested or released; it lives until the process ends).
    void createPresenceMarker();

    // The most a request line may hold (an invite link is at most 1024 characters).
    static constexpr int MaxRequestBytes = 4096;

signals:
    void raiseRequested();
    // A second copy was started with an invite link or for a dialog tab (after raiseRequested()).
    void requestReceived(const QString& request);

private:
    bool askFirstCopyToRaise(const QString& request = {});

    QLocalServer m_guard;
    QLocalServer m_presence;
};

} // namespace quornet::table
