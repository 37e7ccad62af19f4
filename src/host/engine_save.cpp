// The game as one value: written to and read from a versioned, human-readable JSON document.
//
// What is kept is everything a game needs to go on exactly as if it had never stopped: the
// table, every human seat with its player's name and key (and the time left of a hold), the turn
// and its clock, the computer-player timer's pending step, the round gate, the computer
// players' memory and generators, the game's own generator and each round's scores. Connections
// are not kept: after a restore every human seat waits for its player's key.
//
// Reading trusts nothing: a document that is not ours, is damaged, or comes from a newer version
// is refused with a reason, and a table that breaks the engine's invariants (216 cards, the
// seats, the turn) is refused after it was read, before the engine takes any of it.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/log.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

namespace quornet::host {

namespace {

constexpr char Format[] = "quornet-game";

QJsonArray cardsArray(const int* first, int count)
{
    QJsonArray a;
    for (int i = 0; i < count; ++i) a.append(first[i]);
    return a;
}

// Reads `count` integers in [low, high]; false when the array is anything else.
bool readInts(const QJsonValue& v, int* out, int count, int low, int high)
{
    if (!v.isArray()) return false;
    const QJsonArray a = v.toArray();
    if (a.size() != count) return false;
    for (int i = 0; i < count; ++i) {
        if (!a[i].isDouble()) return false;
        const double d = a[i].toDouble();
        if (d != double(int(d)) || d < low || d > high) return false;
        out[i] = int(d);
    }
    return true;
}

bool readInt(const QJsonObject& o, const char* key, int low, int high, int& out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    if (d != double(qint64(d)) || d < low || d > high) return false;
    out = int(d);
    return true;
}

bool readBool(const QJsonObject& o, const char* key, bool& out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isBool()) return false;
    out = v.toBool();
    return true;
}

const char* phaseName(Phase p) { return p == Phase::Draw ? "draw" : p == Phase::Play ? "play" : "none"; }

QJsonObject bookObject(const Book& b) { return {{"count", b.count}, {"naming", b.naming}, {"kind", b.kind}}; }

bool readBook(const QJsonValue& v, Book& b)
{
    const QJsonObject o = v.toObject();
    return readInt(o, "count", 0, cards::DeckSize, b.count) && readInt(o, "naming", 0, cards::CodesPerPack, b.naming) &&
           readInt(o, "kind", -1, 2, b.kind);
}

QJsonObject teamPoints(const TeamRoundPoints& p)
{
    return {{"cards", p.cards}, {"bonuses", p.bonuses}, {"goingOut", p.goingOut}, {"penalties", p.penalties}, {"total", p.total}};
}

constexpr int ScoreLimit = 100'000'000;

bool readTeamPoints(const QJsonValue& v, TeamRoundPoints& p)
{
    const QJsonObject o = v.toObject();
    return readInt(o, "cards", -ScoreLimit, ScoreLimit, p.cards) && readInt(o, "bonuses", -ScoreLimit, ScoreLimit, p.bonuses) &&
           readInt(o, "goingOut", -ScoreLimit, ScoreLimit, p.goingOut) &&
           readInt(o, "penalties", -ScoreLimit, ScoreLimit, p.penalties) && readInt(o, "total", -ScoreLimit, ScoreLimit, p.total);
}

bool wellFormedKey(const QString& key)
{
    if (key.size() != SeatKeyLength) return false;
    for (QChar c : key)
        if (!(c.isDigit() || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    return true;
}

} // namespace

// ---- Writing ----------------------------------------------------------------------------------

QByteArray HostEngine::saveGame() const
{
    const Table& t = m_t;
    QJsonArray seats;
    for (int s = 1; s <= Seats; ++s) {
        const Record& r = t.seat(s);
        const Hold& h = m_holds[std::size_t(s)];
        // A human's seat: played (or watched) by its player, or kept for it.
        const QByteArray player = r.connected ? r.name : h.name;
        QJsonObject o{{"seat", s},
                      {"score", r.score},
                      {"hand", cardsArray(r.hand.data(), HandSlots)},
                      {"foot", cardsArray(r.foot.data(), HandSlots)},
                      {"team", r.team},
                      {"onFoot", r.onFoot},
                      {"justWatching", r.justWatching}};
        if (!player.isEmpty() && !m_keys[std::size_t(s)].isEmpty()) {
            o.insert("player", QString::fromLatin1(player));
            o.insert("key", QString::fromLatin1(m_keys[std::size_t(s)]));
            if (!r.connected) o.insert("heldMs", qint64(h.until - m_now));
        }
        seats.append(o);
    }
    QJsonArray teams;
    for (int team = 1; team <= 2; ++team) {
        const TeamBooks& tb = t.books(team);
        QJsonArray working, completed;
        for (int k = 1; k <= BookSlots; ++k) working.append(bookObject(tb.working[std::size_t(k)]));
        for (int k = 1; k <= tb.completedCount; ++k) completed.append(bookObject(tb.completed[std::size_t(k)]));
        teams.append(QJsonObject{{"working", working}, {"completed", completed}});
    }
    QJsonArray rounds;
    for (const RoundScores& r : m_rounds)
        rounds.append(QJsonObject{{"green", teamPoints(r.teams[1])},
                                  {"blue", teamPoints(r.teams[2])},
                                  {"wentOut", r.wentOut},
                                  {"finished", r.finished}});
    QJsonArray back;
    for (int s = 1; s <= Seats; ++s) back.append(m_backAtNextTurn[std::size_t(s)]);
    const QJsonObject table{{"deck", cardsArray(t.deck.data() + 1, cards::DeckSize)},
                            {"deckPos", t.deckPos},
                            {"pile", cardsArray(t.pile.data() + 1, t.discardCount)},
                            {"deckExhausted", t.deckExhausted},
                            {"everDealt", m_everDealt},
                            {"pickUp", t.pickUp},
                            {"pickUpCount", t.pickUpCount},
                            {"twoPlayer", t.twoPlayer},
                            {"toTarget", t.toTarget},
                            {"target", t.target},
                            {"length", QString::fromLatin1(t.lengthCode)},
                            {"running", t.running},
                            {"turnSeat", t.turnSeat},
                            {"phase", QLatin1String(phaseName(t.phase))},
                            {"seats", seats},
                            {"teams", teams}};
    const QJsonObject doc{
        {"format", QLatin1String(Format)},
        {"version", SavedGameVersion},
        {"table", table},
        {"turn", QJsonObject{{"serial", qint64(m_turnSerial)}, {"sinceMoveMs", qint64(m_now - m_turnSince)},
                             {"backAtNextTurn", back}}},
        {"timer", QJsonObject{{"enabled", m_timerEnabled}, {"tag", int(m_timerTag)}, {"ticks", m_timerTicks},
                              {"interval", m_timerInterval}}},
        {"round", QJsonObject{{"continued", m_roundContinued}, {"waiting", m_roundWaiting}}},
        {"random", QString::fromStdString(m_random.saveState())},
        {"computerPlayers", m_bots->saveState()},
        {"rounds", rounds}};
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

// ---- Reading ----------------------------------------------------------------------------------

bool HostEngine::readTable(const QJsonObject& o, Table& t, QString* error) const
{
    const auto fail = [error](const QString& why) {
        *error = why;
        return false;
    };
    if (!readInts(o.value("deck"), t.deck.data() + 1, cards::DeckSize, 0, cards::CodesPerPack))
        return fail(QCoreApplication::translate("SavedGame", "the deck"));
    const QJsonArray pile = o.value("pile").toArray();
    if (pile.size() > cards::DeckSize) return fail(QCoreApplication::translate("SavedGame", "the discard pile"));
    t.pile.fill(0);
    if (!readInts(o.value("pile"), t.pile.data() + 1, int(pile.size()), 2, cards::CodesPerPack))
        return fail(QCoreApplication::translate("SavedGame", "the discard pile"));
    t.discardCount = int(pile.size());
    const QString length = o.value("length").toString();
    if (length != "r" && length != "3" && length != "5" && length != "f") return fail(QCoreApplication::translate("SavedGame", "the game length"));
    t.lengthCode = length.toLatin1();
    int phase = 0;
    const QString phaseText = o.value("phase").toString();
    phase = phaseText == "draw" ? 1 : phaseText == "play" ? 2 : phaseText == "none" ? 0 : -1;
    if (phase < 0) return fail(QCoreApplication::translate("SavedGame", "the turn phase"));
    t.phase = Phase(phase);
    if (!readInt(o, "deckPos", 0, cards::DeckSize, t.deckPos) || !readBool(o, "deckExhausted", t.deckExhausted) ||
        !readBool(o, "pickUp", t.pickUp) || !readInt(o, "pickUpCount", 0, 999, t.pickUpCount) ||
        !readBool(o, "twoPlayer", t.twoPlayer) || !readBool(o, "toTarget", t.toTarget) ||
        !readInt(o, "target", 0, ScoreLimit, t.target) || !readBool(o, "running", t.running) ||
        !readInt(o, "turnSeat", 0, t.twoPlayer ? 2 : Seats, t.turnSeat))
        return fail(QCoreApplication::translate("SavedGame", "the game's options or turn"));

    const QJsonArray seats = o.value("seats").toArray();
    if (seats.size() != Seats) return fail(QCoreApplication::translate("SavedGame", "not four seats"));
    for (int s = 1; s <= Seats; ++s) {
        const QJsonObject so = seats[s - 1].toObject();
        Record& r = t.seat(s);
        int seat = 0;
        if (!readInt(so, "seat", s, s, seat) || !readInt(so, "score", -ScoreLimit, ScoreLimit, r.score) ||
            !readInts(so.value("hand"), r.hand.data(), HandSlots, 0, cards::CodesPerPack) ||
            !readInts(so.value("foot"), r.foot.data(), HandSlots, 0, cards::CodesPerPack) ||
            !readInt(so, "team", 0, 2, r.team) || !readBool(so, "onFoot", r.onFoot) ||
            !readBool(so, "justWatching", r.justWatching))
            return fail(QCoreApplication::translate("SavedGame", "seat %1").arg(s));
        if (so.contains("player") &&
            (so.value("player").toString().isEmpty() || so.value("player").toString().size() > 64 ||
             !wellFormedKey(so.value("key").toString())))
            return fail(QCoreApplication::translate("SavedGame", "the player of seat %1").arg(s));
    }
    const QJsonArray teams = o.value("teams").toArray();
    if (teams.size() != 2) return fail(QCoreApplication::translate("SavedGame", "not two teams"));
    for (int team = 1; team <= 2; ++team) {
        const QJsonObject to = teams[team - 1].toObject();
        TeamBooks& tb = t.books(team);
        tb = TeamBooks{};
        const QJsonArray working = to.value("working").toArray();
        const QJsonArray completed = to.value("completed").toArray();
        if (working.size() != BookSlots || completed.size() > MaxCompletedBooks)
            return fail(QCoreApplication::translate("SavedGame", "the books of team %1").arg(team));
        for (int k = 1; k <= BookSlots; ++k)
            if (!readBook(working[k - 1], tb.working[std::size_t(k)])) return fail(QCoreApplication::translate("SavedGame", "a working book"));
        tb.completedCount = int(completed.size());
        for (int k = 1; k <= tb.completedCount; ++k)
            if (!readBook(completed[k - 1], tb.completed[std::size_t(k)]) || tb.completed[std::size_t(k)].naming == 0)
                return fail(QCoreApplication::translate("SavedGame", "a completed book"));
    }
    return true;
}

bool HostEngine::restoreGame(const QByteArray& document, QString* error)
{
    QString why;
    const auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        qCWarning(lcHost).noquote() << "saved game refused:" << reason;
        return false;
    };
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(document, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return fail(QCoreApplication::translate("SavedGame", "the file is damaged (%1)").arg(parseError.errorString()));
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != QLatin1String(Format)) return fail(QCoreApplication::translate("SavedGame", "the file is not a saved Quornet game"));
    const int version = root.value("version").toInt(0);
    if (version > SavedGameVersion) return fail(QCoreApplication::translate("SavedGame", "the game was saved by a newer version of Quornet"));
    if (version < 1) return fail(QCoreApplication::translate("SavedGame", "the file is damaged (no version)"));

    // Everything is read into copies first; the engine takes them only when all of it holds.
    Table t = m_t;
    if (!readTable(root.value("table").toObject(), t, &why)) return fail(QCoreApplication::translate("SavedGame", "the file is damaged (%1)").arg(why));
    const QJsonObject tableObject = root.value("table").toObject();
    bool everDealt = false;
    if (!readBool(tableObject, "everDealt", everDealt)) return fail(QCoreApplication::translate("SavedGame", "the file is damaged (the deal)"));

    const QJsonObject turn = root.value("turn").toObject();
    const QJsonObject timer = root.value("timer").toObject();
    const QJsonObject round = root.value("round").toObject();
    int tag = 0, ticks = 0, interval = 0;
    bool timerEnabled = false, continued = false, waiting = false;
    const qint64 serial = turn.value("serial").toInteger(-1);
    const qint64 sinceMove = turn.value("sinceMoveMs").toInteger(-1);
    std::array<bool, Seats + 1> back{};
    const QJsonArray backArray = turn.value("backAtNextTurn").toArray();
    if (serial < 0 || sinceMove < 0 || backArray.size() != Seats ||
        !readBool(timer, "enabled", timerEnabled) || !readInt(timer, "tag", 0, 3, tag) ||
        !readInt(timer, "ticks", 0, 1'000'000, ticks) || !readInt(timer, "interval", 0, 3'600'000, interval) ||
        !readBool(round, "continued", continued) || !readBool(round, "waiting", waiting))
        return fail(QCoreApplication::translate("SavedGame", "the file is damaged (the turn or the timer)"));
    for (int s = 1; s <= Seats; ++s) back[std::size_t(s)] = backArray[s - 1].toBool();
    ScoreLedger rounds;
    const QJsonArray roundArray = root.value("rounds").toArray();
    if (roundArray.size() > 10'000) return fail(QCoreApplication::translate("SavedGame", "the file is damaged (the rounds)"));
    for (const QJsonValue& v : roundArray) {
        const QJsonObject ro = v.toObject();
        RoundScores r;
        if (!readTeamPoints(ro.value("green"), r.teams[1]) || !readTeamPoints(ro.value("blue"), r.teams[2]) ||
            !readInt(ro, "wentOut", 0, 2, r.wentOut) || !readBool(ro, "finished", r.finished))
            return fail(QCoreApplication::translate("SavedGame", "the file is damaged (the rounds)"));
        rounds.push_back(r);
    }

    // The table must hold every card once, and the rest of the engine's invariants.
    std::swap(m_t, t);
    const bool dealt = std::exchange(m_everDealt, everDealt);
    const QString broken = checkInvariants();
    std::swap(m_t, t);
    m_everDealt = dealt;
    if (!broken.isEmpty()) return fail(QCoreApplication::translate("SavedGame", "the file is damaged (%1)").arg(broken));

    const std::string previousRandom = m_random.saveState();
    if (!m_random.restoreState(root.value("random").toString().toStdString()))
        return fail(QCoreApplication::translate("SavedGame", "the file is damaged (the shuffle's generator)"));
    if (!m_bots->restoreState(root.value("computerPlayers").toObject(), &why)) {
        m_random.restoreState(previousRandom);
        return fail(QCoreApplication::translate("SavedGame", "the file is damaged (%1)").arg(why));
    }

    // The engine takes the game. Nobody is connected yet: every human seat waits for its key.
    const QJsonArray seats = tableObject.value("seats").toArray();
    for (int s = 1; s <= Seats; ++s) {
        Record& r = t.seat(s);
        r.partner = m_t.seat(s).partner;
        r.defaultName = m_t.seat(s).defaultName;
        r.name = r.defaultName;
        r.connected = false;
        const QJsonObject so = seats[s - 1].toObject();
        m_holds[std::size_t(s)] = Hold{};
        m_keys[std::size_t(s)].clear();
        if (so.contains("player")) {
            const QByteArray key = so.value("key").toString().toLatin1();
            m_keys[std::size_t(s)] = key;
            m_issuedKeys.insert(key);
            if (t.running) m_holds[std::size_t(s)] = Hold{so.value("player").toString().toLatin1(), m_now + RestoredSeatHoldMs};
            // A player who watched comes back watching; a departed player's seat does not watch.
            if (!(t.twoPlayer && s >= 3)) r.justWatching = false;
        }
    }
    m_t = t;
    m_everDealt = everDealt;
    m_rounds = rounds;
    m_turnSerial = quint64(serial);
    m_turnSince = m_now - sinceMove;
    m_hungTurn = {}; // a hung turn's player is gone with its connection
    m_backAtNextTurn = back;
    m_roundContinued = continued;
    m_roundWaiting = waiting;
    m_returnGraceUntil = m_now + ReturnGraceMs;
    m_timerTag = TimerTag(tag);
    m_timerTicks = ticks;
    m_timerInterval = interval;
    m_timerEnabled = timerEnabled;
    if (m_timerEnabled) m_out.botTimerChanged(true, m_timerInterval);
    resumeTurn();
    qCInfo(lcHost).noquote() << "restored a saved game:" << m_t.seat(1).score << "to" << m_t.seat(2).score
                             << (m_t.running ? "in play" : "over");
    changed();
    afterEvent();
    return true;
}

// A computer player's turn goes on: a decision that was under way when the game was saved is
// asked for again (the timer's pending step is the timer's own). A held seat in the middle of
// its turn waits for its player until the grace is over.
void HostEngine::resumeTurn()
{
    const int seat = m_t.turnSeat;
    if (!m_t.running || seat == 0 || m_t.phase == Phase::None || m_timerEnabled) return;
    if (!m_t.computerPlayed(seat) || waitingForReturn(seat) || m_bots->thinking()) return;
    takeOver(seat);
}

bool HostEngine::waitingForReturn(int seat) const
{
    return seat >= 1 && seat <= Seats && !m_holds[std::size_t(seat)].name.isEmpty() && m_now < m_returnGraceUntil;
}

} // namespace quornet::host
