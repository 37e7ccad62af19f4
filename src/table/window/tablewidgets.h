// The plain widgets the table window's parts are built of: captions, pictures, clickable
// pictures, sunken outlines and buttons, each with its name (the name tests and players'
// scripts find it by) and its 100 % geometry.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace quornet::table {

class ClickLabel;

namespace widgets {

// Where a part of the score panel lies in it: at an origin that every zoom maps to whole pixels
// (a multiple of 4, see TableZoom). The table's geometry is the panel's; the part moves it by
// its origin.
struct PartOrigin {
    QPoint origin;
    QRect operator()(int x, int y, int w, int h) const { return QRect(x, y, w, h).translated(-origin); }
    QRect part(QSize size) const { return QRect(origin, size); }
};

// Colours travel as 0x00BBGGRR values.
QColor bgr(quint32 value);
QFont pixelFont(int px, bool bold = false);

QLabel* text(QWidget* parent, const char* name, const QString& caption, QRect geometry, int px, bool bold,
             QColor colour = Qt::black);
QLabel* picture(QWidget* parent, const QString& name, QRect geometry);
ClickLabel* clickPicture(QWidget* parent, const QString& name, QRect geometry);
QFrame* outline(QWidget* parent, QRect geometry);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A frame of the keyboard cursors: an orange border, hidden, transparent for the mouse.
QWidget* cursorFrame(QWidget* parent, const char* name);

} // namespace widgets
} // namespace quornet::table
