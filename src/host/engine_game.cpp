// Game start, shuffling, dealing, drawing, discards, feet, the passing of the turn, the ends of
// rounds and games, and the computer-player timer.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/hosttext.h"
#include "host/log.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <span>

namespace quornet::host {

using namespace protocol;
using cards::DeckSize;

// ---- Game start and rounds ------------------------------------------------------------------

void HostEngine::startGameRequest(const Queued& q, const QByteArray& args)
{
    if (q.participant != 1) return dropped(q, "only participant 1 may start a game");
    FieldReader r(args);
    const QByteArray starter = r.text();
    const QByteArray length = r.text();
    const QByteArray twoPlayer = r.text();
    const QByteArray pickUp = r.text();
    const int count = r.integer();
    if (!r.ok()) return dropped(q, "malformed pick-up count");
    startGame(starter, length, twoPlayer == "t", pickUp != "f", count);
}

void HostEngine::startGame(const QByteArray& starter, const QByteArray& length, bool twoPlayer,
                           bool pickUp, int count)
{
    m_t.phase = Phase::None;
    disarmTimer();
    changed();
    releaseAllHolds("ended: a new game starts");
    m_hungTurn.fill(0);
    m_backAtNextTurn.fill(false);
    m_roundWaiting = false;
    m_t.pickUpCount = count;
    m_t.lengthCode = length;
    m_t.toTarget = length != "r";
    m_t.target = length == "5" ? 5000 : length == "3" ? 3000 : 10000;
    m_t.pickUp = pickUp;
    m_t.running = true;
    m_bots->gameStarted();
    ++m_stats.gamesStarted;
    qCInfo(lcHost).noquote() << "game started by" << QString::fromUtf8(starter) << "length"
                             << QString::fromUtf8(length) << "two-player" << twoPlayer << "pick-up"
                             << pickUp << count;
    broadcast([&] { return msg::startGameAnnounce(starter, length, count); });

    m_t.pile.fill(0);
    m_t.discardCount = 0;
    m_t.deckExhausted = false;
    shuffleDeck();
    m_t.teams = {};
    m_rounds.assign(1, RoundScores{});
    for (int s = 1; s <= Seats; ++s) {
        Record& rec = m_t.seat(s);
        rec.team = (s == 1 || s == 3) ? 1 : 2;
        rec.score = 0;
        rec.onFoot = false;
        rec.justWatching = false;
        rec.hand.fill(0);
        rec.foot.fill(0);
    }
    deal();
    m_t.twoPlayer = twoPlayer;
    if (m_t.twoPlayer) {
        broadcast([&] { return msg::noBots(length); });
        for (int s = 3; s <= 4; ++s) {
            m_t.seat(s).justWatching = true;
            broadcast([&] { return msg::justWatching(s, 1); });
        }
    }
    ++m_stats.rounds;
    findPlayer();
}

void HostEngine::startNewRound()
{
    changed();
    m_t.deckExhausted = false;
    m_t.discardCount = 0;
    m_t.pile.fill(0);
    broadcast([] { return msg::startRound(); });
    RoundScores next;
    for (int team = 1; team <= 2; ++team) next.teams[std::size_t(team)].total = m_t.seat(team).score;
    m_rounds.push_back(next);
    shuffleDeck();
    m_t.teams = {};
    for (int s = 1; s <= Seats; ++s) {
        Record& rec = m_t.seat(s);
        rec.onFoot = false;
        rec.hand.fill(0);
        rec.foot.fill(0);
    }
    deal();
    ++m_stats.rounds;
    findPlayer();
}

namespace {
// The order in which the cards are scattered over the deck: every copy of code 1, then of code
// 2, and so on.
constexpr std::array<int, DeckSize> ScatterOrder = [] {
    std::array<int, DeckSize> order{};
    std::size_t i = 0;
    for (int code = 1; code <= cards::CodesPerPack; ++code)
        for (int copy = 0; copy < cards::Packs; ++copy) order[i++] = code;
    return order;
}();
} // namespace

// Each card on a random free place of deck[1..DeckSize].
void HostEngine::shuffleDeck()
{
    m_t.deck.fill(0);
    m_random.scatter(std::span(m_t.deck).subspan(1), ScatterOrder);
    m_t.deckPos = 0;
    m_everDealt = true;
}

void HostEngine::deal()
{
    m_bots->roundDealt();
    for (int intoHand = 1; intoHand >= 0; --intoHand)
        for (int slot = 0; slot < DealtCards; ++slot)
            for (int s = 1; s <= Seats; ++s) getCard(s, slot, intoHand == 1);
}

void HostEngine::getCard(int seat, int slot, bool intoHand)
{
    if (slot >= DrawSlots) return;
    if (++m_t.deckPos > DeckSize) {
        if (!reshuffle()) {
            m_t.deckPos = DeckSize; // stay in range; the exhausted deck ends the round
            return;
        }
    }
    if (m_t.deck[std::size_t(m_t.deckPos)] == 0 && !reshuffle()) return;
    const int card = cards::deliveredCode(m_t.deck[std::size_t(m_t.deckPos)]);
    m_t.deck[std::size_t(m_t.deckPos)] = 0;
    Record& rec = m_t.seat(seat);
    (intoHand ? rec.hand : rec.foot)[std::size_t(slot)] = card;
    if (intoHand) sendToSeat(seat, [&] { return msg::newCard(seat, slot, card); });
}

bool HostEngine::reshuffle()
{
    m_t.deck.fill(0);
    if (m_t.discardCount < 3) {
        m_t.deckExhausted = true;
        return false;
    }
    const int n = m_t.discardCount;
    for (int i = 0; i < DeckSize; ++i) {
        const int a = m_random.below(n) + 1;
        const int b = m_random.below(n) + 1;
        std::swap(m_t.pile[std::size_t(a)], m_t.pile[std::size_t(b)]);
    }
    m_t.deck = m_t.pile;
    m_t.deck[0] = 0;
    m_t.pile.fill(0);
    m_t.deckPos = 1;
    m_t.discardCount = 0;
    return true;
}

// ---- Drawing and picking up -----------------------------------------------------------------

void HostEngine::drawing(int seat, int mode)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    m_t.phase = Phase::Play;
    Record& rec = m_t.seat(seat);
    if (mode == 2 && m_t.pickUp) {
        rules::pickUp(rec.hand, m_t.pile, m_t.discardCount, m_t.pickUpCount, [&](int slot, int card) {
            m_bots->pickedUp(seat, card);
            sendToSeat(seat, [&] { return msg::newCard(seat, slot, card); });
        });
        broadcast([&] { return msg::discardTop(m_t.topOfPile()); });
    } else {
        if (m_t.pickUp && m_t.topOfPile() != 0) m_bots->passedOver(seat, m_t.topOfPile());
        for (int i = 0; i < 2; ++i) {
            const int slot = rules::lowestEmptyDrawSlot(rec.hand);
            if (slot >= 0) getCard(seat, slot, true);
        }
    }
    // An empty hand that got nothing (an empty pile picked up, or the deck ran out) has nothing
    // to play or discard: it takes the foot, or, already on the foot, the turn passes on as
    // when the last card goes to a book. Waiting for a discard would stall the game.
    if (handEmpty(rec.hand)) {
        checkForFoot(seat, false);
        if (!m_t.running || m_t.turnSeat != seat) return;
    }
    changed();
    if (m_t.computerPlayed(seat) && !waitingForReturn(seat)) m_bots->play(seat);
}

// ---- Discards, feet and the turn ------------------------------------------------------------

void HostEngine::discard(int seat, int slot)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    changed();
    Record& rec = m_t.seat(seat);
    if (const int card = rules::discard(rec.hand, slot, m_t.pile, m_t.discardCount)) {
        m_bots->discarded(seat, card);
        sendToSeat(seat, [&] { return msg::freeCard(slot); });
        broadcast([&] { return msg::discardTop(card); });
        checkForFoot(seat, true);
    } else if (!m_t.computerPlayed(seat)) {
        sendToSeat(seat, [] { return msg::invalidDiscard(); });
    } else {
        findPlayer(); // a computer player can never stall the game
    }
}

void HostEngine::checkForFoot(int seat, bool afterDiscard)
{
    Record& rec = m_t.seat(seat);
    const bool wasOnFoot = rec.onFoot;
    if (rules::takeUpFoot(rec.hand, rec.foot, rec.onFoot)) {
        for (int s = 0; s < HandSlots; ++s) {
            const int card = rec.hand[std::size_t(s)];
            if (card != 0) sendToSeat(seat, [&] { return msg::newCard(seat, s, card); });
        }
        broadcast([&] { return msg::useFoot(seat); });
    }
    // A seat already on its foot kept its hand as it was: empty now when it was empty before.
    if ((wasOnFoot && handEmpty(rec.hand)) || afterDiscard) findPlayer();
}

void HostEngine::findPlayer()
{
    if (m_t.turnSeat != 0 && checkForWin(m_t.turnSeat)) return;
    // Players back from a takeover play from this turn on.
    for (int s = 1; s <= Seats; ++s)
        if (m_backAtNextTurn[std::size_t(s)]) restoreSeat(s);
    const int previous = m_t.turnSeat;
    ++m_t.turnSeat;
    if (m_t.turnSeat > (m_t.twoPlayer ? 2 : Seats)) m_t.turnSeat = 1;
    m_t.phase = Phase::Draw;
    ++m_stats.turns;
    const int seat = m_t.turnSeat;
    ++m_turnSerial;
    m_turnSince = m_now;
    m_turnStepped = false;
    changed();
    // Spectators follow the turn too: their turn marker and card counts move with everyone's.
    // (The cards left in the previous player's hand are counted only for a message that goes out.)
    broadcast([&] {
        const int cardsLeft = previous != 0 ? cardsIn(m_t.seat(previous).hand) : 0;
        return msg::nextPlayer(previous, cardsLeft, m_t.pickUp, seat);
    });

    if (m_t.pickUp) {
        m_timerInterval = m_botSpeed;
        if (m_t.computerPlayed(seat)) armTimer(TimerTag::DrawDecision);
    } else {
        m_t.phase = Phase::Play;
        if (m_t.computerPlayed(seat))
            armTimer(TimerTag::AutoDraw);
        else
            drawing(seat, 1);
    }
}

// ---- Scoring, round end and game end --------------------------------------------------------

void HostEngine::setTeamScore(int seat, int score, ScoreKind kind)
{
    if (!m_rounds.empty()) {
        TeamRoundPoints& p = m_rounds.back().teams[std::size_t(m_t.seat(seat).team == 2 ? 2 : 1)];
        const int points = score - m_t.seat(seat).score;
        (kind == ScoreKind::Bonus      ? p.bonuses
         : kind == ScoreKind::GoingOut ? p.goingOut
         : kind == ScoreKind::Penalty  ? p.penalties
                                       : p.cards) += points;
        p.total = score;
    }
    m_t.seat(seat).score = score;
    m_t.seat(m_t.seat(seat).partner).score = score;
}

bool HostEngine::checkForWin(int s)
{
    if (m_t.deckExhausted) {
        postWinner(0);
        return true;
    }
    const Record& rec = m_t.seat(s);
    const Record& partner = m_t.seat(rec.partner);
    if (!rules::goesOut(rules::done(rec.hand, rec.onFoot), rules::done(partner.hand, partner.onFoot), m_t.twoPlayer))
        return false;
    setTeamScore(s, rec.score + cards::GoingOutBonus, ScoreKind::GoingOut);
    postWinner(s);
    return true;
}

void HostEngine::postWinner(int w)
{
    changed();
    m_t.phase = Phase::None;
    disarmTimer();
    if (!m_t.running) return;
    for (int i = 1; i <= Seats; ++i) {
        Record& rec = m_t.seat(i);
        const int penalty = rules::roundPenalty(i, rec.hand, rec.foot, m_t.twoPlayer);
        setTeamScore(i, rec.score + penalty, ScoreKind::Penalty);
        broadcast([&] { return msg::postScores(m_t.seat(rec.team).score, penalty, i, rec.partner); });
    }
    if (!m_rounds.empty()) {
        m_rounds.back().finished = true;
        m_rounds.back().wentOut = w != 0 ? m_t.seat(w).team : 0;
    }
    const int score1 = m_t.seat(1).score;
    const int score2 = m_t.seat(2).score;
    if (m_t.toTarget && score1 < m_t.target && score2 < m_t.target) {
        const int team = w != 0 ? m_t.seat(w).team : 0;
        broadcast([&] { return msg::roundWinner(team); });
        m_roundContinued = false;
        m_roundWaiting = false;
        armTimer(TimerTag::NextRound);
        return;
    }
    const int team = score1 > score2 ? 1 : score2 > score1 ? 2 : 0;
    // The winners' names, as the seats hold them now, made only when someone will read them: the
    // log or a connection (none comes before the broadcast below; some may go).
    QByteArray names;
    if (anyConnected() || lcHost().isInfoEnabled()) {
        names = team == 0 ? QByteArray("No One")
                          : fillIn(QT_TRANSLATE_NOOP("HostText", "%1 and %2"),
                                   {m_t.seat(team).name, m_t.seat(team + 2).name});
    }
    m_t.running = false;
    m_t.turnSeat = 0;
    releaseAllHolds("ended with the game");
    endGameBans();
    ++m_stats.gamesEnded;
    m_stats.lastWinner = team;
    qCInfo(lcHost).noquote() << "game ended:" << score1 << "to" << score2 << "winner"
                             << QString::fromUtf8(names);
    broadcast([&] { return msg::winner(team, names); });
}

// ---- Timer1 ---------------------------------------------------------------------------------

void HostEngine::continueAfterRound()
{
    m_roundContinued = true;
    if (m_roundWaiting) {
        m_roundWaiting = false;
        if (m_t.running) startNewRound();
    } else if (m_timerTag == TimerTag::NextRound) {
        // Seen before the pause is over: no need to sit it out.
        disarmTimer();
        startNewRound();
    }
    afterEvent();
}

void HostEngine::armTimer(TimerTag tag)
{
    m_timerTicks = 0;
    m_timerTag = tag;
    m_timerInterval = m_botSpeed;
    m_timerEnabled = true;
    if (m_steps.empty()) m_out.botTimerChanged(true, m_timerInterval);
}

void HostEngine::disarmTimer()
{
    m_timerTag = TimerTag::Idle;
    if (!m_timerEnabled) return;
    m_timerEnabled = false;
    if (m_steps.empty()) m_out.botTimerChanged(false, m_timerInterval);
}

void HostEngine::botTimerFired()
{
    if (!botTimerEnabled()) return; // a stale event after the timer was disarmed
    if (!m_steps.empty()) {
        releaseStep();
        afterEvent();
        return;
    }
    ++m_timerTicks;
    changed();
    // After a restore, a held seat's turn waits for its player for a while.
    if (m_t.turnSeat != 0 && waitingForReturn(m_t.turnSeat) &&
        (m_timerTag == TimerTag::DrawDecision || m_timerTag == TimerTag::AutoDraw)) {
        afterEvent();
        return;
    }
    if (m_timerTicks > 1 && m_timerTag == TimerTag::DrawDecision) {
        disarmTimer();
        if (m_t.turnSeat != 0 && m_t.computerPlayed(m_t.turnSeat)) m_bots->draw(m_t.turnSeat);
    }
    if (m_timerTicks > 9 && m_timerTag == TimerTag::NextRound) {
        disarmTimer();
        if (m_roundWaits && !m_roundContinued)
            m_roundWaiting = true;
        else
            startNewRound();
    }
    if (m_timerTicks > 1 && m_timerTag == TimerTag::AutoDraw) {
        disarmTimer();
        // Without the pick-up option nobody asks to draw: a human who took the seat over in the
        // meantime gets the two cards the host deals every human seat at the start of its turn.
        if (m_t.turnSeat != 0) drawing(m_t.turnSeat, 1);
    }
    afterEvent();
}

} // namespace quornet::host
