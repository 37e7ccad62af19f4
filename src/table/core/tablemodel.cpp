// TableModel: construction, the message dispatcher, timers and shared helpers.
#include "table/core/tablemodel.h"

#include "cards/cards.h"
#include "protocol/framing.h"
#include "protocol/messages.h"
#include "protocol/colortext.h"
#include "table/core/hint.h"
#include "table/core/tablemodel_p.h"

Q_LOGGING_CATEGORY(lcTable, "quornet.table")

namespace quornet::table {

namespace detail {

int Args::number(const char* what, int low, int high)
{
    if (!ok()) return low;
    if (m_reader.atEnd()) {
        m_problem = QByteArray("missing ") + what;
        return low;
    }
    const QByteArray field = m_reader.text();
    int value = 0;
    if (!protocol::parseInt(field, &value)) {
        m_problem = QByteArray(what) + " '" + field + "' is not a number";
        return low;
    }
    if (value < low || value > high) {
        m_problem = QByteArray(what) + ' ' + QByteArray::number(value) + " is out of range";
        return low;
    }
    return value;
}

QByteArray Args::requiredText(const char* what)
{
    if (ok() && m_reader.atEnd()) m_problem = QByteArray("missing ") + what;
    return ok() ? m_reader.text() : QByteArray();
}

void dropped(const char* word, const QByteArray& args, const QByteArray& why)
{
    qCWarning(lcTable).noquote() << "dropped host message" << word << protocol::fromWire(args)
                                 << "-" << QString::fromLatin1(why);
}

QString kindWord(int kind) { return QString::fromLatin1(cards::kindWord(kind).data()); }

QString bookName(int naming)
{
    const std::string_view name = cards::bookName(naming);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace detail

using namespace protocol;

TableModel::TableModel(QObject* parent) : QObject(parent) {}

TableModel::~TableModel() = default;

void TableModel::setPlayerName(const QString& name)
{
    Changes c(*this);
    m_s.playerName = name;
    touch();
}

void TableModel::setHosting(bool host)
{
    Changes c(*this);
    m_s.hosting = host;
    setHostRights(host);
}

// The host user's controls (start, Remove From Game, just watch for any seat) go with
// participant 1, in a hosting copy and at a dedicated host alike.
void TableModel::setHostRights(bool rights)
{
    m_s.host = rights;
    m_s.startVisible = rights && !gameRunning();
    m_s.startMenuEnabled = rights;
    touch();
}

void TableModel::setSolo(bool solo)
{
    Changes c(*this);
    m_s.solo = solo;
    touch();
}

QString TableModel::aboutPlayer(const QString& name, const QString& sentence, const QString& soloSentence) const
{
    return (m_s.solo && name == m_s.playerName ? soloSentence : sentence).arg(name);
}


void TableModel::setManualSort(bool on)
{
    Changes c(*this);
    m_s.manualSort = on;
    touch();
}

void TableModel::setTurnSound(int value)
{
    Changes c(*this);
    m_s.turnSound = value == 1 ? 1 : 0;
    touch();
}

void TableModel::setChatterSounds(bool on)
{
    Changes c(*this);
    m_s.chatterSounds = on;
    touch();
}

void TableModel::handleMessage(const QByteArray& text)
{
    QByteArray message = text;
    while (message.endsWith(Terminator)) message.chop(1);
    const Command command = splitCommand(message);
    if (command.word.isEmpty()) return;
    Changes c(*this);
    dispatch(command.word, command.args);
}

void TableModel::dispatch(const QByteArray& w, const QByteArray& args)
{
    if (w != cmd::ExistingPlayers && w != cmd::NewPlayerInfo) m_quietCatchUp = false;
    followTurn(w, args);
    m_pile.message(w, args);
    followPickUps(w, args);
    // A hint holds for the hand and the turn it was given for.
    if (!m_s.hintSlots.isEmpty() && (w == cmd::NewCard || w == cmd::FreeCard || w == cmd::NextPlayer ||
                                     w == cmd::StartRound || w == cmd::StartGame)) {
        m_s.hintSlots.clear();
        touch();
    }
    // In the order in which the table window compares its command words.
    if (w == cmd::SendLoginInfo) loginReply(args);
    else if (w == cmd::Chat) chatrecieved(args, true);
    else if (w == cmd::Action) chatrecieved(args, false);
    else if (w == cmd::NewPlayerInfo) arrived(cmd::NewPlayerInfo, args);
    else if (w == cmd::HaveWrongVersion) wrongVersion(cmd::HaveWrongVersion, args);
    else if (w == cmd::WrongVersion) wrongVersion(cmd::WrongVersion, args);
    else if (w == cmd::ExistingPlayers) arrived(cmd::ExistingPlayers, args);
    else if (w == cmd::PlayerDisconnected) departed(args);
    else if (w == cmd::StartGame) startthegame(args);
    else if (w == cmd::NextPlayer) nextPlayer(args);
    else if (w == cmd::Winner) winner(args);
    else if (w == cmd::Full) full();
    else if (w == cmd::NewCard) newCard(args);
    else if (w == cmd::NoBook) status(tr("This is not a valid book"));
    else if (w == cmd::NoThree) status(tr("You can not make a book using THREES"));
    else if (w == cmd::NoTwo) status(tr("You can not make a book using WILDS"));
    else if (w == cmd::NoBookMatch) noBookMatch(args);
    else if (w == cmd::NewBook) newBook(args);
    else if (w == cmd::AddToBook) addToBook(args);
    else if (w == cmd::PostScores) postScores(args);
    else if (w == cmd::Complete) completed(args);
    else if (w == cmd::InvalidDiscard) invalidDiscard();
    else if (w == cmd::Discard) discard(args);
    else if (w == cmd::UseFoot) useFoot(args);
    else if (w == cmd::AddToComp) addToComp(args);
    else if (w == cmd::TooMany)
        status(tr("You can only have 9 working books at one time."));
    else if (w == cmd::FreeCard) freeCard(args);
    else if (w == cmd::JustWatching) justWatching(args);
    else if (w == cmd::LoadBooks) loadBooks(args);
    else if (w == cmd::LoadComp) loadComp(args);
    else if (w == cmd::StartRound) startround();
    else if (w == cmd::RWinner) roundWinner(args);
    else if (w == cmd::NoBots) noBots(args);
    else if (w == cmd::PlayASound) playasound(args);
    else if (w == cmd::LoadStats) loadStats(args);
    else if (w == cmd::ScoreSheet) scoreSheetRound(args);
    else if (w == cmd::SeatKey) seatKey(args);
    else if (w == cmd::SeatHeld) seatHeld(args);
    else if (w == cmd::SeatLost) seatLost(args);
    else if (w == cmd::Removed) removedFromGame();
    else if (w == cmd::TableClosed) tableClosed();
    else if (w == cmd::PasswordNeeded) emit passwordAsked();
    else if (w == cmd::WrongPassword) emit passwordRefused();
    // Any other command word is ignored.
}

void TableModel::notice(const QString& text, quint32 colour)
{
    m_chat.addlinetochat(QStringLiteral("0+") + text, colour);
}

void TableModel::sendMessage(const QByteArray& message) { emit send(message); }

QString TableModel::seatName(int seat) const
{
    if (seat < 1 || seat > SeatCount) return {};
    return m_s.seats[std::size_t(seat)].name;
}

void TableModel::hint(bots::Level level)
{
    Changes c(*this);
    const Hint h = adviseTurn(m_s, m_pile, level);
    if (h.text.isEmpty()) return;
    m_s.hintSlots = h.handSlots;
    status(h.text);
}

void TableModel::status(const QString& text)
{
    m_s.status = text;
    m_log.add(text);
    touch();
}

// ---- Timers -----------------------------------------------------------------------------

void TableModel::badgeTick()
{
    Changes c(*this);
    for (int t = 1; t <= 2; ++t) {
        Badge& b = m_s.teams[std::size_t(t)].badge;
        if (!b.visible) continue;
        --b.countdown;
        if (b.countdown < 0) b.visible = false;
        touch();
    }
    fadeJustHappened();
}

bool TableModel::badgesCounting() const
{
    return m_s.teams[1].badge.visible || m_s.teams[2].badge.visible || m_s.justHappened.ticksLeft > 0;
}

void TableModel::tick()
{
    if (m_s.phraseReady) return;
    Changes c(*this);
    ++m_s.phraseCounter;
    if (m_s.phraseCounter > 100) {
        m_s.phraseReady = true;
        m_s.phraseCounter = 0;
        touch();
    }
}

} // namespace quornet::table
