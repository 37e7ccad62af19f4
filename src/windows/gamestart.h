// The game start dialog (Tgamestartform): the host's user picks the game length, the two-player
// and pick-up options and the pick-up count, then starts the game. The dialog only collects the
// choices; the table window sends CMD_startgame.
#pragma once

#include <QDialog>
#include <QPixmap>

#include <array>

class QLabel;
class QSpinBox;
class QPushButton;

namespace quornet::windows {

class MarkLabel;

class Tgamestartform : public QDialog {
    Q_OBJECT
public:
    explicit Tgamestartform(QWidget* parent = nullptr);

    // Pictures of the marks (imagelist_checks): off and on, 34 x 21.
    void setCheckPictures(const QPixmap& off, const QPixmap& on);
    void setBackground(const QPixmap& tile);

    // Turns all four game-type marks off, then the named one on ("image_game1".."image_game4").
    void checkimage(const QString& markName);
    // Sets "image_bots" or "image_discard" to state 0/1; the pick-up count follows Pickup Discard.
    void theyclicked(const QString& markName, int state);
    void setPickUpCount(int count);

    // "r", "3", "5" or "f" (also when no game-type mark is on).
    QByteArray lengthCode() const;
    bool twoPlayer() const;
    bool pickUp() const;
    int pickUpCount() const;
    bool pickUpCountEnabled() const;
    // The computer players' level chosen in the table window's menu, shown for information
    // ("Computer Players: Expert"); the dialog does not change it.
    void setBotLevelCaption(const QString& level);
    QString botLevelText() const;
    int markState(const QString& markName) const;

signals:
    // button_start was clicked; the dialog hides itself afterwards.
    void startRequested();

private:
    MarkLabel* mark(const QString& name) const;
    void redraw(MarkLabel* m);

    std::array<MarkLabel*, 4> m_games{};
    MarkLabel* m_bots = nullptr;
    MarkLabel* m_discard = nullptr;
    QSpinBox* m_count = nullptr;
    QLabel* m_countLabel = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_level = nullptr;
    QPixmap m_off;
    QPixmap m_on;
};

} // namespace quornet::windows
