// Ttallylist, the tally list window: the local player's own count of finished games, the
// players at the table ("Players In Current Game"), the players being tallied and the counts of
// the selected one, in total and for this session.
//
// The window owns the TallyBook and loads the tally file when it is created; the table window
// shows startupError() to the user when it is not empty. The tally is saved by save() and again
// when the window is destroyed at the end of the program.
//
// Wiring by the table window: setLocalPlayer() with the player name of the start-up;
// loadchecklist() when a participant connects or leaves, when a game starts and before View >
// Tally List shows the window; loadchecklist() then addgame() when CMD_winner names winners.
#pragma once

#include "windows/sidewindow.h"
#include "tally/tallybook.h"

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quornet::windows
{

class Ttallylist : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 463;
    static constexpr int ClientHeight = 376;

    // The tally file lives in folder (by default beside the program, or in the user's data
    // folder when the program's folder cannot be written).
    explicit Ttallylist(const QString& folder = tally::TallyBook::defaultFolder(),
                        QWidget* parent = nullptr);
    ~Ttallylist() override; // saves the tally, ignoring errors

    // The text to show the user when the tally file could not be read; empty otherwise.
    QString startupError() const { return m_startupError; }
    // Writes the tally file; returns the error text, empty on success.
    QString save();

    void setLocalPlayer(const QString& name) { m_book.setLocalPlayer(name); }
    void setBackground(const QPixmap& tile);
    // Replaces the Yes/No confirmation (tests answer it themselves).
    void setAskFunction(AskFunction ask) { m_ask = std::move(ask); }

    // Refills "Players In Current Game" from the four seat name captions (seat 1 first) and
    // the own seat (1..4, 0 for a spectator); tallied names are checked.
    void loadchecklist(const QStringList& seatCaptions, int ownSeat);
    // Counts a finished game with the winners text of CMD_winner; a tie counts nothing.
    bool addgame(const QString& winners);

    // Shows tallied player index (its entry in "Players Being Tallied") in the selected
    // player panel and selects its entry; -1 clears the selection.
    void selectTallied(int index);

    const tally::TallyBook& book() const { return m_book; }

private:
    void buildOwnPanel();
    void buildPlayerPanel();
    void buildLists();
    void fillTalliedList();
    void syncCheckMarks();
    void showOwnCounts();
    void showSelected();
    void clearSelectedPanel();
    void currentPlayerToggled(QListWidgetItem* item);
    void talliedPlayerToggled(QListWidgetItem* item);
    void resetClicked();

    tally::TallyBook m_book;
    QString m_startupError;
    AskFunction m_ask = askYesNo;
    QStringList m_seatCaptions;
    int m_ownSeat = 0;

    QLabel* m_myGames = nullptr;       // mylabel_1
    QLabel* m_myWins = nullptr;        // mylabel_2
    QLabel* m_nameTop = nullptr;       // label_hisnametop
    QLabel* m_hisName = nullptr;       // label_hisname
    std::array<QLabel*, 9> m_counts{}; // label_1 .. label_8 at 1..8
    QListWidget* m_current = nullptr;  // checklist
    QListWidget* m_tallied = nullptr;  // listbox_tally
    QPushButton* m_reset = nullptr;
};

} // namespace quornet::windows
