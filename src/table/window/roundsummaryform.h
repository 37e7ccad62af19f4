// Troundsummary, the end of a round at a glance: who went out (or that the deck ran out) and
// each team's card points, book bonuses, going-out bonus, penalties, the round's points and the
// game's totals, from the score sheet. Shown by the table window at every round's end and at
// the game's end. In the solo game the next deal waits for its Continue; at a networked table
// it closes by itself when the next round is dealt.
#pragma once

#include <QDialog>

class QLabel;
class QGridLayout;
class QPushButton;

namespace quornet::table {

class ScoreSheet;

class Troundsummary : public QDialog {
    Q_OBJECT
public:
    explicit Troundsummary(QWidget* parent = nullptr);

    // The last round of the sheet; `winners` names the game's winners when the game is over
    // ("No One" for a tie), empty while it goes on.
    void showRound(const ScoreSheet& sheet, const QString& winners);
    QString title() const;
    // The grid's cell in words, for row 0..5 and team 1..2 ("Cards played", "Book bonuses",
    // "Going out", "Penalties", "This round", "Game total").
    QString cell(int row, int team) const;
    QPushButton* continueButton() const { return m_continue; }

signals:
    // Continue, or the window closed: the player has seen the round.
    void continued();

private:
    QLabel* m_title = nullptr;
    QLabel* m_outcome = nullptr;
    QGridLayout* m_grid = nullptr;
    QPushButton* m_continue = nullptr;
};

} // namespace quornet::table
