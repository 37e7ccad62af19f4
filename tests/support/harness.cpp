#include "support/harness.h"

#include "protocol/framing.h"

#include <QtGlobal>

namespace quornet::host::testing
{

using protocol::Terminator;

// ---- ScriptedRandom -------------------------------------------------------------------------

bool ScriptedRandom::restoreState(const std::string& state)
{
    if (!m_fallback.restoreState(state)) return false;
    m_script.clear();
    return true;
}

void ScriptedRandom::push(std::initializer_list<int> values)
{
    m_script.insert(m_script.end(), values.begin(), values.end());
}

void ScriptedRandom::pushRepeated(int value, int count)
{
    for (int i = 0; i < count; ++i)
        m_script.push_back(value);
}

int ScriptedRandom::below(int n)
{
    requests.append(n);
    if (m_script.empty()) return m_fallback.below(n);
    const int v = m_script.front();
    m_script.pop_front();
    if (v < 0 || v >= n) {
        if (error.isEmpty())
            error = QStringLiteral("scripted value %1 asked for a range of %2").arg(v).arg(n);
        return 0;
    }
    return v;
}

int ScriptedRandom::drawsOf(int n) const
{
    return n == 0 ? int(requests.size()) : int(requests.count(n));
}

// ---- Texts ----------------------------------------------------------------------------------

QString describe(int participant, const QByteArray& message)
{
    QByteArray text = message;
    if (text.endsWith(Terminator)) text.chop(1);
    return QString::number(participant) + ':' + QString::fromLatin1(text);
}

QStringList toEach(std::initializer_list<int> participants, const QString& text)
{
    QStringList out;
    for (int p : participants)
        out << QString::number(p) + ':' + text;
    return out;
}

// ---- Harness --------------------------------------------------------------------------------

namespace {
bool isLinkMessage(const QByteArray& m)
{
    return m.startsWith(protocol::cmd::SeatKey) || m.startsWith(protocol::cmd::Ping);
}
} // namespace

Harness::Harness(EngineOptions options, std::uint32_t seed) : random(seed)
{
    options.checkInvariants = true; // every handled message and timer event is checked
    engine = std::make_unique<HostEngine>(out, random, options);
}

int Harness::connect(bool hostUser, const QByteArray& address)
{
    const HostEngine::AcceptResult r = engine->accept(hostUser, address);
    if (r.refused) return 0;
    engine->welcome(r.participant);
    return r.participant;
}

int Harness::join(const QByteArray& name, const QByteArray& version, bool hostUser)
{
    const int n = connect(hostUser);
    if (n != 0) send(n, protocol::msg::loginInfo(n, version, name));
    return n;
}

bool Harness::receive(int participant, const QByteArray& bytes)
{
    return engine->receive(participant, bytes);
}

void Harness::send(int participant, const QByteArray& bytes)
{
    engine->receive(participant, bytes);
    dispatchAll();
}

int Harness::dispatchAll()
{
    int n = 0;
    while (engine->dispatchOne())
        ++n;
    return n;
}

void Harness::fire(int events)
{
    for (int i = 0; i < events; ++i) {
        engine->botTimerFired();
        releaseSteps();
    }
}

void Harness::releaseSteps()
{
    while (engine->pendingSteps() > 0) engine->botTimerFired();
}

int Harness::fireUntilIdle(int limit)
{
    int n = 0;
    while (engine->botTimerEnabled() && n < limit) {
        engine->botTimerFired();
        ++n;
    }
    return n;
}

void Harness::startGame(const QByteArray& length, bool twoPlayer, bool pickUp, int pickUpCount)
{
    send(1, protocol::msg::startGame(table().seat(1).name, length, twoPlayer, pickUp, pickUpCount));
}

void Harness::advance(qint64 ms)
{
    const qint64 target = clock.now() + ms;
    std::size_t seen = out.sent.size();
    for (;;) {
        const qint64 next = engine->nextDeadline();
        const qint64 step = next > clock.now() && next < target ? next : target;
        clock.advance(step - clock.now());
        engine->advanceTo(clock.now());
        // A turn the computer took over on the way plays its steps while the time runs.
        releaseSteps();
        for (std::size_t i = seen; i < out.sent.size(); ++i) {
            const auto& s = out.sent[i];
            if (s.message.startsWith(protocol::cmd::Ping) && !silent.contains(s.participant))
                engine->receive(s.participant, protocol::msg::pong());
        }
        seen = out.sent.size();
        if (step >= target) break;
    }
}

QStringList Harness::take()
{
    QStringList all = peek();
    out.sent.clear();
    return all;
}

QStringList Harness::takeFor(int participant)
{
    QStringList mine;
    for (const auto& s : out.sent)
        if (s.participant == participant && (linkMessages || !isLinkMessage(s.message)))
            mine << describe(0, s.message).mid(2);
    out.sent.clear();
    return mine;
}

QStringList Harness::peek() const
{
    QStringList all;
    for (const auto& s : out.sent)
        if (linkMessages || !isLinkMessage(s.message)) all << describe(s.participant, s.message);
    return all;
}

// ---- Rig ------------------------------------------------------------------------------------

void Rig::check(const char* step)
{
    const QString broken = m_h.engine->checkInvariants();
    if (!broken.isEmpty()) qFatal("rig step %s broke the table: %s", step, qPrintable(broken));
}

void Rig::removeAt(int position)
{
    Table& tb = t();
    for (int q = position; q > tb.deckPos + 1; --q)
        tb.deck[std::size_t(q)] = tb.deck[std::size_t(q - 1)];
    tb.deck[std::size_t(tb.deckPos + 1)] = 0;
    ++tb.deckPos;
}

namespace
{
bool matches(int deckCard, int code)
{
    return deckCard == code || (code == cards::Joker && deckCard == cards::BlackJoker);
}
} // namespace

int Rig::takeFromDeck(int code)
{
    Table& tb = t();
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int p = tb.deckPos + 1; p <= cards::DeckSize; ++p) {
            if (matches(tb.deck[std::size_t(p)], code)) {
                const int c = tb.deck[std::size_t(p)];
                removeAt(p);
                return cards::deliveredCode(c);
            }
        }
        if (attempt == 0 && !borrow(code)) break;
    }
    qFatal("rig: no card %d left in the deck", code);
    return 0;
}

bool Rig::borrow(int code)
{
    Table& tb = t();
    for (int pass = 0; pass < 2; ++pass) {
        for (int s = 1; s <= Seats; ++s) {
            const bool rigged =
                pass == 0 ? m_h.riggedFoot[std::size_t(s)] : m_h.riggedHand[std::size_t(s)];
            if (rigged) continue;
            Hand& place = pass == 0 ? tb.seat(s).foot : tb.seat(s).hand;
            for (int& c : place) {
                if (c != code) continue;
                // Swap with the lowest deck card of another code (cards stacked on top stay).
                for (int p = cards::DeckSize; p > tb.deckPos; --p) {
                    const int d = tb.deck[std::size_t(p)];
                    if (matches(d, code)) continue;
                    tb.deck[std::size_t(p)] = c;
                    c = cards::deliveredCode(d);
                    return true;
                }
                return false;
            }
        }
    }
    return false;
}

int Rig::takeBottom()
{
    Table& tb = t();
    if (tb.deckPos >= cards::DeckSize) qFatal("rig: the deck is empty");
    const int c = tb.deck[cards::DeckSize];
    removeAt(cards::DeckSize);
    return cards::deliveredCode(c);
}

void Rig::returnToDeck(int code)
{
    Table& tb = t();
    if (tb.deckPos < 1) qFatal("rig: no room on top of the deck");
    tb.deck[std::size_t(tb.deckPos)] = code;
    --tb.deckPos;
}

int Rig::deckLeft()
{
    return cards::DeckSize - t().deckPos;
}

Rig& Rig::hand(int seat, const QList<int>& cards)
{
    m_h.riggedHand[std::size_t(seat)] = true;
    Hand& h = t().seat(seat).hand;
    for (int& c : h) {
        if (c != 0) returnToDeck(c);
        c = 0;
    }
    if (cards.size() > HandSlots) qFatal("rig: more than 21 cards for a hand");
    for (int i = 0; i < cards.size(); ++i)
        if (cards[i] != 0) h[std::size_t(i)] = takeFromDeck(cards[i]);
    check("hand");
    return *this;
}

Rig& Rig::foot(int seat, const QList<int>& cards)
{
    m_h.riggedFoot[std::size_t(seat)] = true;
    Hand& f = t().seat(seat).foot;
    for (int& c : f) {
        if (c != 0) returnToDeck(c);
        c = 0;
    }
    for (int i = 0; i < cards.size(); ++i)
        if (cards[i] != 0) f[std::size_t(i)] = takeFromDeck(cards[i]);
    check("foot");
    return *this;
}

Rig& Rig::onFoot(int seat, bool on)
{
    t().seat(seat).onFoot = on;
    return *this;
}

Rig& Rig::pile(const QList<int>& cards)
{
    Table& tb = t();
    while (tb.discardCount > 0) {
        returnToDeck(tb.pile[std::size_t(tb.discardCount)]);
        tb.pile[std::size_t(tb.discardCount--)] = 0;
    }
    for (int c : cards)
        tb.pile[std::size_t(++tb.discardCount)] = takeFromDeck(c);
    check("pile");
    return *this;
}

Rig& Rig::stack(const QList<int>& cards)
{
    Table& tb = t();
    for (int i = 0; i < cards.size(); ++i) {
        const int target = tb.deckPos + 1 + i;
        int found = 0;
        for (int attempt = 0; attempt < 2 && found == 0; ++attempt) {
            for (int p = target; p <= cards::DeckSize && found == 0; ++p)
                if (matches(tb.deck[std::size_t(p)], cards[i])) found = p;
            if (found == 0 && (attempt == 1 || !borrow(cards[i]))) break;
        }
        if (found == 0) qFatal("rig: card %d is not in the deck to stack", cards[i]);
        std::swap(tb.deck[std::size_t(target)], tb.deck[std::size_t(found)]);
    }
    check("stack");
    return *this;
}

Rig& Rig::burnToPile(int n)
{
    Table& tb = t();
    for (int i = 0; i < n; ++i) {
        const int c = cards::deliveredCode(tb.deck[std::size_t(tb.deckPos + 1)]);
        removeAt(tb.deckPos + 1);
        tb.pile[std::size_t(++tb.discardCount)] = c;
    }
    check("burnToPile");
    return *this;
}

Rig& Rig::workingBook(int team, int slot, int naming, int kind, int count)
{
    Book& b = t().books(team).working[std::size_t(slot)];
    if (b.count != 0) qFatal("rig: working book %d of team %d is in use", slot, team);
    for (int i = 0; i < count; ++i)
        takeBottom();
    b = {count, naming, kind};
    check("workingBook");
    return *this;
}

Rig& Rig::completedBook(int team, int naming, int kind, int count)
{
    TeamBooks& tb = t().books(team);
    for (int i = 0; i < count; ++i)
        takeBottom();
    tb.completed[std::size_t(++tb.completedCount)] = {count, naming, kind};
    check("completedBook");
    return *this;
}

Rig& Rig::drainDeck(int team, int leave)
{
    // Books of seven, the last one taking what is left over.
    while (deckLeft() - leave >= 14)
        completedBook(team, 13, int(cards::BookKind::Normal));
    if (deckLeft() - leave > 0)
        completedBook(team, 13, int(cards::BookKind::Normal), deckLeft() - leave);
    return *this;
}

Rig& Rig::score(int team, int score)
{
    t().seat(team).score = score;
    t().seat(team + 2).score = score;
    return *this;
}

} // namespace quornet::host::testing
