// Everything the table window shows, as plain data. TableModel owns one TableState and changes
// it only from host messages and the player's actions; the widgets read it after changed().
//
// Numbering follows the window: seats 1..4, teams 1 (green, seats 1 and 3) and 2 (blue, seats 2
// and 4), create-book places 1..3, hand positions 1..20. Hand slots are the host's slot numbers.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

namespace quornet::table {

inline constexpr int SeatCount = 4;
inline constexpr int MaxParticipant = 9;
inline constexpr int HandPositions = 20;
inline constexpr int MaxHandSlot = 20;       // host hand slots 0..20
inline constexpr int PlaceCount = 3;
inline constexpr int WorkingBookSlots = 9;   // book slots 1..9
inline constexpr int MaxCompletedBooks = 30; // the host keeps up to 30 per team and round

inline constexpr char WaitingName[] = "<Waiting>";
inline constexpr char WelcomeStatus[] = QT_TRANSLATE_NOOP("quornet::table::TableModel", "Welcome to Quornet!");
// Status texts for clicks that do nothing.
inline constexpr char DrawFirst[] =
    QT_TRANSLATE_NOOP("quornet::table::TableModel", "Draw first: use the draw button or take the pile.");
inline constexpr char OtherTeamsBook[] =
    QT_TRANSLATE_NOOP("quornet::table::TableModel", "That book belongs to the other team.");


// Pixel geometry of the board pictures and the hand row, computed by the model.
namespace geometry {
inline constexpr int BookHeight = 48;
inline constexpr int BookTopWidth = 36;
inline constexpr int EdgeStep = 5;          // card edges of a working book, x = 5 i
inline constexpr int RowStep = 51;
inline constexpr int CompletedPerColumn = 8;
inline constexpr int CompletedColumnStep = 44;
inline constexpr int CardWidth = 71;
inline constexpr int CardHeight = 96;
inline constexpr int CardTopRest = 218;
inline constexpr int CardTopRaised = 212;

// Working book of a team (inside panel_board1 / panel_board2).
constexpr int workingLeft(int team) { return team == 1 ? 109 : 13; }
constexpr int workingTop(int slot) { return 40 + RowStep * (slot - 1); }
constexpr int workingWidth(int count) { return BookTopWidth + EdgeStep * (count - 1); }
// Completed book n: eight per column; books 9..16 in the second column, and books beyond 16
// (possible in a long round) in further columns at the same step.
constexpr int completedColumn(int n) { return (n - 1) / CompletedPerColumn; }
constexpr int completedLeft(int team, int n)
{
    return (team == 1 ? 13 : 90) + CompletedColumnStep * completedColumn(n);
}
constexpr int completedTop(int n) { return 42 + RowStep * ((n - 1) % CompletedPerColumn); }
// Hand row Left for position p: on arrival or after a gap closed, back from a create-book
// place, after a sort or a manual swap.
constexpr int handLeftArrived(int p) { return 20 * p - 14; }
constexpr int handLeftReturned(int p) { return 20 * p - 16; }
constexpr int handLeftSorted(int p) { return 20 * p - 18; }
} // namespace geometry

struct SeatView {
    QString name = QString::fromLatin1(WaitingName); // caption of label_playernameN
    QString hint;              // computer player's name: "", "Klot", "Klick", "Kling"
    QString score = QStringLiteral("0");
    bool scoreVisible = true;
    QString cardsLeft;         // empty until the first game
    bool footVisible = true;
    bool eyesVisible = false;  // just-watching marker
    bool held = false;         // its player dropped; the host keeps the seat (name shown marked)
    int eyesTag = 0;           // 1 keeps the marker when the seat is vacated (two-player game)
};

struct WorkingBook {
    int team = 0;
    int slot = 0;    // 1..9
    int naming = 0;  // naming card code
    int kind = 1;    // 1 normal, 2 wild
    int count = 3;
    int tag = -1;    // the slot for the viewer's own team, -1 otherwise: -1 takes no clicks
    int left = 0, top = 0, width = 0, height = geometry::BookHeight;

    int rank() const { return naming % 13; }
    // Drawing: card edges 0..count-2 at x = 5 i, then the book top at topX().
    int edges() const { return count - 1; }
    int topX() const { return geometry::EdgeStep * (count - 1); }
};

struct CompletedBook {
    int team = 0;
    int slot = 0;    // completed-book slot n, 1..30
    int naming = 0;
    int kind = 1;
    int tag = -1;    // n for the viewer's own team, -1 otherwise
    int left = 0, top = 0, width = geometry::BookTopWidth, height = geometry::BookHeight;

    int rank() const { return naming % 13; }
};

// The "+500" / "+300" badge shown when a team completes a book.
struct Badge {
    bool visible = false;
    QString text = QStringLiteral("+500");
    int countdown = 0;           // hidden once below 0 (badgeTick)
    int left = 64, top = 264;    // image_ascoreT
    int labelLeft = 71, labelTop = 270; // label_ascoreT
};

struct TeamBoard {
    QMap<int, WorkingBook> working;     // by book slot
    QMap<int, CompletedBook> completed; // by completed-book slot
    Badge badge;
    bool winnerVisible = false;      // image_winnerT
    bool roundWinnerVisible = false; // image_rwinnerT
};

// A card image of the own hand: the cards in the hand row and the cards laid on a create-book
// place (hidden, still in the hand at the host).
struct HandCard {
    int slot = -1;
    int code = 0;
    int left = 0;
    int top = geometry::CardTopRest;
    bool visible = true;

    bool raised() const { return top != geometry::CardTopRest; }
};

struct PickedCard {
    int slot = -1;
    int code = 0; // 0: no card picked

    bool isPicked() const { return code != 0; }
};

struct Place {
    int slot = -1; // host hand slot of the card laid on it, -1 when empty
    int code = 0;  // its card code, 0 when empty

    bool isEmpty() const { return code == 0; }
};

// Enabled items of the seat-name popup menu.
struct SeatPopup {
    bool removeFromGame = false;
    bool setJustWatch = false;
    bool unsetJustWatch = false;
};

// What just happened at the table, marked on the board for a moment and then faded
// (TableModel::badgeTick): the new or grown book, the pile's new top, a count that changed.
struct JustHappened {
    int bookTeam = 0;           // 0: no book marked
    int bookSlot = 0;           // a working book's slot, or a completed book's number
    bool bookCompleted = false;
    bool pileTop = false;
    int countSeat = 0;          // 0: no count marked
    int ticksLeft = 0;          // badge timer ticks until it fades; 0: nothing marked
};

struct TableState {
    // Connection and identity.
    int own = 0;            // own participant number; 1..4 the own seat, 5..9 a spectator
    bool loggedIn = false;
    bool host = false;      // the host user's controls: this window holds participant 1
    bool hosting = false;   // this copy runs the host (the hosting copy or the solo game)
    // The key the host gave the own seat: presented (CMD_rejoin) when the window connects again.
    QByteArray seatKey;
    bool tableClosed = false; // the host said farewell (CMD_tableclosed)
    bool solo = false;      // the solo game: the player is "You" and the texts say so in English
    QString playerName;
    int ownTeam = 0;        // 0 until the own arrival (and for spectators)
    bool removed = false;   // the host told this window of its own departure: it was removed
    bool rejoining = false; // logging in again after a lost connection

    std::array<SeatView, SeatCount + 1> seats{}; // 1..4
    QStringList spectators; // entries "n: name"

    // Board.
    std::array<TeamBoard, 3> teams{}; // 1..2
    int discardCard = 0;    // top of the discard pile, 0 = empty
    int discardTag = 0;     // 1 while the pile shows a card
    int discardedBy = 0;    // the seat that discarded the top card, 0 not known
    JustHappened justHappened;
    QString status = QCoreApplication::translate("quornet::table::TableModel", WelcomeStatus);

    // Turn and game.
    int turnSeat = 0;
    bool pickUpOption = false; // third field of the last CMD_nextplayer was "t"
    QString turnText;
    int turnMarkerSeat = 0;    // seat row of image_Turn; 0 = its initial place
    bool turnMarkerVisible = true; // hidden from a game's end to the next turn
    bool greenArrowVisible = false;
    bool blueArrowVisible = false;
    int teamStrip = 0;         // 1 image_green, 2 image_blue, 0 neither
    QString fullText = QCoreApplication::translate("quornet::table::TableModel", "Play to 500");
    QString pickupText = QCoreApplication::translate("quornet::table::TableModel", "Pick Up: %1").arg(1);

    bool addHereVisible = false;
    bool drawVisible = false;
    bool pickupVisible = false;
    bool startVisible = false;
    bool startMenuEnabled = false;
    bool justWatch = false;    // JustWatch1 check mark, set by the host's CMD_justwatching
    // The host set the own seat to just watching without being asked (a turn that hung): the
    // window offers "I'm Back".
    bool takenOver = false;

    // Options the settings layer sets.
    bool manualSort = false;
    int turnSound = 0;         // 0 Classic ("turn"), 1 New ("turnnew")
    bool chatterSounds = false;

    // Hand.
    std::array<int, HandPositions + 1> positions; // 1..20: host slot shown there, -1 free
    QMap<int, HandCard> cards;                    // card images by host slot
    PickedCard picked;
    // Keyboard cursor: the host slot it is on; shown once a key moved or used it.
    int keySlot = -1;
    bool keyCursorShown = false;
    // The book the keys add to: a working book's slot, or a completed book's number; 0 = none.
    int keyBook = 0;
    bool keyBookCompleted = false;
    std::array<Place, PlaceCount + 1> places{};   // 1..3
    QList<int> hintSlots;                         // host slots of the cards the hint names

    // Quick phrase cool-down.
    bool phraseReady = true;
    int phraseCounter = 0;

    TableState()
    {
        positions.fill(-1);
        seats[2].hint = QStringLiteral("Klot");
        seats[3].hint = QStringLiteral("Klick");
        seats[4].hint = QStringLiteral("Kling");
    }

    const SeatView& seat(int s) const { return seats[std::size_t(s)]; }
    const TeamBoard& team(int t) const { return teams[std::size_t(t)]; }
    const Place& place(int i) const { return places[std::size_t(i)]; }
    int slotAt(int position) const { return positions[std::size_t(position)]; }
    const HandCard* card(int slot) const;
    // The cards of the hand row in position order (draw them in this order: later ones on top).
    QList<HandCard> handRow() const;
    int handCount() const;
    bool ownTurn() const { return own != 0 && turnSeat == own; }
    // The player has drawn (or the game runs without the pick-up option).
    bool drawn() const { return !drawVisible; }
    bool isSpectator() const { return own > SeatCount; }
};

} // namespace quornet::table
