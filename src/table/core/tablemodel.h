// TableModel: the logic and state of the table window, without widgets or sockets.
//
// Inputs: handleMessage() with one message of the host (the dispatcher, one call per message
// timer tick), the player's actions as methods, badgeTick() (the 1000 ms badge timer) and
// tick() (the quick phrase cool-down, once per message timer tick while phraseCounting()).
// Outputs: the state (state(), chat()) and signals. After each handled message or action that
// changed the state, changed() is emitted once; chat lines are announced by the ChatLog.
//
// A malformed message of the host (a number that is not a number, missing fields, a seat,
// team, slot or position out of range) is dropped with a warning in the "quornet.table"
// logging category; it changes nothing.
#pragma once

#include "table/core/chatlog.h"
#include "table/core/gamelog.h"
#include "table/core/piletracker.h"
#include "table/core/scoresheet.h"
#include "table/core/tablestate.h"
#include "bots/level.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

namespace quornet::table {

// What the game start dialog chose.
struct GameOptions {
    QString lengthCode = QStringLiteral("f"); // "f", "5", "3" or "r"
    bool twoPlayer = false;
    bool pickUp = true;
    int pickUpCount = 1;
};

class TableModel : public QObject {
    Q_OBJECT
public:
    explicit TableModel(QObject* parent = nullptr);
    ~TableModel() override;

    const TableState& state() const { return m_s; }
    ChatLog& chat() { return m_chat; }
    const ChatLog& chat() const { return m_chat; }
    // Every round of the current game as the host scored it (View > Score Sheet).
    const ScoreSheet& scoreSheet() const { return m_scores; }
    // The status texts of the current game with their times (View > Game Log).
    const GameLog& gameLog() const { return m_log; }

    // --- Start-up and settings ----------------------------------------------------------
    void setPlayerName(const QString& name);
    // Hosting shows the start button and enables "Start Game"; joining hides and disables them.
    void setHosting(bool host);
    // The solo game: the texts that name the player "You" read as English ("You have started a
    // game.", "You chat:"); with any other name they stay as the host and the table word them.
    void setSolo(bool solo);
    // A notice about a participant: sentence with %1 the name, or soloSentence for the solo player.
    QString aboutPlayer(const QString& name, const QString& sentence, const QString& soloSentence) const;

    void setManualSort(bool on);
    void setTurnSound(int value); // 0 Classic, 1 New
    void setChatterSounds(bool on);

    // A game is in progress (from its start, or the catch-up of a late joiner, to its end).
    bool gameRunning() const { return m_scores.gameRunning(); }
    // The connection was made again after it was lost. When the host numbers it, what the
    // window showed of the table is forgotten (the chat is kept) and the host's catch-up after
    // the login shows it afresh.
    void expectRejoin() { m_rejoinPending = true; }
    // A key kept from before this program started (a saved game, a table left by a crash):
    // presented at the next login.
    void setSeatKey(const QByteArray& key) { m_s.seatKey = key; }
    // A status text of the window's own (the connection's state).
    void showStatus(const QString& text);
    // The window goes to another table (tablemodel_seats.cpp): what it showed of the last one
    // is forgotten (the chat is kept, the player's own choices too); nothing is sent.
    void startAfresh();

    // --- Host messages --------------------------------------------------------------------
    // One message as queued (with or without its terminator byte).
    void handleMessage(const QByteArray& text);

    // --- Timers ---------------------------------------------------------------------------
    void badgeTick();                      // Timer2, every 1000 ms
    bool badgesCounting() const;           // a badge is shown: keep Timer2 running
    void tick();                           // phrase cool-down, once per message timer tick
    bool phraseCounting() const { return !m_s.phraseReady; }

    // --- Hand and player actions -----------------------------------------------------------
    // Left button: pick / lower / swap (Manual Sort); right button: sort the hand.
    void clickCard(int slot, Qt::MouseButton button);
    void sortthem();
    void clickDraw();
    void clickPickup();
    void clickPlace(int place);            // 1..3: lay the picked card on it, or take it back
    void clickClearBook();
    void clickCreate();
    void clickBook(int team, int slot);
    void clickCompleted(int team, int n);
    void clickDiscard();                   // image_discard and Image4
    // Keyboard play: Left (-1) and Right (+1) move the cursor over the hand row, or move the
    // picked card (Manual Sort) or the pick (otherwise); Space picks or lowers at the cursor.
    void moveKeyCursor(int step);
    void keyPick();
    // The host slot the keyboard cursor is on, -1 while it is hidden or on no card.
    int keyCursorSlot() const;
    // The own team's books in turn, working books first (B / Shift+B), and adding the picked
    // card to the chosen one (A).
    void moveBookCursor(int step);
    void keyAddToBook();
    // The picture the book cursor is on ("book12", "comp13"), empty while it is on none.
    QString keyBookName() const;
    // Play > Hint: the level's advice for the own turn in the status line, its cards marked
    // (TableState::hintSlots) until the hand or the turn changes. Sends nothing.
    void hint(bots::Level level);
    // The discard pile and what else of the round the window has followed.
    const PileTracker& pileTracker() const { return m_pile; }
    // The cards a pick-up would take, shown beside the pile while the player chooses between
    // drawing and taking it, with a pick-up count above 1.
    bool pickUpPreviewShown() const;

    // True when the team has a working book of that rank (0..12).
    bool checkforbook(int rank, int team) const;

    // --- Game start ------------------------------------------------------------------------
    // button_start / "Start Game": hides the start button and asks for the game start dialog.
    void clickStart();
    // The dialog confirmed: sends CMD_startgame; "You are not connected" when not logged in.
    // Returns true when the request was sent (the settings are then saved).
    bool startGame(const GameOptions& options);
    // The number of the round in play, 0 when it is not known (a late joiner's first round) or
    // no game runs.
    int roundNumber() const;
    // The other seated players for the tally's check list.
    QStringList otherSeatedPlayers() const;

    // --- Participants ------------------------------------------------------------------------
    SeatPopup seatPopup(int seat) const;   // the popup's enabled items for a right click
    void kicking(int participant);         // "Remove From Game" and the spy list
    void setJustWatchFor(int seat);        // "Set to Just Watch"
    void unsetJustWatchFor(int seat);      // "Unset Just Watch"
    void toggleJustWatch();                // main menu "Just Watch" for the own seat
    void imBack();                         // "I'm Back" after the computer took a hung turn over

    // --- Muting (this window only, for the session) ----------------------------------------
    // A muted participant's chat, actions and chatter sounds are not shown or played here. The
    // mute follows the name, so it holds when the player leaves and comes back.
    void setMuted(const QString& name, bool muted);
    bool isMuted(const QString& name) const { return m_muted.contains(name); }
    bool isParticipantMuted(int participant) const { return isMuted(participantName(participant)); }
    // The name of a seat's player or of a spectator; empty for an empty seat or no one.
    QString participantName(int participant) const;
    QStringList mutedNames() const;

    // --- Chat ----------------------------------------------------------------------------------
    // The entry's text on Enter. Returns true when the entry is to be cleared.
    bool sendit(const QString& entryText, quint32 colour);
    // A quick phrase button. Returns true when the phrase was sent (cool-down started).
    bool quickPhrase(const QString& phrase, quint32 colour);
    // The sound menu: item n (1..20) for the own seat.
    void sendChatterSound(int n);
    // Caption of the sound menu item "waveN" (1..20), empty otherwise.
    static QString chatterSoundCaption(int n);

signals:
    void changed();
    void send(const QByteArray& wireMessage);
    // Event sounds by name ("entered", "getcard", "turn", ...); the player honours Play Sounds.
    void playSound(const QString& name);
    // A chatter sound to play ("wave1".."wave20"), only while Play Chatter Sounds is on.
    void playChatterSound(const QString& name);
    // Emitted after the state change it belongs to. A modal box runs a nested event loop:
    // show it through a queued connection or non-modally.
    void messageBox(const QString& text);
    void closeRequested();
    void gameWon(const QString& names);
    // A round has ended (its scores are on the score sheet); `winners` names the game's
    // winners ("No One" for a tie) when the game ended with it, else it is empty.
    void roundOver(const QString& winners);
    // A new round (or game) is being dealt.
    void dealt();
    void ownLogin();          // the own arrival: load the settings
    void rejoined();          // the own arrival after a lost connection
    void playersChanged();    // refresh the tally's player check list
    void chatReceived();      // a CMD_chat was shown while seat 2 reads "Klot" (chatter bot)
    void startDialogRequested();
    // A private table asked for its password (CMD_passwordneeded; it comes on every arrival,
    // also to a window that sends the password) or refused the one given (CMD_wrongpassword).
    void passwordAsked();
    void passwordRefused();
    // The host runs another version than this window (CMD_wrongversion).
    void versionDiffers();

private:
    class Changes;
    friend class Changes;

    void setHostRights(bool rights);

    // Seat keys, held seats and the host's farewell (tablemodel_seats.cpp).
    void seatKey(const QByteArray& args);
    void seatHeld(const QByteArray& args);
    void seatLost(const QByteArray& args);
    void removedFromGame();
    void tableClosed();
    void scoreSheetRound(const QByteArray& args);

    // Dispatch helpers.
    void dispatch(const QByteArray& word, const QByteArray& args);
    void touch() { m_touched = true; }
    void notice(const QString& text, quint32 colour = 0xFF0000);
    void sendMessage(const QByteArray& message);
    QString seatName(int seat) const;

    // Participants (tablemodel_players.cpp).
    void loginReply(const QByteArray& args);
    void beginRejoin();
    void arrived(const char* word, const QByteArray& args);
    void departed(const QByteArray& args);
    void justWatching(const QByteArray& args);
    void noBots(const QByteArray& args);
    void loadStats(const QByteArray& args);
    void wrongVersion(const char* word, const QByteArray& args);
    void full();

    // Board (tablemodel_board.cpp).
    void newBook(const QByteArray& args);
    void addToBook(const QByteArray& args);
    void completed(const QByteArray& args);
    void addToComp(const QByteArray& args);
    void loadBooks(const QByteArray& args);
    void loadComp(const QByteArray& args);
    void postScores(const QByteArray& args);
    void useFoot(const QByteArray& args);
    void discard(const QByteArray& args);
    void freeCard(const QByteArray& args);
    void noBookMatch(const QByteArray& args);
    void status(const QString& text);
    void putWorkingBook(int team, int slot, int naming, int kind, int count, int tag);
    void putCompletedBook(int team, int n, int naming, int kind, int tag);
    void clearPlaces();
    void followPickUps(const QByteArray& word, const QByteArray& args);

    // Every seat's turn step by step (tablemodel_follow.cpp): the status and the game log say
    // each draw, pick-up, discard, foot and going out; the board marks what just happened.
    static constexpr int JustHappenedTicks = 2; // badge timer ticks: one to two seconds
    void followTurn(const QByteArray& word, const QByteArray& args);
    void followTurnPassed(int previous, int left);
    bool ownSeat(int seat) const;
    void markJustHappened();
    void changeCount(int seat, int by, bool absolute = false);
    void saidDraw(int seat);
    void saidPickUp(int seat, int top, int taken);
    void saidDiscard(int seat, int card);
    void settlePending(bool pickedUp);
    void turnWentOn(int seat);
    void wentOut(const QByteArray& word, const QByteArray& args);
    void footTaken(int seat);
    void bookChanged(int seat, int team, int slot, bool completed, int cardsPlayed);
    void fadeJustHappened();
    void otherTeamsBook();

    // Hand, turn and rounds (tablemodel_hand.cpp, tablemodel_rounds.cpp).
    void newCard(const QByteArray& args);
    void createcard(int slot, int code);
    void movecards(int slot);
    void nextPlayer(const QByteArray& args);
    void startthegame(const QByteArray& args);
    void startround();
    void roundWinner(const QByteArray& args);
    void winner(const QByteArray& args);
    void boardReset();
    // No turn is shown: at the end of a game and at the start of the next.
    void clearTurnDisplay();
    void forgetHeldSeats();
    // The own seat's count follows the own hand, also during the own turn.
    void followOwnCount();
    void invalidDiscard();
    int firstFreePosition() const;
    int positionOf(int slot) const;
    // Swaps the cards shown at two hand positions; both take their sorted Left.
    void swapPositions(int a, int b);
    void pick(int slot);
    void returnPlaceToHand(int place, const char* sound);

    // Chat (tablemodel_chat.cpp).
    void chatrecieved(const QByteArray& args, bool isChat);
    void playasound(const QByteArray& args);

    TableState m_s;
    PileTracker m_pile;
    ChatLog m_chat;
    ScoreSheet m_scores;
    GameLog m_log;
    QSet<QString> m_muted;
    bool m_touched = false;
    bool m_rejoinPending = false;
    bool m_justWatchAsked = false; // this window asked for its own seat to watch
    // After a rejoin, the catch-up's computer seats are announced without a notice.
    bool m_quietCatchUp = false;
    QByteArray m_seatLost; // the host's CMD_seatlost before the own arrival: "unknown", "lapsed"
    QString heldNotice(const QString& name, int seconds) const;
    // The turn being followed: its seat, whether its draw or pick-up was told, and a first top
    // of the pile that may still be a pick-up (-1 none) with what such a pick-up took.
    struct TurnSeen {
        int seat = 0;
        bool drawn = false;
        int pendingTop = -1;
        int pileTop = 0;
        int pileTaken = 1;
    } m_seen;
    QList<int> m_discarders; // the seat that discarded each card of the pile, the top last
    // The own pick-up asked for: its cards arrive before the pile's new top.
    bool m_ownPickUpPending = false;
    QList<int> m_ownPickUp;
    int m_depth = 0;
    // The keyboard cursor's place in the hand row, kept when its card leaves the row.
    int m_keyIndex = 0;
    void setKeySlot(int slot);
};

} // namespace quornet::table
