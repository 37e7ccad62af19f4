// Helpers shared by the side windows: where they appear, their background picture, and the
// message boxes they raise, which tests replace with their own functions.
#pragma once

#include <QPixmap>
#include <QString>

#include <functional>

class QWidget;
class QFrame;

namespace quornet::windows
{

// A Yes/No question; true for Yes.
using AskFunction = std::function<bool(QWidget* parent, const QString& text)>;
// A message with an OK button.
using TellFunction = std::function<void(QWidget* parent, const QString& text)>;

// QMessageBox::question with Yes and No, No being the default.
bool askYesNo(QWidget* parent, const QString& text);
// QMessageBox::information.
void tellUser(QWidget* parent, const QString& text);

// Moves window so that it is centred over anchor's frame, or over the screen that holds the
// window when anchor is null or hidden; the window is kept inside that screen.
void centreOver(QWidget* window, const QWidget* anchor);
// Centres the window the first time it is shown: over its parent, or on the desktop when
// overParent is false. Later shows keep it where the user left it.
void centreWhenFirstShown(QWidget* window, bool overParent = true);

// Fills the widget's background with the tile (the table window's background picture).
void setTiledBackground(QWidget* widget, const QPixmap& tile);
// The table window's linen background tile.
QPixmap tableBackground();

// A light panel with a thin frame that keeps text readable over the background.
QFrame* makePanel(QWidget* parent, const QRect& geometry);

} // namespace quornet::windows
