// View > Zoom: the table window's client area drawn at 100, 125, 150 or 200 %.
//
// Every widget of the client area keeps its 100 % geometry, font size and icon size as dynamic
// properties (recorded the first time the zoom changes, or by placeZoomed() for the widgets the
// sync places); applyZoom() maps them to the current zoom. Pictures are drawn for the screen's
// pixel ratio times the zoom, so the scaled-contents labels show them pixel for pixel. The menu
// bar keeps its size.
#include "table/window/chatview.h"
#include "table/window/tchat.h"

#include <QActionGroup>
#include <QMenu>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace quornet::table {

namespace {
constexpr int ZoomSteps[] = {100, 125, 150, 200};
constexpr const char* BaseGeometry = "zoomBaseGeometry";
constexpr const char* BaseFontPixels = "zoomBaseFontPixels";
constexpr const char* BaseFontPoints = "zoomBaseFontPoints";
constexpr const char* BaseIconSize = "zoomBaseIconSize";

int validZoom(int percent)
{
    return std::find(std::begin(ZoomSteps), std::end(ZoomSteps), percent) != std::end(ZoomSteps) ? percent : 100;
}

// A widget without a recorded geometry has never been zoomed: what it has is its 100 % geometry.
QRect baseGeometry(const QWidget* w)
{
    const QVariant v = w->property(BaseGeometry);
    return v.isValid() ? v.toRect() : w->geometry();
}

void scaleFont(QWidget* w, qreal z)
{
    if (!w->property(BaseFontPixels).isValid() && !w->property(BaseFontPoints).isValid()) {
        const QFont f = w->font();
        if (f.pixelSize() > 0)
            w->setProperty(BaseFontPixels, f.pixelSize());
        else
            w->setProperty(BaseFontPoints, f.pointSizeF());
    }
    QFont f = w->font();
    if (w->property(BaseFontPixels).isValid())
        f.setPixelSize(std::max(1, qRound(w->property(BaseFontPixels).toInt() * z)));
    else
        f.setPointSizeF(w->property(BaseFontPoints).toReal() * z);
    w->setFont(f);
}

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
    for (int step : ZoomSteps)
        if (step <= percent && zoomFits(step)) best = step;
    return best;
}

void Tchat::offerZoomLevels()
{
    // A zoom that would make the window larger than the screen's free area is not offered.
    for (QAction* a : m_zoomItems) a->setVisible(zoomFits(a->data().toInt()));
}

qreal Tchat::artRatio() const { return devicePixelRatioF() * m_zoomPercent / 100.0; }

QRect Tchat::zoomed(const QRect& base) const
{
    // Position and size are each rounded, so equal sizes stay equal wherever they are placed.
    const auto scale = [this](int v) { return qRound(v * m_zoomPercent / 100.0); };
    return QRect(scale(base.x()), scale(base.y()), scale(base.width()), scale(base.height()));
}

void Tchat::buildZoomMenu()
{
    m_zoomMenu = m_viewMenu->addMenu(QStringLiteral("Zoom"));
    m_zoomMenu->setObjectName("Zoom1");
    connect(m_zoomMenu, &QMenu::aboutToShow, this, &Tchat::offerZoomLevels);
    auto* group = new QActionGroup(this);
    for (int percent : ZoomSteps) {
        QAction* a = m_zoomMenu->addAction(QStringLiteral("%1%").arg(percent));
        a->setObjectName(QStringLiteral("Zoom%1").arg(percent));
        a->setCheckable(true);
        a->setChecked(percent == m_zoomPercent);
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
    percent = validZoom(percent);
    for (QAction* a : m_zoomItems) a->setChecked(a->data().toInt() == percent);
    if (percent == m_zoomPercent) return;
    m_zoomPercent = percent;
    applyZoom();
    // The pictures again for the new ratio; the hand and the books are placed anew.
    screenChanged();
}

void Tchat::applyZoom()
{
    const qreal z = m_zoomPercent / 100.0;
    // Containers (plain QWidgets) are walked into; every other widget is scaled as a whole, its
    // own children (scroll bars, viewports) left to it.
    const std::function<void(QWidget*)> scaleChildren = [&](QWidget* parent) {
        for (QObject* o : parent->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow()) continue;
            placeZoomed(w, baseGeometry(w));
            if (w->metaObject() == &QWidget::staticMetaObject) {
                scaleChildren(w);
                continue;
            }
            if (w == m_chatView) continue; // its text is sized by its own formats
            scaleFont(w, z);
            if (auto* b = qobject_cast<QToolButton*>(w)) {
                if (!b->property(BaseIconSize).isValid()) b->setProperty(BaseIconSize, b->iconSize());
                const QSize icon = b->property(BaseIconSize).toSize();
                b->setIconSize(zoomed(QRect(QPoint(), icon)).size());
            }
        }
    };
    scaleChildren(centralWidget());
    m_chatView->setZoom(z);
    centralWidget()->setMinimumSize(zoomed(QRect(0, 0, ClientWidth, ClientHeight)).size());
    // The window's own minimum follows at once, so a smaller zoom gives a smaller window: the
    // window takes the size that matches the zoom, whichever way it changed.
    if (layout()) layout()->activate();
    resize(windowSizeFor(*this));
}

void Tchat::setBaseFontPixels(QWidget* w, int px)
{
    w->setProperty(BaseFontPixels, px);
    w->setProperty(BaseFontPoints, QVariant());
    scaleFont(w, m_zoomPercent / 100.0);
}

void Tchat::placeZoomed(QWidget* w, const QRect& base)
{
    w->setProperty(BaseGeometry, base);
    w->setGeometry(zoomed(base));
}

void Tchat::moveZoomed(QWidget* w, QPoint base) { placeZoomed(w, QRect(base, baseGeometry(w).size())); }

} // namespace quornet::table
