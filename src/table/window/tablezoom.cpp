#include "table/window/tablezoom.h"

#include <QLabel>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace quornet::table {

namespace {
constexpr const char* BaseGeometry = "zoomBaseGeometry";
constexpr const char* BaseFontPixels = "zoomBaseFontPixels";
constexpr const char* BaseFontPoints = "zoomBaseFontPoints";
constexpr const char* BaseIconSize = "zoomBaseIconSize";
constexpr const char* Part = "zoomPart";
constexpr const char* OwnText = "zoomOwnText";

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
} // namespace

int TableZoom::valid(int percent)
{
    return percent >= MinPercent && percent <= MaxPercent ? percent : 100;
}

int TableZoom::fitting(QSize base, QSize room)
{
    TableZoom z;
    int best = MinPercent;
    // Sizes are rounded the way zoomed() rounds them, so the chosen scale's table fits exactly.
    for (int p = MinPercent; p <= MaxPercent; ++p) {
        z.setPercent(p);
        const QSize s = z.zoomed(QRect(QPoint(), base)).size();
        if (s.width() > room.width() || s.height() > room.height()) break;
        best = p;
    }
    // A window a few pixels larger than a quick size (its frame counted twice, a menu bar a
    // little lower) shows that size.
    for (int step : Steps)
        if (best >= step && best <= step + SnapPercent) return step;
    return best;
}

QRect TableZoom::zoomed(const QRect& base) const
{
    const auto scale = [this](int v) { return qRound(v * m_percent / 100.0); };
    return QRect(scale(base.x()), scale(base.y()), scale(base.width()), scale(base.height()));
}

void TableZoom::place(QWidget* w, const QRect& base) const
{
    w->setProperty(BaseGeometry, base);
    w->setGeometry(zoomed(base));
}

void TableZoom::move(QWidget* w, QPoint base) const { place(w, QRect(base, baseGeometry(w).size())); }

void TableZoom::setBaseFontPixels(QWidget* w, int px) const
{
    w->setProperty(BaseFontPixels, px);
    w->setProperty(BaseFontPoints, QVariant());
    scaleFont(w, factor());
}

void TableZoom::fitText(QLabel* label, const QString& text, QRect oneLine, int largest, int smallest, QRect twoLines) const
{
    if (label->text() == text && label->property("fitZoom").toInt() == m_percent) return;
    label->setProperty("fitZoom", m_percent);
    int px = largest;
    const auto fits = [&](int size) {
        QFont f = label->font();
        f.setPixelSize(size);
        return QFontMetrics(f).horizontalAdvance(text) <= oneLine.width();
    };
    while (px > smallest && !fits(px)) --px;
    const bool wrap = !fits(px) && !twoLines.isNull();
    label->setWordWrap(wrap);
    label->setAlignment(wrap ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop);
    place(label, wrap ? twoLines : oneLine);
    setBaseFontPixels(label, px);
    label->setText(text);
}

void TableZoom::apply(QWidget* root) const
{
    const qreal z = factor();
    const std::function<void(QWidget*)> scaleChildren = [&](QWidget* parent) {
        for (QObject* o : parent->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow()) continue;
            place(w, baseGeometry(w));
            if (w->metaObject() == &QWidget::staticMetaObject || w->property(Part).toBool()) {
                scaleChildren(w);
                continue;
            }
            if (w->property(OwnText).toBool()) continue;
            scaleFont(w, z);
            if (auto* b = qobject_cast<QToolButton*>(w)) {
                if (!b->property(BaseIconSize).isValid()) b->setProperty(BaseIconSize, b->iconSize());
                const QSize icon = b->property(BaseIconSize).toSize();
                b->setIconSize(zoomed(QRect(QPoint(), icon)).size());
            }
        }
    };
    scaleChildren(root);
}

void TableZoom::markPart(QWidget* part) { part->setProperty(Part, true); }

void TableZoom::markOwnText(QWidget* w) { w->setProperty(OwnText, true); }

} // namespace quornet::table
