// The tally list window: following players from the table, counting games into the labels,
// the confirmations, and a restart that reads the same grid back with the session zeroed.
#include "support/files.h"
#include "windows/tallylistform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using quornet::windows::Ttallylist;

namespace
{

// Answers the window's questions and remembers them.
struct Answers {
    QStringList asked;
    bool reply = true;
    quornet::windows::AskFunction function()
    {
        return [this](QWidget*, const QString& text) {
            asked.append(text);
            return reply;
        };
    }
};

QString text(const Ttallylist& w, const char* name)
{
    auto* l = w.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

// label_1 .. label_8.
QStringList panel(const Ttallylist& w)
{
    QStringList out;
    for (int i = 1; i <= 8; ++i)
        out.append(text(w, QStringLiteral("label_%1").arg(i).toLatin1().constData()));
    return out;
}

QListWidget* list(const Ttallylist& w, const char* name)
{
    return w.findChild<QListWidget*>(QString::fromLatin1(name));
}

// The names of a check list with "+" in front of the checked ones.
QStringList entries(QListWidget* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out.append((l->item(i)->checkState() == Qt::Checked ? "+" : "") + l->item(i)->text());
    return out;
}

QListWidgetItem* entry(QListWidget* l, const QString& name)
{
    const auto found = l->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// A user's click on the text of an entry.
void clickEntry(QListWidget* l, const QString& name)
{
    QListWidgetItem* item = entry(l, name);
    QVERIFY(item);
    const QRect r = l->visualItemRect(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center() + QPoint(20, 0));
}

const QStringList Seats = {"Bob", "Ann", "Carl", "<Waiting>"};

} // namespace

class TestTallyList : public QObject
{
    Q_OBJECT
private slots:
    void windowShape()
    {
        QTemporaryDir dir;
        Ttallylist w(dir.path());
        QCOMPARE(w.windowTitle(), QString("Quornet - Tally List"));
        QCOMPARE(w.size(), QSize(463, 376));
        QCOMPARE(w.startupError(), QString());
        QCOMPARE(text(w, "mylabel_1"), QString("0"));
        QCOMPARE(text(w, "mylabel_2"), QString("0"));
        QCOMPARE(panel(w), QStringList(8, "0"));
        QVERIFY(w.findChild<QPushButton*>("button_reset"));
        QStringList captions;
        for (auto* l : w.findChildren<QLabel*>())
            captions << l->text();
        for (const char* c : {"Your Total Tally", "Total Games:", "Your Wins", "Total", "Session",
                              "Number of Games", "Your Wins:", "Wins as a Team:",
                              "Players In Current Game", "Players Being Tallied"})
            QVERIFY2(captions.contains(QString::fromLatin1(c)), c);
    }

    void restartKeepsTheGrid()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Answers answers;
        auto w = std::make_unique<Ttallylist>(dir.path());
        w->setLocalPlayer("Bob");
        w->setAskFunction(answers.function());
        w->show();

        // The own seat and the empty seat are left out.
        w->loadchecklist(Seats, 1);
        QListWidget* current = list(*w, "checklist");
        QListWidget* tallied = list(*w, "listbox_tally");
        QCOMPARE(entries(current), (QStringList{"Ann", "Carl"}));

        // Ticking a player at the table starts tallying it.
        entry(current, "Ann")->setCheckState(Qt::Checked);
        entry(current, "Carl")->setCheckState(Qt::Checked);
        QCOMPARE(entries(tallied), (QStringList{"+Ann", "+Carl"}));
        QCOMPARE(entries(current), (QStringList{"+Ann", "+Carl"}));

        QVERIFY(w->addgame("Ann and Bob"));
        QCOMPARE(text(*w, "mylabel_1"), QString("1"));
        QCOMPARE(text(*w, "mylabel_2"), QString("1"));
        clickEntry(tallied, "Ann");
        QCOMPARE(text(*w, "label_hisnametop"), QString("Ann's Tally"));
        QCOMPARE(text(*w, "label_hisname"), QString("Ann Wins:"));
        QCOMPARE(panel(*w), (QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}));

        // The selected player is shown again after each game.
        QVERIFY(w->addgame("Carl and Dan"));
        QCOMPARE(text(*w, "mylabel_1"), QString("2"));
        QCOMPARE(text(*w, "mylabel_2"), QString("1"));
        QCOMPARE(panel(*w), (QStringList{"2", "0", "0", "1", "2", "0", "0", "1"}));
        clickEntry(tallied, "Carl");
        QCOMPARE(text(*w, "label_hisnametop"), QString("Carl's Tally"));
        QCOMPARE(panel(*w), (QStringList{"2", "1", "1", "0", "2", "1", "1", "0"}));

        // A tie counts nothing.
        QVERIFY(!w->addgame("No One"));
        QCOMPARE(text(*w, "mylabel_1"), QString("2"));
        QVERIFY(answers.asked.isEmpty());

        w.reset(); // the program ends: the tally is saved
        QVERIFY(QFile::exists(dir.filePath("quornettally.tld")));

        w = std::make_unique<Ttallylist>(dir.path());
        w->setLocalPlayer("Bob");
        w->show();
        QCOMPARE(w->startupError(), QString());
        QCOMPARE(text(*w, "mylabel_1"), QString("2"));
        QCOMPARE(text(*w, "mylabel_2"), QString("1"));
        tallied = list(*w, "listbox_tally");
        QCOMPARE(entries(tallied), (QStringList{"+Ann", "+Carl"}));
        clickEntry(tallied, "Ann");
        QCOMPARE(panel(*w), (QStringList{"2", "0", "0", "1", "0", "0", "0", "0"}));
        clickEntry(tallied, "Carl");
        QCOMPARE(panel(*w), (QStringList{"2", "1", "1", "0", "0", "0", "0", "0"}));

        // Back at a table (seen from seat 3 this time): the tallied names come checked, and the
        // next game counts in total and session.
        w->loadchecklist({"Ann", "Dan", "Bob", "Carl"}, 3);
        QCOMPARE(entries(list(*w, "checklist")), (QStringList{"+Ann", "Dan", "+Carl"}));
        QVERIFY(w->addgame("Bob and Ann"));
        QCOMPARE(text(*w, "mylabel_1"), QString("3"));
        QCOMPARE(text(*w, "mylabel_2"), QString("2"));
        QCOMPARE(panel(*w), (QStringList{"3", "1", "2", "0", "1", "0", "1", "0"}));
        clickEntry(tallied, "Ann");
        QCOMPARE(panel(*w), (QStringList{"3", "0", "0", "2", "1", "0", "0", "1"}));
    }

    void confirmations()
    {
        QTemporaryDir dir;
        Answers answers;
        Ttallylist w(dir.path());
        w.setLocalPlayer("Bob");
        w.setAskFunction(answers.function());
        w.show();
        w.loadchecklist(Seats, 1);
        QListWidget* current = list(w, "checklist");
        QListWidget* tallied = list(w, "listbox_tally");
        entry(current, "Ann")->setCheckState(Qt::Checked);
        entry(current, "Carl")->setCheckState(Qt::Checked);
        QVERIFY(w.addgame("Ann and Bob"));

        // No keeps the player.
        answers.reply = false;
        entry(tallied, "Ann")->setCheckState(Qt::Unchecked);
        QCOMPARE(answers.asked,
                 QStringList{"This will delete Ann's Tally, Are you want to delete it?"});
        QCOMPARE(entries(tallied), (QStringList{"+Ann", "+Carl"}));
        QCOMPARE(w.book().tallied(), (QStringList{"Ann", "Carl"}));

        // Yes deletes the row; the later rows move up and the table list follows.
        clickEntry(tallied, "Ann");
        answers.reply = true;
        entry(tallied, "Ann")->setCheckState(Qt::Unchecked);
        QCOMPARE(answers.asked.size(), 2);
        QCOMPARE(entries(tallied), QStringList{"+Carl"});
        QCOMPARE(w.book().tallied(), QStringList{"Carl"});
        QCOMPARE(entries(current), (QStringList{"Ann", "+Carl"}));
        clickEntry(tallied, "Carl");
        QCOMPARE(panel(w), (QStringList{"1", "0", "1", "0", "1", "0", "1", "0"}));

        // Unticking a tallied player at the table deletes nothing and keeps the tick.
        entry(current, "Carl")->setCheckState(Qt::Unchecked);
        QCOMPARE(entries(current), (QStringList{"Ann", "+Carl"}));
        QCOMPARE(w.book().tallied(), QStringList{"Carl"});
        QCOMPARE(answers.asked.size(), 2);

        // Following Ann again starts her from zero.
        entry(current, "Ann")->setCheckState(Qt::Checked);
        clickEntry(tallied, "Ann");
        QCOMPARE(panel(w), QStringList(8, "0"));

        // Reset: No leaves everything, Yes clears it all.
        answers.reply = false;
        QTest::mouseClick(w.findChild<QPushButton*>("button_reset"), Qt::LeftButton);
        QCOMPARE(answers.asked.last(), QString("Are you sure you want to reset the Tally?"));
        QCOMPARE(text(w, "mylabel_1"), QString("1"));
        QCOMPARE(tallied->count(), 2);
        answers.reply = true;
        clickEntry(tallied, "Carl");
        QTest::mouseClick(w.findChild<QPushButton*>("button_reset"), Qt::LeftButton);
        QCOMPARE(answers.asked.size(), 4);
        QCOMPARE(text(w, "mylabel_1"), QString("0"));
        QCOMPARE(text(w, "mylabel_2"), QString("0"));
        QCOMPARE(tallied->count(), 0);
        QCOMPARE(panel(w), QStringList(8, "0"));
        QCOMPARE(entries(current), (QStringList{"Ann", "Carl"}));
        QVERIFY(w.book().tallied().isEmpty());
    }

    void spectatorsAndStrangers()
    {
        QTemporaryDir dir;
        Ttallylist w(dir.path());
        w.setLocalPlayer("Eve");
        w.setAskFunction([](QWidget*, const QString&) { return true; });
        // A spectator sees all four seats.
        w.loadchecklist({"Ann", "Bob", "Carl", "Dan"}, 0);
        QListWidget* current = list(w, "checklist");
        QCOMPARE(entries(current), (QStringList{"Ann", "Bob", "Carl", "Dan"}));
        entry(current, "Dan")->setCheckState(Qt::Checked);
        // Dan left before the game ended: he is not counted, the local player's game is.
        w.loadchecklist({"Ann", "Bob", "Carl", "<Waiting>"}, 0);
        QVERIFY(w.addgame("Bob and Dan"));
        QCOMPARE(text(w, "mylabel_1"), QString("1"));
        QCOMPARE(text(w, "mylabel_2"), QString("0"));
        w.selectTallied(0);
        QCOMPARE(panel(w), QStringList(8, "0"));
        w.selectTallied(-1);
        QCOMPARE(text(w, "label_hisnametop"), QString("No player selected"));
    }

    void unreadableFileIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("quornettally.tld");
        QVERIFY(quornet::testing::writeFile(path, "this is no tally"));
        {
            Ttallylist w(dir.path());
            QVERIFY(w.startupError().contains("no valid header"));
            QVERIFY(w.startupError().contains("quornettally.tld.bad"));
            QCOMPARE(text(w, "mylabel_1"), QString("0"));
            QCOMPARE(list(w, "listbox_tally")->count(), 0);
        }
        // Saved at the end, with the unreadable file kept beside it.
        QCOMPARE(quornet::testing::readFile(path + ".bad"), QByteArray("this is no tally"));
        Ttallylist again(dir.path());
        QCOMPARE(again.startupError(), QString());
    }
};

QTEST_MAIN(TestTallyList)
#include "test_tallylist.moc"
