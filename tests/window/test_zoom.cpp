// The table's scale in the real table window: View > Zoom's quick sizes and the window's own size
// scale every widget of the client area, the fonts, the icons and the chat pane; the pictures
// are drawn for the scaled pixel ratio so they stay sharp; the scale is kept when the host's
// messages move things, and the choice and the window's size are kept in the settings file.
// The host's messages are handed to the window's model directly (no network).
#include "cards/cards.h"
#include "protocol/colortext.h"
#include "protocol/messages.h"
#include "support/files.h"
#include "support/windowrig.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "table/window/handview.h"
#include "windows/gamestart.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

#include <cmath>

using namespace quornet;
namespace msg = protocol::msg;

namespace {

// Position and size are each rounded to the nearest pixel, halves up.
int scaledLength(int v, int percent) { return int(std::floor(v * percent / 100.0 + 0.5)); }

QRect scaled(const QRect& r, int percent)
{
    return QRect(scaledLength(r.x(), percent), scaledLength(r.y(), percent), scaledLength(r.width(), percent),
                 scaledLength(r.height(), percent));
}

// At a quick size every part lands on the pixel the table's geometry gives; at other scales
// within a pixel.
bool near(const QRect& shown, const QRect& wanted, int percent)
{
    const bool quick = percent % 25 == 0;
    const int slack = quick ? 0 : 1;
    const bool ok = qAbs(shown.left() - wanted.left()) <= slack && qAbs(shown.top() - wanted.top()) <= slack
                    && qAbs(shown.width() - wanted.width()) <= slack && qAbs(shown.height() - wanted.height()) <= slack;
    if (!ok) qWarning() << shown << wanted << percent;
    return ok;
}

// The settings file has this line (whatever its line ends).
bool hasLine(const QString& text, const QString& line)
{
    return text.split(QLatin1Char('\n')).contains(line + QLatin1Char('\r')) || text.split(QLatin1Char('\n')).contains(line);
}

// Where a widget of the score panel lies in it (the table's geometry is the panel's, whichever
// part of it holds the widget).
QRect inScorePanel(QWidget* w)
{
    QWidget* panel = w->window()->findChild<QWidget*>(QStringLiteral("panel_score"));
    return QRect(w->mapTo(panel, QPoint(0, 0)), w->size());
}


// The point sizes of the chat pane's text and the widths of its smileys.
void chatSizes(table::ChatView* view, QList<qreal>* points, QList<qreal>* smileyWidths)
{
    for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                smileyWidths->append(f.toImageFormat().width());
            else
                points->append(f.fontPointSize());
        }
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
private:
    template <typename T = QWidget> T* child(QWidget& w, const QString& name)
    {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no widget %s", qPrintable(name));
        return c;
    }
    // Every hand card and working book shows at the model's geometry at the given zoom, its
    // picture drawn for the screen's ratio times the zoom.
    void checkPlacedByTheSync(table::Tchat& chat, int percent)
    {
        const table::TableState& s = chat.model().state();
        const qreal ratio = chat.devicePixelRatioF() * percent / 100.0;
        QVERIFY(!s.cards.isEmpty());
        for (const table::HandCard& c : s.cards) {
            auto* l = child<table::ClickLabel>(chat, QStringLiteral("card%1").arg(c.slot));
            QVERIFY(near(inScorePanel(l), scaled(QRect(table::HandView::shownLeft(s, c), c.top, 71, 96), percent), percent));
            const QPixmap pm = l->pixmap();
            QCOMPARE(pm.devicePixelRatio(), ratio);
            // Sharp: one picture pixel per device pixel of the label, and the picture fills it.
            QCOMPARE(pm.size(), QSize(qRound(l->width() * chat.devicePixelRatioF()),
                                      qRound(l->height() * chat.devicePixelRatioF())));
            QVERIFY(l->hasScaledContents() || pm.deviceIndependentSize() == QSizeF(l->size()));
        }
        QVERIFY(!s.team(1).working.isEmpty());
        for (const table::WorkingBook& b : s.team(1).working) {
            auto* l = child<table::ClickLabel>(chat, QStringLiteral("book1%1").arg(b.slot));
            QVERIFY(near(l->geometry(), scaled(QRect(b.left, b.top, b.width, b.height), percent), percent));
            QCOMPARE(l->pixmap().devicePixelRatio(), ratio);
            QVERIFY(l->hasScaledContents() || l->pixmap().deviceIndependentSize() == QSizeF(l->size()));
        }
    }

private slots:
    void scalesTheWholeWindowAndComesBack()
    {
        testing::WindowRig rig(11);
        table::Tchat& chat = rig.chat;
        const QString ini = rig.settingsPath();
        rig.loginAs(1, QStringLiteral("You")); // the window reads its settings file then
        const table::TableState& s = chat.model().state();
        QCOMPARE(s.own, 1);
        QCOMPARE(chat.zoomPercent(), 100);
        QVERIFY(rig.action("Zoom100")->isChecked());
        auto* zoomMenu = chat.findChild<QMenu*>(QStringLiteral("Zoom1"));
        QVERIFY(zoomMenu && chat.viewMenu()->actions().contains(zoomMenu->menuAction()));
        // The four quick sizes, a line, and the largest size that fits the screen.
        QCOMPARE(zoomMenu->actions().size(), 6);

        // A few host messages: a dealt hand, the own turn, a working book, a chat line.
        for (int slot = 0; slot < 6; ++slot) chat.model().handleMessage(msg::newCard(1, slot, 5 + 7 * slot));
        chat.model().handleMessage(msg::nextPlayer(0, 0, true, 1));
        chat.model().handleMessage(msg::newBook(1, 1, 2, 13, 1));
        chat.model().chat().addlinetochat(QStringLiteral("0+Note: zoom test :)#10 done"), protocol::colors::Blue);
        QCOMPARE(s.handCount(), 6);

        const QStringList names = {"button_draw", "button_start", "button_create", "label_status",
                                   "label_playername1", "label_full", "acard_place1", "acard_place3",
                                   "image_discard", "Image4", "image_Turn", "image_header1", "panel_board2",
                                   "panel_score", "mychat", "mainchat", "b_phrase1", "b_phrase10",
                                   "button_smilies", "image_logo", "card0", "card5", "book12"};
        QHash<QString, QRect> base;
        for (const QString& n : names) base.insert(n, child(chat, n)->geometry());
        QCOMPARE(base["card0"].size(), QSize(71, 96));
        QCOMPARE(inScorePanel(child(chat, "button_draw")), QRect(195, 246, 100, 32));
        auto* status = child<QLabel>(chat, "label_status");
        auto* phrase = child<QToolButton>(chat, "b_phrase1");
        const int statusPixels = status->font().pixelSize();
        const int namePixels = child(chat, "label_playername1")->font().pixelSize();
        QCOMPARE(statusPixels, 13);
        const QSize icon = phrase->iconSize();
        const int menuPixels = chat.menuBar()->font().pixelSize();
        QList<qreal> points, smileys;
        chatSizes(chat.chatView(), &points, &smileys);
        QVERIFY2(!smileys.isEmpty(), qPrintable(chat.chatView()->toPlainText()));
        for (qreal w : smileys) QCOMPARE(w, 17.0);
        for (qreal p : points) QCOMPARE(p, qreal(chat.model().chat().textSize()));

        // 150 %: the window and everything in its client area one and a half times as large.
        rig.action("Zoom150")->trigger();
        QCOMPARE(chat.zoomPercent(), 150);
        QVERIFY(rig.action("Zoom150")->isChecked());
        QVERIFY(!rig.action("Zoom100")->isChecked());
        for (const QString& n : names) QCOMPARE(child(chat, n)->geometry(), scaled(base[n], 150));
        QCOMPARE(inScorePanel(child(chat, "button_draw")), QRect(293, 369, 150, 48));
        QCOMPARE(status->font().pixelSize(), scaledLength(statusPixels, 150));
        QCOMPARE(child(chat, "label_playername1")->font().pixelSize(), scaledLength(namePixels, 150));
        QCOMPARE(phrase->iconSize(), QSize(scaledLength(icon.width(), 150), scaledLength(icon.height(), 150)));
        QCOMPARE(chat.centralWidget()->minimumSize(), QSize(table::Tchat::ClientWidth, table::Tchat::ClientHeight));
        QCOMPARE(chat.size(), QSize(1185, 789 + chat.menuBar()->sizeHint().height()));
        QCOMPARE(chat.menuBar()->font().pixelSize(), menuPixels); // the menu bar keeps its size
        QCOMPARE(child<QLabel>(chat, "image_header1")->pixmap().devicePixelRatio(), chat.devicePixelRatioF() * 1.5);
        checkPlacedByTheSync(chat, 150);
        points.clear();
        smileys.clear();
        chatSizes(chat.chatView(), &points, &smileys);
        for (qreal w : smileys) QCOMPARE(w, 17 * 1.5);
        for (qreal p : points) QCOMPARE(p, chat.model().chat().textSize() * 1.5);

        // The choice and the zoomed window's outer bounds are written at once.
        const QSize frame = chat.frameGeometry().size() - chat.geometry().size();
        const QString text = testing::readText(ini);
        QVERIFY2(hasLine(text, "Zoom=150"), qPrintable(text));
        QVERIFY(hasLine(text, QStringLiteral("Width=%1").arg(1185 + frame.width())));
        QVERIFY(hasLine(text, QStringLiteral("Height=%1").arg(chat.size().height() + frame.height())));

        // Text Size still works and combines with the zoom.
        rig.action("N12")->trigger();
        points.clear();
        smileys.clear();
        chat.model().chat().addlinetochat(QStringLiteral("0+After the size :)#11"), protocol::colors::Blue);
        chatSizes(chat.chatView(), &points, &smileys);
        QVERIFY(points.size() >= 2);
        for (qreal p : points) QCOMPARE(p, 18.0);
        for (qreal w : smileys) QCOMPARE(w, 17 * 1.5);

        // Host messages after zooming: new cards, a card leaving, another book, the next turn.
        chat.model().handleMessage(msg::newCard(1, 6, 40));
        chat.model().handleMessage(msg::newCard(1, 7, 41));
        chat.model().handleMessage(msg::freeCard(0));
        chat.model().handleMessage(msg::newBook(1, 1, 3, 9, 1));
        chat.model().handleMessage(msg::nextPlayer(1, 7, true, 2));
        QCOMPARE(s.handCount(), 7);
        checkPlacedByTheSync(chat, 150);
        QCOMPARE(child(chat, "image_Turn")->geometry(), scaled(QRect(22, 35, 10, 16), 150));

        // Back to 100 %: the exact first geometry, fonts and pictures.
        rig.action("Zoom100")->trigger();
        QCOMPARE(chat.zoomPercent(), 100);
        for (const QString& n : names) {
            // The hand moved with the new cards (checked against the model below); the turn moved.
            if (n.startsWith("card") || n == "image_Turn") continue;
            QCOMPARE(child(chat, n)->geometry(), base[n]);
        }
        QCOMPARE(child(chat, "image_Turn")->geometry(), QRect(22, 35, 10, 16));
        QCOMPARE(status->font().pixelSize(), statusPixels);
        QCOMPARE(phrase->iconSize(), icon);
        QCOMPARE(chat.centralWidget()->minimumSize(), QSize(table::Tchat::ClientWidth, table::Tchat::ClientHeight));
        QCOMPARE(chat.size(), QSize(table::Tchat::ClientWidth,
                                    table::Tchat::ClientHeight + chat.menuBar()->sizeHint().height()));
        checkPlacedByTheSync(chat, 100);
        points.clear();
        smileys.clear();
        chatSizes(chat.chatView(), &points, &smileys);
        for (qreal w : smileys) QCOMPARE(w, 17.0);
        for (qreal p : points) QCOMPARE(p, 12.0);
        QVERIFY(hasLine(testing::readText(ini), "Zoom=100"));
    }

    void readBackAtTheNextLogin()
    {
        QRect drawBase;
        QSize zoomedWindow;
        QByteArray saved;
        {
            testing::WindowRig first(12);
            first.loginAs(1, QStringLiteral("You"));
            drawBase = first.child("button_draw")->geometry();
            first.action("Zoom125")->trigger();
            zoomedWindow = first.chat.size();
            QCOMPARE(zoomedWindow, QSize(988, 658 + first.chat.menuBar()->sizeHint().height()));
            saved = testing::readFile(first.settingsPath());
        }
        QVERIFY2(hasLine(QString::fromUtf8(saved), "Zoom=125"), saved.constData());

        testing::WindowRig rig(13, saved);
        table::Tchat& chat = rig.chat;
        QCOMPARE(chat.zoomPercent(), 100); // read at the own login
        rig.loginAs(1, QStringLiteral("You"));
        QCOMPARE(chat.zoomPercent(), 125);
        QVERIFY(rig.action("Zoom125")->isChecked());
        QVERIFY(!rig.action("Zoom100")->isChecked());
        QCOMPARE(child(chat, "button_draw")->geometry(), scaled(drawBase, 125));
        QCOMPARE(chat.size(), zoomedWindow);
        chat.model().handleMessage(msg::newCard(1, 0, 12));
        chat.model().handleMessage(msg::newBook(1, 1, 1, 11, 1));
        checkPlacedByTheSync(chat, 125);

        // A value that is no menu step reads as 100 %.
        testing::WindowRig other(14, "[quornet]\r\nZoom=175\r\n");
        other.loginAs(1, QStringLiteral("You"));
        QCOMPARE(other.chat.zoomPercent(), 100);
        QVERIFY(other.action("Zoom100")->isChecked());

        // Only what fits the screen (1280 x 1024 here) is offered, and read back: 200 % would
        // be wider than the screen, so a saved 200 gives the largest that fits, which the menu
        // offers last.
        testing::WindowRig third(15, "[quornet]\r\nZoom=200\r\n");
        third.loginAs(1, QStringLiteral("You"));
        const int largest = third.chat.zoomPercent();
        QVERIFY2(largest > 150 && largest < 200, qPrintable(QString::number(largest)));
        QVERIFY(third.chat.frameGeometry().width() <= third.chat.screen()->availableGeometry().width());
        auto* zoomMenu = third.chat.findChild<QMenu*>(QStringLiteral("Zoom1"));
        zoomMenu->popup(QPoint(10, 10));
        QTRY_VERIFY(zoomMenu->isVisible());
        QVERIFY(third.action("Zoom150")->isVisible());
        QVERIFY(!third.action("Zoom200")->isVisible());
        QVERIFY(third.action("ZoomScreen")->isVisible());
        QVERIFY(third.action("ZoomScreen")->data().toInt() > 150);
        zoomMenu->hide();
    }

    // The window's size sets the scale: the table fills it as far as its proportions allow,
    // centred, its cards drawn at the new size; with a deck whose rank is printed top right each
    // card's strip carries its rank, above the buttons that lie over the hand; the size is kept.
    void fillsItsWindow()
    {
        QByteArray saved;
        int percent = 0;
        {
            testing::WindowRig rig(16, "[quornet]\r\nCarddeck=svg-oxygen\r\n");
            table::Tchat& chat = rig.chat;
            rig.loginAs(1, QStringLiteral("You"));
            for (int slot = 0; slot < 11; ++slot) chat.model().handleMessage(msg::newCard(1, slot, 2 + 4 * slot));
            chat.model().handleMessage(msg::nextPlayer(0, 0, true, 1));
            chat.model().handleMessage(msg::newBook(1, 1, 2, 13, 1));
            const table::TableState& s = chat.model().state();
            QVERIFY(s.drawVisible);

            // The window system reports the new size (the offscreen one does not by itself).
            const QSize before = chat.size();
            chat.resize(1250, 900);
            QResizeEvent resized(chat.size(), before);
            QApplication::sendEvent(&chat, &resized);
            const QSize client = chat.size() - QSize(0, chat.menuBar()->sizeHint().height());
            percent = chat.zoomPercent();
            // The largest scale at which the table fits, keeping its proportions.
            QVERIFY2(scaledLength(table::Tchat::ClientWidth, percent) <= client.width(), qPrintable(QString::number(percent)));
            QVERIFY(scaledLength(table::Tchat::ClientHeight, percent) <= client.height());
            QVERIFY(scaledLength(table::Tchat::ClientWidth, percent + 1) > client.width()
                    || scaledLength(table::Tchat::ClientHeight, percent + 1) > client.height());
            QVERIFY(!rig.action("Zoom150")->isChecked());
            auto* board = child(chat, "panel_board");
            QVERIFY(qAbs(board->geometry().center().x() - client.width() / 2) <= 1);
            QTRY_COMPARE(child<QLabel>(chat, "image_header1")->pixmap().devicePixelRatio(),
                         chat.devicePixelRatioF() * percent / 100);
            checkPlacedByTheSync(chat, percent);

            // The hand row is spread beyond the host's 20 pixels; every strip shows its rank and
            // suit, and where the draw button lies over a card the label is above it.
            const QList<table::HandCard> row = s.handRow();
            QVERIFY(table::HandView::shownLeft(s, row[1]) - table::HandView::shownLeft(s, row[0]) > 20);
            auto* draw = child(chat, "button_draw");
            for (qsizetype i = 0; i < row.size(); ++i) {
                auto* card = child(chat, QStringLiteral("card%1").arg(row[i].slot));
                auto* rank = card->findChild<QLabel*>(QStringLiteral("rank"));
                QCOMPARE(rank != nullptr, i + 1 < row.size());
                if (!rank) continue;
                QVERIFY(!rank->isHidden() && !card->isHidden());
                QVERIFY(rank->text().startsWith(QString::fromStdString(cards::shortCardName(row[i].code)).chopped(1)));
                const QRect label(rank->mapTo(draw->parentWidget(), QPoint(0, 0)), rank->size());
                QVERIFY(!label.intersects(draw->geometry()));
                QVERIFY(QRect(rank->mapTo(card, QPoint()), rank->size()).right()
                        < child(chat, QStringLiteral("card%1").arg(row[i + 1].slot))->x() - card->x());
            }
            QCloseEvent close;
            QApplication::sendEvent(&chat, &close);
            saved = testing::readFile(rig.settingsPath());
        }
        // The next start has the window's size again, and so the scale.
        testing::WindowRig again(17, saved);
        again.loginAs(1, QStringLiteral("You"));
        QCOMPARE(again.chat.zoomPercent(), percent);
    }

    // A solo game through the in-process host at 150 %: the host's deal and the computer
    // players' turns keep the table scaled. With QUORNET_SHOTS_DIR set, a picture is kept.
    void soloGameAt150()
    {
        testing::WindowRig rig(20261208);
        table::Tchat& chat = rig.chat;
        windows::Tgamestartform& dialog = rig.program.gameStart;
        const table::TableState& s = chat.model().state();
        QVERIFY(rig.startSolo(2));
        QCOMPARE(child<QLabel>(chat, "label_playername1")->text(), QString("You"));
        rig.action("Zoom150")->trigger();
        QCOMPARE(chat.zoomPercent(), 150);

        auto* start = child<QPushButton>(chat, "button_start");
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.isVisible(), 20000);
        QTest::mouseClick(child<QLabel>(dialog, "image_game4"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "button_start"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.handCount() == 11 && s.ownTurn(), 20000);
        // A few turns with the mouse on the zoomed table (draw, discard) until books lie out.
        auto* draw = child<QPushButton>(chat, "button_draw");
        for (int turn = 0; turn < 8 && s.team(1).working.isEmpty() && s.team(2).working.isEmpty(); ++turn) {
            const int before = s.handCount();
            QTest::mouseClick(draw, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(s.handCount() > before, 20000);
            const table::HandCard first = s.handRow().constFirst();
            QTest::mouseClick(child(chat, QStringLiteral("card%1").arg(first.slot)), Qt::LeftButton);
            QCOMPARE(s.picked.slot, first.slot);
            QTest::mouseClick(child(chat, "image_discard"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(s.turnSeat != 1, 20000);
            QTRY_VERIFY_WITH_TIMEOUT(s.ownTurn() || start->isVisible(), 20000);
            if (start->isVisible()) break;
        }
        // The other players' books, when they have laid some before the own turn.
        for (int team = 1; team <= 2; ++team)
            for (const table::WorkingBook& b : s.team(team).working)
                QCOMPARE(child(chat, QStringLiteral("book%1%2").arg(team).arg(b.slot))->geometry(),
                         scaled(QRect(b.left, b.top, b.width, b.height), 150));
        for (const table::HandCard& c : s.cards) {
            auto* l = child<table::ClickLabel>(chat, QStringLiteral("card%1").arg(c.slot));
            QCOMPARE(inScorePanel(l), scaled(QRect(table::HandView::shownLeft(s, c), c.top, 71, 96), 150));
            QCOMPARE(l->pixmap().devicePixelRatio(), chat.devicePixelRatioF() * 1.5);
        }
        QCOMPARE(inScorePanel(draw), QRect(293, 369, 150, 48));
        const QString shots = qEnvironmentVariable("QUORNET_SHOTS_DIR");
        if (!shots.isEmpty()) chat.grab().save(shots + QStringLiteral("/zoom150.png"));
    }
};

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
