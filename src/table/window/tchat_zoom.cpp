// View > Zoom: the table window's client area drawn at 100, 125, 150 or 200 % (see TableZoom).
// Pictures are drawn for the screen's pixel ratio times the zoom, so the scaled-contents labels
// show them pixel for pixel. The menu bar keeps its size.
#include "table/window/chatpane.h"
#include "table/window/tchat.h"

#include <QActionGroup>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

namespace quornet::table {

namespace {
// The window's size for a zoomed client area: the menu bar is added unscaled.
QSize windowSizeAt(const Tchat& t, int percent)
{
    const QSize client(qRound(Tchat::ClientWidth * percent / 100.0), qRound(Tchat::ClientHeight * percent / 100.0));
    return client + QSize(0, t.menuBar()->sizeHint().height());
}
QSize windowSizeFor(const Tchat& t) { return windowSizeAt(t, t.zoomPercent()); }
} // namespace

bool Tchat::zoomFits(int percent) const
{
    const QScreen* s = screen();
    if (percent <= 100 || !s) return true;
    // The frame is what the window system adds around the window (none before it is shown).
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer = windowSizeAt(*this, percent) + frame;
    const QSize room = s->availableGeometry().size();
    return outer.width() <= room.width() && outer.height() <= room.height();
}

int Tchat::fittingZoom(int percent) const
{
    int best = 100;
    for (int step : TableZoom::Steps)
        if (step <= percent && zoomFits(step)) best = step;
    return best;
}

void Tchat::buildZoomMenu()
{
    QMenu* zoomMenu = m_viewMenu->addMenu(QStringLiteral("Zoom"));
    zoomMenu->setObjectName("Zoom1");
    // A zoom that would make the window larger than the screen's free area is not offered.
    connect(zoomMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : m_zoomItems) a->setVisible(zoomFits(a->data().toInt()));
    });
    auto* group = new QActionGroup(this);
    for (int percent : TableZoom::Steps) {
        QAction* a = zoomMenu->addAction(QStringLiteral("%1%").arg(percent));
        a->setObjectName(QStringLiteral("Zoom%1").arg(percent));
        a->setCheckable(true);
        a->setChecked(percent == m_zoom.percent());
        a->setData(percent);
        group->addAction(a);
        m_zoomItems.append(a);
        connect(a, &QAction::triggered, this, [this, percent] {
            setZoom(percent);
            // The window system may report the new size later: the bounds are written as asked.
            const QSize frame = frameGeometry().size() - geometry().size();
            saveinifile(QRect(frameGeometry().topLeft(), windowSizeFor(*this) + frame));
        });
    }
}

void Tchat::setZoom(int percent)
{
    percent = TableZoom::valid(percent);
    for (QAction* a : m_zoomItems) a->setChecked(a->data().toInt() == percent);
    if (percent == m_zoom.percent()) return;
    m_zoom.setPercent(percent);
    applyZoom();
    // The pictures again for the new ratio; the hand and the books are placed anew.
    screenChanged();
}

void Tchat::applyZoom()
{
    m_zoom.apply(centralWidget());
    m_chat->setZoom(m_zoom);
    centralWidget()->setMinimumSize(m_zoom.zoomed(QRect(0, 0, ClientWidth, ClientHeight)).size());
    // The window's own minimum follows at once, so a smaller zoom gives a smaller window: the
    // window takes the size that matches the zoom, whichever way it changed.
    if (layout()) layout()->activate();
    resize(windowSizeFor(*this));
}

} // namespace quornet::table
