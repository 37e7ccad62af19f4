// The picture of the lobby download window's left panel, drawn in code.
#pragma once

#include <QPixmap>
#include <QSize>

namespace quornet::windows
{

// A table with four seats under the lobby's name, size in logical pixels at the ratio.
QPixmap drawLobbyPicture(QSize size, qreal ratio = 1.0);

} // namespace quornet::windows
