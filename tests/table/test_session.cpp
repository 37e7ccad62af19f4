// The session's states: a solo table, a hosted and a joined table from the dialog (each goes
// back to a fresh solo table when it ends), reconnecting, refusals at the first contact, and a
// table of the command line, whose end closes the window.
#include "table/core/session.h"

#include <QSignalSpy>
#include <QtTest>

using quornet::table::Session;
using State = Session::State;

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void fromTheDialogEveryTableEndsAtASoloTable()
    {
        Session s;
        QSignalSpy changes(&s, &Session::stateChanged);
        s.beginSolo();
        QCOMPARE(s.state(), State::Solo);
        QVERIFY(!s.atSharedTable());
        s.loggedIn(); // the solo table's own login changes nothing
        QCOMPARE(s.state(), State::Solo);

        // Solo -> hosting -> solo.
        s.beginTable({Session::Role::Host, {}, 7800, QStringLiteral("pw"), QStringLiteral("Ann"), Session::Origin::Dialog});
        QCOMPARE(s.state(), State::Connecting);
        QVERIFY(s.atSharedTable());
        s.reconnecting(); // only a joined window reconnects
        QCOMPARE(s.state(), State::Connecting);
        s.loggedIn();
        QCOMPARE(s.state(), State::Hosting);
        QCOMPARE(s.table().password, QStringLiteral("pw"));
        QCOMPARE(s.tableEnded(), State::Solo);
        QVERIFY(s.isSolo());
        QCOMPARE(s.table().playerName, QStringLiteral("You"));

        // Joined -> lost -> back -> the table ends.
        s.beginTable({Session::Role::Join, QStringLiteral("192.0.2.7"), 7772, {}, QStringLiteral("Bob"), Session::Origin::Dialog});
        s.loggedIn();
        QCOMPARE(s.state(), State::Joined);
        s.reconnecting();
        QCOMPARE(s.state(), State::Reconnecting);
        s.reconnected();
        QCOMPARE(s.state(), State::Joined);
        QCOMPARE(s.tableEnded(), State::Solo);

        // A refused first contact (full, wrong password, nobody there) goes back to solo; a
        // second try is a new Connecting.
        s.beginTable({Session::Role::Join, QStringLiteral("192.0.2.7"), 7772, {}, QStringLiteral("Bob"), Session::Origin::Dialog});
        changes.clear();
        s.beginTable(s.table());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(s.firstContactFailed(), State::Solo);
        QCOMPARE(s.firstContactFailed(), State::Solo); // only Connecting fails so
        QCOMPARE(Session::stateName(State::Reconnecting), QStringLiteral("Reconnecting"));
    }

    void theCommandLinesTableClosesTheWindowWhenItEnds()
    {
        for (const Session::Role role : {Session::Role::Host, Session::Role::Join}) {
            Session s;
            s.beginTable({role, QStringLiteral("127.0.0.1"), 7772, {}, QStringLiteral("Cid"), Session::Origin::CommandLine});
            s.loggedIn();
            QCOMPARE(s.state(), role == Session::Role::Host ? State::Hosting : State::Joined);
            QCOMPARE(s.tableEnded(), State::Closed);
            // Nothing comes back from Closed.
            s.loggedIn();
            s.reconnecting();
            QCOMPARE(s.state(), State::Closed);
            QCOMPARE(s.tableEnded(), State::Closed);

            Session refused;
            refused.beginTable({role, QStringLiteral("127.0.0.1"), 7772, {}, QStringLiteral("Cid"), Session::Origin::CommandLine});
            QCOMPARE(refused.firstContactFailed(), State::Closed);
        }
        // A solo table's end is the window's end.
        Session solo;
        solo.beginSolo();
        QCOMPARE(solo.tableEnded(), State::Closed);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
