// The message catalogue: every command word and the field order of every message, built in this
// one place. Each builder returns the whole wire text, command word first and terminator last,
// ready to be handed to a socket in one call.
//
//   table window -> host                       host -> table windows
//   CMD_logininfo+n+version+name<FF><FF>       CMD_sendlogininfo+n
//   CMD_chat+n+text|colour                     CMD_full+
//   CMD_action+n+text|colour                   CMD_newplayerinfo+n+name / CMD_existingplayers+n+name
//   CMD_playasound+n+waveK+                    CMD_havewrongversion+name / CMD_wrongversion+
//   CMD_kickhim+sender+target+                 CMD_playerdisconnected+n+name
//   CMD_justwatch+seat+state                   CMD_chat / CMD_action / CMD_playasound (relays)
//   CMD_startgame+name+len+two+pickup+count+   CMD_justwatching+seat+state
//   CMD_drawing+seat+mode                      CMD_loadstats+len+count+ / CMD_nobots+[len+]
//   CMD_createbook+seat+a+b+c                  CMD_startgame+name+len+count+ / CMD_startround+
//   CMD_addtobook+seat+slot+book               CMD_newcard+seat+slot+card / CMD_freecard+slot
//   CMD_addtocomp+seat+slot+comp               CMD_discard+top / CMD_invaliddiscard+
//   CMD_discard+seat+slot                      CMD_newbook+seat+team+book+naming+kind
//                                              CMD_nobook+ CMD_nothree+ CMD_notwo+ CMD_toomany+
//                                              CMD_addtobook+seat+team+slot+book+count+card+kind
//                                              CMD_nobookmatch+slot
//                                              CMD_complete+seat+team+book+comp+naming+kind
//                                              CMD_addtocomp+seat+kind+naming
//                                              CMD_postscores+score+points+seat+partner
//                                              CMD_usefoot+seat / CMD_nextplayer+prev+left+pick+seat
//                                              CMD_loadbooks+team{+book+naming+kind+count}
//                                              CMD_loadcomp+team{+comp+naming+kind}
//                                              CMD_rwinner+team++ / CMD_winner+team+names
//
// Seats, links and private tables (windows that do not know a host message ignore it):
//
//   table window -> host                       host -> table windows
//   CMD_password+text                          CMD_passwordneeded+ (a private table, on accept)
//     (a private table: before anything else)  CMD_wrongpassword+ (then the host closes)
//   CMD_rejoin+key (before CMD_logininfo)      CMD_seatkey+seat+key (to that seat alone)
//   CMD_pong+ (answers CMD_ping)               CMD_seatlost+why (the key holds no seat:
//                                                "unknown" or "lapsed")
//                                              CMD_ping+ (after 10 s without a message)
//                                              CMD_seatheld+seat+seconds+name (0: not held)
//                                              CMD_removed+ (refused: removed in this game)
//                                              CMD_tableclosed+ (the host ends the table)
//                                              CMD_scoresheet+round+finished+wentout
//                                                {+cards+bonuses+out+penalties+total} x2
//                                                (a catch-up: every round of the game)
#pragma once

#include <QByteArray>
#include <QList>

namespace quornet::protocol {

namespace cmd {
inline constexpr char LoginInfo[] = "CMD_logininfo";
inline constexpr char KickHim[] = "CMD_kickhim";
inline constexpr char Chat[] = "CMD_chat";
inline constexpr char Action[] = "CMD_action";
inline constexpr char PlayASound[] = "CMD_playasound";
inline constexpr char StartGame[] = "CMD_startgame";
inline constexpr char JustWatch[] = "CMD_justwatch";
inline constexpr char CreateBook[] = "CMD_createbook";
inline constexpr char AddToBook[] = "CMD_addtobook";
inline constexpr char Discard[] = "CMD_discard";
inline constexpr char AddToComp[] = "CMD_addtocomp";
inline constexpr char Drawing[] = "CMD_drawing";
inline constexpr char Rejoin[] = "CMD_rejoin";
inline constexpr char Pong[] = "CMD_pong";
inline constexpr char Password[] = "CMD_password";

inline constexpr char SendLoginInfo[] = "CMD_sendlogininfo";
inline constexpr char Full[] = "CMD_full";
inline constexpr char NewPlayerInfo[] = "CMD_newplayerinfo";
inline constexpr char ExistingPlayers[] = "CMD_existingplayers";
inline constexpr char HaveWrongVersion[] = "CMD_havewrongversion";
inline constexpr char WrongVersion[] = "CMD_wrongversion";
inline constexpr char PlayerDisconnected[] = "CMD_playerdisconnected";
inline constexpr char JustWatching[] = "CMD_justwatching";
inline constexpr char LoadStats[] = "CMD_loadstats";
inline constexpr char NoBots[] = "CMD_nobots";
inline constexpr char StartRound[] = "CMD_startround";
inline constexpr char NewCard[] = "CMD_newcard";
inline constexpr char FreeCard[] = "CMD_freecard";
inline constexpr char InvalidDiscard[] = "CMD_invaliddiscard";
inline constexpr char NewBook[] = "CMD_newbook";
inline constexpr char NoBook[] = "CMD_nobook";
inline constexpr char NoThree[] = "CMD_nothree";
inline constexpr char NoTwo[] = "CMD_notwo";
inline constexpr char TooMany[] = "CMD_toomany";
inline constexpr char NoBookMatch[] = "CMD_nobookmatch";
inline constexpr char Complete[] = "CMD_complete";
inline constexpr char PostScores[] = "CMD_postscores";
inline constexpr char UseFoot[] = "CMD_usefoot";
inline constexpr char NextPlayer[] = "CMD_nextplayer";
inline constexpr char LoadBooks[] = "CMD_loadbooks";
inline constexpr char LoadComp[] = "CMD_loadcomp";
inline constexpr char RWinner[] = "CMD_rwinner";
inline constexpr char Winner[] = "CMD_winner";
inline constexpr char SeatKey[] = "CMD_seatkey";
inline constexpr char SeatLost[] = "CMD_seatlost";
inline constexpr char Ping[] = "CMD_ping";
inline constexpr char SeatHeld[] = "CMD_seatheld";
inline constexpr char Removed[] = "CMD_removed";
inline constexpr char TableClosed[] = "CMD_tableclosed";
inline constexpr char PasswordNeeded[] = "CMD_passwordneeded";
inline constexpr char WrongPassword[] = "CMD_wrongpassword";
inline constexpr char ScoreSheet[] = "CMD_scoresheet";
} // namespace cmd

// The version this program reports at login and the host compares against.
inline constexpr char VersionText[] = "1.0.11";

// Builds one message: command word, "+field" per field, an optional trailing "+", terminator.
class MessageBuilder {
public:
    explicit MessageBuilder(const char* word) : m_text(word) {}
    MessageBuilder& field(int value);
    MessageBuilder& field(const QByteArray& text);
    QByteArray end(bool trailingPlus = false);

private:
    QByteArray m_text;
};

// A working or completed book as the catch-up messages list it.
struct BookEntry {
    int slot = 0;
    int naming = 0;
    int kind = 0;
    int count = 0; // working books only
};

namespace msg {
// Table window -> host.
QByteArray loginInfo(int participant, const QByteArray& version, const QByteArray& name);
QByteArray chat(int participant, const QByteArray& textAndColour);
QByteArray action(int participant, const QByteArray& textAndColour);
QByteArray playASound(int participant, int wave);
QByteArray kickHim(int sender, int target);
QByteArray justWatch(int seat, int state);
QByteArray startGame(const QByteArray& name, const QByteArray& lengthCode, bool twoPlayer,
                     bool pickUp, int pickUpCount);
QByteArray drawing(int seat, int mode);
QByteArray createBook(int seat, int slotA, int slotB, int slotC);
QByteArray addToBook(int seat, int handSlot, int bookSlot);
QByteArray addToComp(int seat, int handSlot, int compSlot);
QByteArray discard(int seat, int handSlot);
QByteArray rejoin(const QByteArray& key);
QByteArray pong();
QByteArray password(const QByteArray& text);

// Host -> table windows.
QByteArray sendLoginInfo(int participant);
QByteArray full();
QByteArray newPlayerInfo(int participant, const QByteArray& name);
QByteArray existingPlayers(int participant, const QByteArray& name);
QByteArray haveWrongVersion(const QByteArray& name);
QByteArray wrongVersion();
QByteArray playerDisconnected(int participant, const QByteArray& name);
QByteArray chatRelay(int participant, const QByteArray& text);
QByteArray actionRelay(int participant, const QByteArray& text);
QByteArray playASoundRelay(int participant, const QByteArray& rest);
QByteArray justWatching(int seat, int state);
QByteArray loadStats(const QByteArray& lengthCode, int pickUpCount);
QByteArray noBots(const QByteArray& lengthCode); // catch-up: no field
QByteArray noBotsCatchUp();
QByteArray startGameAnnounce(const QByteArray& name, const QByteArray& lengthCode, int pickUpCount);
QByteArray startRound();
QByteArray newCard(int seat, int handSlot, int card);
QByteArray freeCard(int handSlot);
QByteArray discardTop(int card);
QByteArray invalidDiscard();
QByteArray newBook(int seat, int team, int bookSlot, int naming, int kind);
QByteArray noBook();
QByteArray noThree();
QByteArray noTwo();
QByteArray tooMany();
QByteArray addToBookAnnounce(int seat, int team, int handSlot, int bookSlot, int count, int card,
                             int kind);
QByteArray noBookMatch(int handSlot);
QByteArray complete(int seat, int team, int bookSlot, int compSlot, int naming, int kind);
QByteArray addToCompAnnounce(int seat, int kind, int naming);
QByteArray postScores(int score, int points, int seat, int partner);
QByteArray useFoot(int seat);
QByteArray nextPlayer(int previousSeat, int cardsLeft, bool pickUp, int seat);
QByteArray loadBooks(int team, const QList<BookEntry>& books);
QByteArray loadComp(int team, const QList<BookEntry>& books);
QByteArray roundWinner(int team);
QByteArray winner(int team, const QByteArray& names);
QByteArray seatKey(int seat, const QByteArray& key);
QByteArray seatLost(const QByteArray& why);
QByteArray ping();
QByteArray seatHeld(int seat, int seconds, const QByteArray& name);
QByteArray removed();
QByteArray tableClosed();
QByteArray passwordNeeded();
QByteArray wrongPassword();
// One round of the score sheet: for each team (green, then blue) its card points, bonuses,
// going-out bonus, penalties and running total.
struct TeamPoints {
    int cards = 0, bonuses = 0, goingOut = 0, penalties = 0, total = 0;
};
QByteArray scoreSheetRound(int round, bool finished, int wentOut, const TeamPoints& green, const TeamPoints& blue);
} // namespace msg

} // namespace quornet::protocol
