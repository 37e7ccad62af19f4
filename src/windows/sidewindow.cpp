#include "windows/sidewindow.h"

#include "art/boardart.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace quornet::windows
{

bool askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void tellUser(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("Quornet"), text);
}

void centreOver(QWidget* window, const QWidget* anchor)
{
    QRect area;
    QPoint centre;
    if (anchor && anchor->isVisible()) {
        const QRect frame = anchor->frameGeometry();
        centre = frame.center();
        if (QScreen* s = anchor->screen()) area = s->availableGeometry();
    } else {
        QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (s) area = s->availableGeometry();
        centre = area.center();
    }
    QRect placed(QPoint(0, 0), window->frameGeometry().size());
    placed.moveCenter(centre);
    if (area.isValid()) {
        if (placed.right() > area.right()) placed.moveRight(area.right());
        if (placed.bottom() > area.bottom()) placed.moveBottom(area.bottom());
        if (placed.left() < area.left()) placed.moveLeft(area.left());
        if (placed.top() < area.top()) placed.moveTop(area.top());
    }
    window->move(placed.topLeft());
}

namespace {
// Watches one window for its first Show event, centres it and goes away.
class FirstShowCentring : public QObject
{
public:
    FirstShowCentring(QWidget* window, bool overParent) : QObject(window), m_overParent(overParent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            centreOver(window, m_overParent ? window->parentWidget() : nullptr);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    bool m_overParent;
};
} // namespace

void centreWhenFirstShown(QWidget* window, bool overParent)
{
    window->installEventFilter(new FirstShowCentring(window, overParent));
}

void setTiledBackground(QWidget* widget, const QPixmap& tile)
{
    QPalette p = widget->palette();
    p.setBrush(QPalette::Window, QBrush(tile));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QPixmap tableBackground()
{
    return art::BoardArt::draw(art::BoardArt::Picture::Background, 0, 1.0);
}

QFrame* makePanel(QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setStyleSheet(QStringLiteral(
        "QFrame#panel { background: rgba(255, 255, 250, 205); border: 1px solid #9c9560;"
        " border-radius: 6px; }"));
    panel->setGeometry(geometry);
    return panel;
}

} // namespace quornet::windows
