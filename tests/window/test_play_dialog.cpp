// Playing with others from the window, two table windows with their hosts in one process: one
// hosts a private table from the host tab, the table is found on the network with its seats
// and password, the other opens an invite link (the join tab filled in, Join the default
// button), is refused a wrong password, tries again and sits down; the host goes back to a solo
// table and the joined window, told the table closed, goes back to one of its own. Both tabs'
// fields are kept in the settings file, and the last tables with the names used.
#include "net/invitelink.h"
#include "net/tablefinder.h"
#include "settings/playsettings.h"
#include "support/copies.h"
#include "support/windowrig.h"
#include "table/window/playdialog.h"
#include "table/window/playingwithothers.h"
#include "table/window/tablereach.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

using quornet::table::PlayDialog;
using quornet::table::Session;
using quornet::testing::WindowRig;

namespace {
constexpr int Deadline = 20000;
constexpr int FinderRoundMs = 100;

// Answers the boxes the windows open, in the order given: a box whose text holds `text` gets
// `button` pressed (a message box) or `answer` typed (a question for the password).
class BoxAnswers : public QObject {
public:
    struct Answer {
        QString text;
        QString button; // a message box's button
        QString answer; // an input dialog's text
    };
    explicit BoxAnswers(QList<Answer> answers) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswers::look);
        m_timer.start(20);
    }
    QStringList seen;
    bool done() const { return m_answers.isEmpty(); }

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_answers.isEmpty()) return;
        const Answer a = m_answers.first();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (!box->text().contains(a.text)) return;
            seen << box->text();
            m_answers.removeFirst();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == a.button) return b->click();
            box->close();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            if (!input->labelText().contains(a.text)) return;
            seen << input->labelText();
            m_answers.removeFirst();
            input->setTextValue(a.answer);
            input->accept();
        }
    }
    QList<Answer> m_answers;
    QTimer m_timer;
};
} // namespace

class TestPlayDialog : public QObject {
    Q_OBJECT
private slots:
    void hostFindJoinWithAPasswordAndBackToSolo()
    {
        const quint16 udp = quornet::testing::freePort();
        QVERIFY(udp != 0);
        WindowRig ann(11), bob(12);
        for (WindowRig* rig : {&ann, &bob}) rig->chat.others().reach().setDiscoveryPort(udp);
        QVERIFY(ann.startSolo(50));
        QCOMPARE(ann.chat.others().session().state(), Session::State::Solo);

        // Ann hosts a private table from the host tab (any free port, no router here).
        ann.chat.others().openPlayDialog(int(PlayDialog::Tab::Host));
        PlayDialog* annDialog = ann.chat.others().playDialog();
        annDialog->findChild<QLineEdit*>("host_name")->setText("Ann");
        annDialog->findChild<QSpinBox*>("host_port")->setValue(quornet::testing::freePort());
        annDialog->findChild<QLineEdit*>("host_password")->setText("sesame");
        annDialog->findChild<QCheckBox*>("host_router")->setChecked(false);
        QVERIFY(annDialog->findChild<QPushButton*>("host_button")->isDefault());
        annDialog->findChild<QPushButton*>("host_button")->click();
        QTRY_COMPARE_WITH_TIMEOUT(ann.chat.others().session().state(), Session::State::Hosting, Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(!annDialog->isVisible(), Deadline);
        const quint16 port = ann.program.server.port();
        QVERIFY(ann.program.server.engine().needsPassword());
        QVERIFY(ann.chat.others().reach().localInviteLink().endsWith(QStringLiteral(":%1?password=sesame").arg(port)));
        QVERIFY(ann.chat.others().reach().internetInviteLink().isEmpty()); // the router was not asked
        QVERIFY(ann.chat.others().reach().reachability().join(' ').contains(QString::number(port)));

        // Bob's window is given the link (as `quornet quornet://...` or a second copy would).
        QVERIFY(bob.startSolo(50)); // its own solo table first
        bob.chat.others().openInviteLink(QStringLiteral("quornet://127.0.0.1:%1").arg(port));
        PlayDialog* dialog = bob.chat.others().playDialog();
        dialog->setFinderInterval(FinderRoundMs);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->currentTab(), PlayDialog::Tab::Join);
        QCOMPARE(dialog->findChild<QLineEdit*>("join_address")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(dialog->findChild<QSpinBox*>("join_port")->value(), int(port));
        QVERIFY(dialog->findChild<QPushButton*>("join_button")->isDefault());

        // The table is found on this network with Ann's seat and its password.
        QTreeWidget* found = dialog->foundList();
        QTRY_VERIFY_WITH_TIMEOUT(found->topLevelItemCount() >= 1, Deadline);
        QTreeWidgetItem* row = nullptr;
        for (int i = 0; i < found->topLevelItemCount(); ++i)
            if (found->topLevelItem(i)->text(PlayDialog::ColumnAddress).endsWith(QStringLiteral(":%1").arg(port)))
                row = found->topLevelItem(i);
        QVERIFY(row);
        QCOMPARE(row->text(PlayDialog::ColumnName), QStringLiteral("Ann"));
        QCOMPARE(row->text(PlayDialog::ColumnSeats), QStringLiteral("1/4"));
        QCOMPARE(row->text(PlayDialog::ColumnPassword), QStringLiteral("password"));
        // A click on it fills the address and the port in.
        dialog->findChild<QLineEdit*>("join_address")->clear();
        dialog->findChild<QSpinBox*>("join_port")->setValue(1);
        QTest::mouseClick(found->viewport(), Qt::LeftButton, {}, found->visualItemRect(row).center());
        QCOMPARE(dialog->findChild<QLineEdit*>("join_address")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(dialog->findChild<QSpinBox*>("join_port")->value(), int(port));

        // Join without the password: asked, a wrong one refused, Try Again, the right one.
        BoxAnswers answers({{"This table needs a password.", {}, "wrong"},
                            {"Wrong password.", "Try Again", {}},
                            {"password", {}, "sesame"}});
        dialog->findChild<QLineEdit*>("join_name")->setText("Bob");
        dialog->findChild<QPushButton*>("join_button")->click();
        QTRY_COMPARE_WITH_TIMEOUT(bob.chat.others().session().state(), Session::State::Joined, Deadline);
        QVERIFY(answers.done());
        QCOMPARE(bob.state().seat(2).name, QStringLiteral("Bob"));
        QTRY_COMPARE_WITH_TIMEOUT(ann.state().seat(2).name, QStringLiteral("Bob"), Deadline);
        QVERIFY(!bob.chat.others().session().table().password.isEmpty());

        // Both remember the table, with the name used there.
        quornet::settings::PlaySettings bobs;
        QVERIFY(bobs.loadFrom(bob.settingsPath()));
        QCOMPARE(bobs.playerName, QStringLiteral("Bob"));
        QVERIFY(!bobs.recent.isEmpty());
        QCOMPARE(bobs.recent[0].port, port);
        QCOMPARE(bobs.recent[0].name, QStringLiteral("Bob"));
        quornet::settings::PlaySettings anns;
        QVERIFY(anns.loadFrom(ann.settingsPath()));
        QCOMPARE(anns.recent.value(0).role, quornet::settings::RecentTable::Role::Hosted);
        QCOMPARE(anns.hostPassword, QStringLiteral("sesame"));
        QVERIFY(!anns.hostRouter);

        // Ann leaves: her window plays solo again; Bob's is told and does the same.
        BoxAnswers closed({{"closed the table", "OK", {}}});
        ann.chat.others().backToSolo();
        QCOMPARE(ann.chat.others().session().state(), Session::State::Solo);
        QTRY_VERIFY_WITH_TIMEOUT(ann.state().loggedIn && ann.state().seat(1).name == QLatin1String("You"), Deadline);
        QVERIFY(!ann.program.server.engine().needsPassword());
        QTRY_COMPARE_WITH_TIMEOUT(bob.chat.others().session().state(), Session::State::Solo, Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(bob.state().loggedIn && bob.state().seat(1).name == QLatin1String("You"), Deadline);
        QVERIFY(bob.chat.isVisible());
        QVERIFY(closed.done());
    }
};

QTEST_MAIN(TestPlayDialog)
#include "test_play_dialog.moc"
