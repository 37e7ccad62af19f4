#include "table/window/tablewidgets.h"

#include "protocol/colortext.h"
#include "table/window/clicklabel.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace quornet::table::widgets {

QColor bgr(quint32 value) { return QColor::fromRgba(protocol::ColorText::toArgb(value)); }

QFont pixelFont(int px, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel* text(QWidget* parent, const char* name, const QString& caption, QRect geometry, int px, bool bold, QColor colour)
{
    auto* l = new QLabel(caption, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setFont(pixelFont(px, bold));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    l->setGeometry(geometry);
    return l;
}

namespace {
template <typename Label> Label* scaledPicture(QWidget* parent, const QString& name, QRect geometry)
{
    auto* l = new Label(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setScaledContents(true);
    return l;
}
} // namespace

QLabel* picture(QWidget* parent, const QString& name, QRect geometry) { return scaledPicture<QLabel>(parent, name, geometry); }

ClickLabel* clickPicture(QWidget* parent, const QString& name, QRect geometry)
{
    return scaledPicture<ClickLabel>(parent, name, geometry);
}

QFrame* outline(QWidget* parent, QRect geometry)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setFont(pixelFont(12, true));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QWidget* cursorFrame(QWidget* parent, const char* name)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setStyleSheet(QStringLiteral("#%1 { border: 2px solid #E07000; border-radius: 3px; }").arg(QLatin1String(name)));
    w->setAttribute(Qt::WA_StyledBackground);
    w->hide();
    return w;
}

} // namespace quornet::table::widgets
