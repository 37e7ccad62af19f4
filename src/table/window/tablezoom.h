// The scale of the table window's client area: any percent from 100 up, set by the window's size
// (the table fills the window, keeping its proportions) or by the quick sizes of View > Zoom.
//
// Every widget of the client area keeps its 100 % geometry, font size and icon size as dynamic
// properties (recorded the first time the zoom changes, or by place() for the widgets the parts
// place as the table changes); apply() maps them to the current zoom. The parts of the window
// are containers at positions that the quick sizes map to whole pixels (multiples of 4), so a
// widget inside one lands on the same pixel as it would in the panel itself (at other scales
// within a pixel).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

class QLabel;
class QWidget;

namespace quornet::table {

class TableZoom {
public:
    // The quick sizes of View > Zoom.
    static constexpr std::array<int, 4> Steps{100, 125, 150, 200};
    static constexpr int MinPercent = 100;
    static constexpr int MaxPercent = 400;
    // fitting() gives a quick size for a room up to this much larger.
    static constexpr int SnapPercent = 2;
    // A percent outside MinPercent..MaxPercent reads as 100.
    static int valid(int percent);
    // The largest percent at which `base` drawn scaled still fits in `room` (at least MinPercent).
    static int fitting(QSize base, QSize room);

    int percent() const { return m_percent; }
    qreal factor() const { return m_percent / 100.0; }
    // Takes a scale; the widgets follow with apply().
    void setPercent(int percent) { m_percent = valid(percent); }

    // A 100 % rectangle on the screen: position and size are each rounded, so equal sizes stay
    // equal wherever they are placed.
    QRect zoomed(const QRect& base) const;
    // Places a widget at its 100 % geometry, shown at the zoom.
    void place(QWidget* w, const QRect& base) const;
    void move(QWidget* w, QPoint base) const;
    // A font size at 100 %, shown at the zoom.
    void setBaseFontPixels(QWidget* w, int px) const;
    // A label shows its whole text: a long one in a smaller font (down to `smallest` pixels at
    // 100 %), and, where `twoLines` gives room, a very long one on two lines.
    void fitText(QLabel* label, const QString& text, QRect oneLine, int largest, int smallest, QRect twoLines = {}) const;

    // Scales every widget below root: plain containers and parts are walked into, every other
    // widget is scaled as a whole (its own children, scroll bars and viewports, left to it).
    void apply(QWidget* root) const;
    // A part of the window: apply() walks into it as into a plain container.
    static void markPart(QWidget* part);
    // A widget that sizes its own text (the chat view): apply() leaves its font alone.
    static void markOwnText(QWidget* w);

private:
    int m_percent = 100;
};

} // namespace quornet::table
