// The spy list with real mouse events: the entry under the pointer, the context menu and its
// "Remove From Game", hosting, and the wiring to the table model's kick operation.
#define QTEST_QPA_MOUSE_HANDLING // mouse events through the window, so right clicks open menus
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "windows/spylist.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using quornet::windows::Tspylist;
namespace msg = quornet::protocol::msg;

namespace {

const QStringList TwoSpies{QStringLiteral("5: Eve"), QStringLiteral("6: Fay")};

struct Window {
    Tspylist spylist;
    QListWidget* list = spylist.findChild<QListWidget*>(QStringLiteral("listbox_spys"));
    QMenu* popup = spylist.findChild<QMenu*>(QStringLiteral("popup_kick"));
    QAction* kick = spylist.findChild<QAction*>(QStringLiteral("popup_kickhim"));
    QSignalSpy kicks{&spylist, &Tspylist::kickRequested};

    bool show(const QStringList& entries, bool hosting)
    {
        spylist.setEntries(entries);
        spylist.setHosting(hosting);
        spylist.show();
        return QTest::qWaitForWindowExposed(&spylist);
    }
    QWidget* viewport() const { return list->viewport(); }
    QPoint rowCentre(int row) const { return list->visualItemRect(list->item(row)).center(); }
    // A point of the list below its last entry.
    QPoint belowLast() const
    {
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        return QPoint(last.center().x(), last.bottom() + 20);
    }
    // Right click at pos (after the pointer moved there) and wait for the menu.
    bool rightClick(const QPoint& pos)
    {
        QTest::mouseMove(viewport(), pos);
        QTest::mouseClick(viewport(), Qt::RightButton, {}, pos);
        return QTest::qWaitFor([this] { return popup->isVisible(); }, 5000);
    }
    // Clicks "Remove From Game" in the open menu.
    void chooseRemove()
    {
        const QPoint item = popup->actionGeometry(kick).center();
        QTest::mouseMove(popup, item);
        QTest::mouseClick(popup, Qt::LeftButton, {}, item);
        QTest::qWait(0);
        if (popup->isVisible()) popup->hide(); // a disabled item leaves the menu open
    }
};

} // namespace

class TestSpyList : public QObject {
    Q_OBJECT
private slots:
    void windowParts()
    {
        Window w;
        QCOMPARE(w.spylist.windowTitle(), QStringLiteral("Q R T - Spys"));
        QCOMPARE(w.spylist.size(), QSize(170, 195));
        QVERIFY(w.spylist.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.list && w.popup && w.kick);
        QCOMPARE(w.kick->text(), QStringLiteral("Remove From Game"));
        // "Remove From Game", then this window's own "Mute".
        QCOMPARE(w.popup->actions().size(), 3);
        QCOMPARE(w.popup->actions().first(), w.kick);
        QVERIFY(w.popup->actions().at(1)->isSeparator());
        QCOMPARE(w.popup->actions().at(2)->text(), QStringLiteral("Mute"));
        QVERIFY(!w.kick->isEnabled()); // disabled at creation
        const auto labels = w.spylist.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(),
                            [](QLabel* l) { return l->text() == QLatin1String("Spy List"); }));
        QCOMPARE(w.spylist.hoveredEntry(), -1);
        // Every part lies inside the window.
        for (QWidget* child : w.spylist.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow())
                QVERIFY2(w.spylist.rect().contains(child->geometry()),
                         qPrintable(child->objectName()));
    }

    void entriesAndPointer()
    {
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        QCOMPARE(w.list->count(), 2);
        QCOMPARE(w.list->item(1)->text(), QStringLiteral("6: Fay"));
        QCOMPARE(w.spylist.entries(), TwoSpies);

        QTest::mouseMove(w.viewport(), w.rowCentre(1));
        QTRY_COMPARE(w.spylist.hoveredEntry(), 1);
        QTest::mouseMove(w.viewport(), w.rowCentre(0));
        QTRY_COMPARE(w.spylist.hoveredEntry(), 0);
        QTest::mouseMove(w.viewport(), w.belowLast());
        QTRY_COMPARE(w.spylist.hoveredEntry(), -1);

        // The same entries again (the table window repeats them on every change) keep it.
        QTest::mouseMove(w.viewport(), w.rowCentre(1));
        QTRY_COMPARE(w.spylist.hoveredEntry(), 1);
        w.spylist.setEntries(TwoSpies);
        QCOMPARE(w.spylist.hoveredEntry(), 1);
        // Other entries: the remembered row may name someone else now, so it is forgotten.
        w.spylist.setEntries({QStringLiteral("6: Fay")});
        QCOMPARE(w.spylist.hoveredEntry(), -1);
        QCOMPARE(w.list->count(), 1);
        w.spylist.setEntries({});
        QCOMPARE(w.list->count(), 0);
    }

    void removeOnAnEntryWhileHosting()
    {
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        QVERIFY(w.rightClick(w.rowCentre(1)));
        QCOMPARE(w.spylist.hoveredEntry(), 1);
        QVERIFY(w.kick->isEnabled());
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 1);
        QCOMPARE(w.kicks.takeFirst().at(0).toInt(), 6);
        QVERIFY(!w.popup->isVisible());

        QVERIFY(w.rightClick(w.rowCentre(0)));
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 1);
        QCOMPARE(w.kicks.takeFirst().at(0).toInt(), 5);
    }

    void removeBelowTheLastEntryDoesNothing()
    {
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        // The pointer was on an entry first, then the right click comes below the last one.
        QTest::mouseMove(w.viewport(), w.rowCentre(1));
        QTRY_COMPARE(w.spylist.hoveredEntry(), 1);
        QVERIFY(w.rightClick(w.belowLast()));
        QCOMPARE(w.spylist.hoveredEntry(), -1);
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 0);
        // An empty list too.
        w.spylist.setEntries({});
        QVERIFY(w.rightClick(QPoint(20, 20)));
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 0);
    }

    void greyedOutWhenNotHosting()
    {
        Window w;
        QVERIFY(w.show(TwoSpies, false));
        QVERIFY(w.rightClick(w.rowCentre(0)));
        QVERIFY(!w.kick->isEnabled());
        w.chooseRemove();
        w.kick->trigger(); // even a triggered disabled item does nothing
        QCOMPARE(w.kicks.count(), 0);

        w.spylist.setHosting(true);
        QVERIFY(w.spylist.hosting());
        QVERIFY(w.rightClick(w.rowCentre(0)));
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 1);
        w.spylist.setHosting(false);
        QVERIFY(!w.kick->isEnabled());
    }

    void entriesThatNameNoNumber_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("kicks");
        QTest::addColumn<int>("number");
        QTest::newRow("5: Eve") << QStringLiteral("5: Eve") << true << 5;
        QTest::newRow("name with colon") << QStringLiteral("7: Al: the 2nd") << true << 7;
        QTest::newRow("no number") << QStringLiteral("x: Odd") << false << 0;
        QTest::newRow("number and letters") << QStringLiteral("5a: Odd") << false << 0;
        QTest::newRow("no colon") << QStringLiteral("5 Eve") << false << 0;
        QTest::newRow("empty label") << QStringLiteral(": Eve") << false << 0;
    }

    void entriesThatNameNoNumber()
    {
        QFETCH(QString, entry);
        QFETCH(bool, kicks);
        QFETCH(int, number);
        bool ok = !kicks;
        QCOMPARE(Tspylist::participantOf(entry, &ok), number);
        QCOMPARE(ok, kicks);

        Window w;
        QVERIFY(w.show({entry}, true));
        QVERIFY(w.rightClick(w.rowCentre(0)));
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), kicks ? 1 : 0);
        if (kicks) QCOMPARE(w.kicks.at(0).at(0).toInt(), number);
    }

    void entriesChangingUnderTheOpenMenu()
    {
        // A spectator leaves while the menu is open: the row under the menu now holds another
        // spectator, who must not be removed.
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        QVERIFY(w.rightClick(w.rowCentre(0)));
        w.spylist.setEntries({QStringLiteral("6: Fay")});
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 0);
    }

    void pointerRestingWhileTheListChanges()
    {
        // The pointer rests on the second row; the first spectator leaves, so that row is empty
        // now. A right click there, without any movement, finds no entry.
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        const QPoint second = w.rowCentre(1);
        QTest::mouseMove(w.viewport(), second);
        QTRY_COMPARE(w.spylist.hoveredEntry(), 1);
        w.spylist.setEntries({QStringLiteral("6: Fay")});
        QTest::mouseClick(w.viewport(), Qt::RightButton, {}, second);
        QTRY_VERIFY(w.popup->isVisible());
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 0);
        // Another spectator arrives into that row: the click without movement names him.
        w.spylist.setEntries({QStringLiteral("6: Fay"), QStringLiteral("8: Hal")});
        QCOMPARE(w.spylist.hoveredEntry(), -1);
        QTest::mouseClick(w.viewport(), Qt::RightButton, {}, second);
        QTRY_VERIFY(w.popup->isVisible());
        QCOMPARE(w.spylist.hoveredEntry(), 1);
        w.chooseRemove();
        QCOMPARE(w.kicks.count(), 1);
        QCOMPARE(w.kicks.at(0).at(0).toInt(), 8);
    }

    void doneAndCloseBoxHide()
    {
        Window w;
        QVERIFY(w.show(TwoSpies, true));
        auto* done = w.spylist.findChild<QPushButton*>(QStringLiteral("button_done"));
        QVERIFY(done);
        QCOMPARE(done->text(), QStringLiteral("Done"));
        QTest::mouseClick(done, Qt::LeftButton);
        QTRY_VERIFY(!w.spylist.isVisible());
        // Shown again, it still holds its entries; the close box only hides it.
        QVERIFY(w.show(TwoSpies, true));
        QVERIFY(w.spylist.close());
        QVERIFY(!w.spylist.isVisible());
        QCOMPARE(w.spylist.entries(), TwoSpies);
    }

    void wiredToTheTableModel()
    {
        // How the table window uses it: entries from the model, kicks into kicking().
        quornet::table::TableModel model;
        QList<QByteArray> sent;
        connect(&model, &quornet::table::TableModel::send,
                [&sent](const QByteArray& m) { sent.append(m); });
        model.setPlayerName(QStringLiteral("Ann"));
        model.setHosting(true);
        model.handleMessage(msg::sendLoginInfo(1));
        model.handleMessage(msg::newPlayerInfo(1, "Ann"));
        model.handleMessage(msg::existingPlayers(5, "Eve"));
        model.handleMessage(msg::newPlayerInfo(7, "Gus"));

        Window w;
        connect(&w.spylist, &Tspylist::kickRequested, &model,
                &quornet::table::TableModel::kicking);
        QVERIFY(w.show(model.state().spectators, model.state().host));
        QCOMPARE(w.spylist.entries(), (QStringList{"5: Eve", "7: Gus"}));
        sent.clear();
        QVERIFY(w.rightClick(w.rowCentre(1)));
        w.chooseRemove();
        QCOMPARE(sent, QList<QByteArray>{msg::kickHim(1, 7)});

        model.handleMessage(msg::playerDisconnected(7, "Gus"));
        w.spylist.setEntries(model.state().spectators);
        QCOMPARE(w.spylist.entries(), QStringList{"5: Eve"});
    }
};

QTEST_MAIN(TestSpyList)
#include "test_spylist.moc"
