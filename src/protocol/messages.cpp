#include "protocol/messages.h"

#include "protocol/framing.h"

namespace quornet::protocol {

MessageBuilder& MessageBuilder::field(int value)
{
    m_text.append('+').append(QByteArray::number(value));
    return *this;
}

MessageBuilder& MessageBuilder::field(const QByteArray& text)
{
    m_text.append('+').append(text);
    return *this;
}

QByteArray MessageBuilder::end(bool trailingPlus)
{
    if (trailingPlus) m_text.append('+');
    m_text.append(Terminator);
    return std::move(m_text);
}

namespace msg {

namespace {
constexpr bool Trailing = true;
QByteArray flag(bool on) { return on ? QByteArrayLiteral("t") : QByteArrayLiteral("f"); }
QByteArray bare(const char* word, bool trailing) { return MessageBuilder(word).end(trailing); }
} // namespace

QByteArray loginInfo(int participant, const QByteArray& version, const QByteArray& name)
{
    // The login string is the name followed by a terminator of its own, so the message ends
    // with two terminators; the second yields an empty message that does nothing.
    QByteArray text = MessageBuilder(cmd::LoginInfo).field(participant).field(version).field(name).end();
    text.append(Terminator);
    return text;
}

QByteArray chat(int p, const QByteArray& t) { return MessageBuilder(cmd::Chat).field(p).field(t).end(); }
QByteArray action(int p, const QByteArray& t) { return MessageBuilder(cmd::Action).field(p).field(t).end(); }

QByteArray playASound(int participant, int wave)
{
    return MessageBuilder(cmd::PlayASound).field(participant).field("wave" + QByteArray::number(wave)).end(Trailing);
}

QByteArray kickHim(int sender, int target)
{
    return MessageBuilder(cmd::KickHim).field(sender).field(target).end(Trailing);
}

QByteArray justWatch(int seat, int state) { return MessageBuilder(cmd::JustWatch).field(seat).field(state).end(); }

QByteArray startGame(const QByteArray& name, const QByteArray& lengthCode, bool twoPlayer,
                     bool pickUp, int pickUpCount)
{
    return MessageBuilder(cmd::StartGame)
        .field(name).field(lengthCode).field(flag(twoPlayer)).field(flag(pickUp)).field(pickUpCount)
        .end(Trailing);
}

QByteArray drawing(int seat, int mode) { return MessageBuilder(cmd::Drawing).field(seat).field(mode).end(); }

QByteArray createBook(int seat, int a, int b, int c)
{
    return MessageBuilder(cmd::CreateBook).field(seat).field(a).field(b).field(c).end();
}

QByteArray addToBook(int seat, int handSlot, int bookSlot)
{
    return MessageBuilder(cmd::AddToBook).field(seat).field(handSlot).field(bookSlot).end();
}

QByteArray addToComp(int seat, int handSlot, int compSlot)
{
    return MessageBuilder(cmd::AddToComp).field(seat).field(handSlot).field(compSlot).end();
}

QByteArray discard(int seat, int handSlot) { return MessageBuilder(cmd::Discard).field(seat).field(handSlot).end(); }

QByteArray rejoin(const QByteArray& key) { return MessageBuilder(cmd::Rejoin).field(key).end(); }
QByteArray pong() { return bare(cmd::Pong, Trailing); }
QByteArray password(const QByteArray& text) { return MessageBuilder(cmd::Password).field(text).end(); }

QByteArray sendLoginInfo(int p) { return MessageBuilder(cmd::SendLoginInfo).field(p).end(); }
QByteArray full() { return bare(cmd::Full, Trailing); }
QByteArray newPlayerInfo(int p, const QByteArray& n) { return MessageBuilder(cmd::NewPlayerInfo).field(p).field(n).end(); }
QByteArray existingPlayers(int p, const QByteArray& n) { return MessageBuilder(cmd::ExistingPlayers).field(p).field(n).end(); }
QByteArray haveWrongVersion(const QByteArray& n) { return MessageBuilder(cmd::HaveWrongVersion).field(n).end(); }
QByteArray wrongVersion() { return bare(cmd::WrongVersion, Trailing); }
QByteArray playerDisconnected(int p, const QByteArray& n) { return MessageBuilder(cmd::PlayerDisconnected).field(p).field(n).end(); }
QByteArray chatRelay(int p, const QByteArray& t) { return MessageBuilder(cmd::Chat).field(p).field(t).end(); }
QByteArray actionRelay(int p, const QByteArray& t) { return MessageBuilder(cmd::Action).field(p).field(t).end(); }

QByteArray playASoundRelay(int participant, const QByteArray& rest)
{
    // The rest arrives with its own trailing "+" and is passed on unchanged.
    return MessageBuilder(cmd::PlayASound).field(participant).field(rest).end();
}

QByteArray justWatching(int seat, int state) { return MessageBuilder(cmd::JustWatching).field(seat).field(state).end(); }

QByteArray loadStats(const QByteArray& lengthCode, int pickUpCount)
{
    return MessageBuilder(cmd::LoadStats).field(lengthCode).field(pickUpCount).end(Trailing);
}

QByteArray noBots(const QByteArray& lengthCode) { return MessageBuilder(cmd::NoBots).field(lengthCode).end(Trailing); }
QByteArray noBotsCatchUp() { return bare(cmd::NoBots, Trailing); }

QByteArray startGameAnnounce(const QByteArray& name, const QByteArray& lengthCode, int pickUpCount)
{
    return MessageBuilder(cmd::StartGame).field(name).field(lengthCode).field(pickUpCount).end(Trailing);
}

QByteArray startRound() { return bare(cmd::StartRound, Trailing); }

QByteArray newCard(int seat, int handSlot, int card)
{
    return MessageBuilder(cmd::NewCard).field(seat).field(handSlot).field(card).end();
}

QByteArray freeCard(int handSlot) { return MessageBuilder(cmd::FreeCard).field(handSlot).end(); }
QByteArray discardTop(int card) { return MessageBuilder(cmd::Discard).field(card).end(); }
QByteArray invalidDiscard() { return bare(cmd::InvalidDiscard, Trailing); }

QByteArray newBook(int seat, int team, int bookSlot, int naming, int kind)
{
    return MessageBuilder(cmd::NewBook).field(seat).field(team).field(bookSlot).field(naming).field(kind).end();
}

QByteArray noBook() { return bare(cmd::NoBook, Trailing); }
QByteArray noThree() { return bare(cmd::NoThree, Trailing); }
QByteArray noTwo() { return bare(cmd::NoTwo, Trailing); }
QByteArray tooMany() { return bare(cmd::TooMany, Trailing); }

QByteArray addToBookAnnounce(int seat, int team, int handSlot, int bookSlot, int count, int card, int kind)
{
    return MessageBuilder(cmd::AddToBook)
        .field(seat).field(team).field(handSlot).field(bookSlot).field(count).field(card).field(kind)
        .end();
}

QByteArray noBookMatch(int handSlot) { return MessageBuilder(cmd::NoBookMatch).field(handSlot).end(); }

QByteArray complete(int seat, int team, int bookSlot, int compSlot, int naming, int kind)
{
    return MessageBuilder(cmd::Complete)
        .field(seat).field(team).field(bookSlot).field(compSlot).field(naming).field(kind)
        .end();
}

QByteArray addToCompAnnounce(int seat, int kind, int naming)
{
    return MessageBuilder(cmd::AddToComp).field(seat).field(kind).field(naming).end();
}

QByteArray postScores(int score, int points, int seat, int partner)
{
    return MessageBuilder(cmd::PostScores).field(score).field(points).field(seat).field(partner).end();
}

QByteArray useFoot(int seat) { return MessageBuilder(cmd::UseFoot).field(seat).end(); }

QByteArray nextPlayer(int previousSeat, int cardsLeft, bool pickUp, int seat)
{
    return MessageBuilder(cmd::NextPlayer).field(previousSeat).field(cardsLeft).field(flag(pickUp)).field(seat).end();
}

QByteArray loadBooks(int team, const QList<BookEntry>& books)
{
    MessageBuilder b(cmd::LoadBooks);
    b.field(team);
    for (const BookEntry& e : books) b.field(e.slot).field(e.naming).field(e.kind).field(e.count);
    return b.end();
}

QByteArray loadComp(int team, const QList<BookEntry>& books)
{
    MessageBuilder b(cmd::LoadComp);
    b.field(team);
    for (const BookEntry& e : books) b.field(e.slot).field(e.naming).field(e.kind);
    return b.end();
}

QByteArray roundWinner(int team) { return MessageBuilder(cmd::RWinner).field(team).field(QByteArray()).end(Trailing); }
QByteArray winner(int team, const QByteArray& names) { return MessageBuilder(cmd::Winner).field(team).field(names).end(); }

QByteArray seatKey(int seat, const QByteArray& key) { return MessageBuilder(cmd::SeatKey).field(seat).field(key).end(); }
QByteArray seatLost(const QByteArray& why) { return MessageBuilder(cmd::SeatLost).field(why).end(); }
QByteArray ping() { return bare(cmd::Ping, Trailing); }

QByteArray seatHeld(int seat, int seconds, const QByteArray& name)
{
    return MessageBuilder(cmd::SeatHeld).field(seat).field(seconds).field(name).end();
}

QByteArray removed() { return bare(cmd::Removed, Trailing); }
QByteArray tableClosed() { return bare(cmd::TableClosed, Trailing); }
QByteArray passwordNeeded() { return bare(cmd::PasswordNeeded, Trailing); }
QByteArray wrongPassword() { return bare(cmd::WrongPassword, Trailing); }

QByteArray scoreSheetRound(int round, bool finished, int wentOut, const TeamPoints& green, const TeamPoints& blue)
{
    MessageBuilder b(cmd::ScoreSheet);
    b.field(round).field(finished ? 1 : 0).field(wentOut);
    for (const TeamPoints* t : {&green, &blue})
        b.field(t->cards).field(t->bonuses).field(t->goingOut).field(t->penalties).field(t->total);
    return b.end();
}

} // namespace msg
} // namespace quornet::protocol
