// The table's scale: the client area is drawn at any percent from 100 up (see TableZoom). The
// window's size sets it: the table fills the client area as far as its proportions allow and
// stays centred in it. View > Zoom offers quick sizes (those that fit the screen, and the largest
// that does), which size the window. Pictures are drawn for the screen's pixel ratio times the
// scale, so the scaled-contents labels show them pixel for pixel. The menu bar keeps its size.
#include "table/window/chatpane.h"
#include "table/window/handview.h"
#include "table/window/tchat.h"

#include <QActionGroup>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

namespace quornet::table {

namespace {
const QSize TableSize(Tchat::ClientWidth, Tchat::ClientHeight);

// The window's size for a zoomed client area: the menu bar is added unscaled.
QSize windowSizeAt(const Tchat& t, int percent)
{
    TableZoom z;
    z.setPercent(percent);
    return z.zoomed(QRect(QPoint(), TableSize)).size() + QSize(0, t.menuBar()->sizeHint().height());
}
QSize windowSizeFor(const Tchat& t) { return windowSizeAt(t, t.zoomPercent()); }
// The client area's size for the window's size as it is now (the layout may follow later).
QSize clientRoom(const Tchat& t) { return t.size() - QSize(0, t.menuBar()->sizeHint().height()); }
} // namespace

// The frame is what the window system adds around the window (none before it is shown).
bool Tchat::zoomFits(int percent) const
{
    const QScreen* s = screen();
    if (percent <= 100 || !s) return true;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer = windowSizeAt(*this, percent) + frame;
    const QSize room = s->availableGeometry().size();
    return outer.width() <= room.width() && outer.height() <= room.height();
}

int Tchat::largestZoom() const
{
    const QScreen* s = screen();
    if (!s) return 100;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize room = s->availableGeometry().size() - frame - QSize(0, menuBar()->sizeHint().height());
    return TableZoom::fitting(TableSize, room);
}

int Tchat::fittingZoom(int percent) const { return std::clamp(percent, 100, largestZoom()); }

void Tchat::buildZoomMenu()
{
    QMenu* zoomMenu = m_viewMenu->addMenu(tr("Zoom"));
    zoomMenu->setObjectName("Zoom1");
    auto* group = new QActionGroup(this);
    // A scale set by dragging the window's edge may be none of the items.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const auto addItem = [&](int percent, const QString& name) {
        QAction* a = zoomMenu->addAction(QStringLiteral("%1%").arg(percent));
        a->setObjectName(name);
        a->setCheckable(true);
        a->setData(percent);
        group->addAction(a);
        m_zoomItems.append(a);
        connect(a, &QAction::triggered, this, [this, a] {
            setZoom(a->data().toInt());
            // The window system may report the new size later: the bounds are written as asked.
            const QSize frame = frameGeometry().size() - geometry().size();
            saveinifile(QRect(frameGeometry().topLeft(), windowSizeFor(*this) + frame));
        });
        return a;
    };
    for (int percent : TableZoom::Steps) addItem(percent, QStringLiteral("Zoom%1").arg(percent));
    zoomMenu->addSeparator();
    QAction* largest = addItem(100, QStringLiteral("ZoomScreen"));
    // A size that would make the window larger than the screen's free area is not offered; the
    // last item is the largest that fits.
    connect(zoomMenu, &QMenu::aboutToShow, this, [this, largest] {
        const int most = largestZoom();
        for (QAction* a : m_zoomItems) a->setVisible(a == largest ? most > 100 : zoomFits(a->data().toInt()));
        largest->setData(most);
        largest->setText(tr("Fill the Screen (%1%)").arg(most));
        syncZoomItems();
    });
    syncZoomItems();
}

void Tchat::syncZoomItems()
{
    bool checked = false;
    for (QAction* a : m_zoomItems) {
        a->setChecked(!checked && a->data().toInt() == m_zoom.percent());
        checked = checked || a->isChecked();
    }
}

void Tchat::setZoom(int percent)
{
    percent = TableZoom::valid(percent);
    if (percent != m_zoom.percent()) {
        m_zoom.setPercent(percent);
        applyZoom();
        // The pictures again for the new ratio; the hand and the books are placed anew.
        screenChanged();
    }
    syncZoomItems();
    // The window takes the size that matches the scale, whichever way it changed.
    if (layout()) layout()->activate();
    resize(windowSizeFor(*this));
    // A window the window system keeps at its size (maximized, full screen) keeps its scale.
    fitTableToWindow();
}

void Tchat::applyZoom()
{
    m_zoom.apply(centralWidget());
    m_chat->setZoom(m_zoom);
    m_hand->sync(); // the rank labels inside the cards
    centreTable();
}

void Tchat::centreTable()
{
    // The table keeps its proportions: what the client area has beyond them is shared out on
    // both sides. At 100 % the table keeps its place at the top left, as it always had.
    QWidget* board = centralWidget()->findChild<QWidget*>(QStringLiteral("panel_board"), Qt::FindDirectChildrenOnly);
    if (!board) return; // still being built
    const QSize table = m_zoom.zoomed(QRect(QPoint(), TableSize)).size();
    const QSize spare = clientRoom(*this) - table;
    const QPoint offset = m_zoom.percent() == TableZoom::MinPercent
                              ? QPoint()
                              : QPoint(std::max(0, spare.width() / 2), std::max(0, spare.height() / 2));
    board->move(m_zoom.zoomed(QRect(PanelBoardBase, QSize())).topLeft() + offset);
}

// The client area was resized (the window's edge dragged, maximized, full screen, or a quick
// size): the table takes the largest scale that fits; its pictures follow once the size settles.
void Tchat::fitTableToWindow()
{
    const int percent = TableZoom::fitting(TableSize, clientRoom(*this));
    if (percent != m_zoom.percent()) {
        m_zoom.setPercent(percent);
        applyZoom();
        syncZoomItems();
        m_artTimer.start();
    } else {
        centreTable();
    }
}

void Tchat::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_chat) fitTableToWindow();
}

} // namespace quornet::table
