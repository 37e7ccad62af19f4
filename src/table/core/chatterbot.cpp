#include "table/core/chatterbot.h"

#include "table/core/tablemodel.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <array>
#include <memory>

namespace quornet::table {

namespace {

constexpr std::array<const char*, ChatterBot::PhraseCount> Phrases{
    "I need a Pepsi",
    "I'm a bit confused",
    "Oh it's getting late!",
    "Do you think that is wise?",
    "You are too kind",
    "I don't think that is a good idea",
    "That is very wise of you",
    "I have played this game alot",
    "Stop yelling at me.",
    "Where ya going with that suitcase?",
    "Careful you don't sit on that.",
    "Have you seen Zeb today?",
    "Is it lunch time yet?",
    "Who is winning?",
    "You're doing great!",
    "Did you see that?",
    "Why did you do that?",
    "Who knows..",
    "Want to play cards?",
    "I'm feeling lucky tonight.",
    "Will you come and play again sometime?",
    "I'm so happy you are here!",
    "What is in your lunchbox today?",
    "Hey, I found a penny!",
    "What's that on your neck?",
    "My leg is on fire.",
    "It's storming outside",
    "I learned to ride a bike.",
    "You might want to call your mom.",
    "Do you like roses?",
    "There is nothing on TV right now",
    "I got hit by lightening",
};

constexpr int SpeakDraw = 10; // Random(10) above SpeakLimit: the bot keeps quiet
constexpr int SpeakLimit = 4;
constexpr int PhraseDraw = 33; // Random(33): 0 says nothing, 1..32 picks the phrase

} // namespace

ChatterBot::ChatterBot(TableModel& model, QObject* parent)
    : ChatterBot(model, clockRandom(), parent)
{
}

ChatterBot::ChatterBot(TableModel& model, RandomSource random, QObject* parent)
    : QObject(parent), m_model(model)
{
    setRandomSource(std::move(random));
    connect(&m_model, &TableModel::chatReceived, this, &ChatterBot::klottalk);
}

void ChatterBot::setRandomSource(RandomSource random)
{
    m_random = random ? std::move(random) : clockRandom();
}

ChatterBot::RandomSource ChatterBot::seededRandom(quint32 seed)
{
    auto generator = std::make_shared<QRandomGenerator>(seed);
    return [generator](int n) { return n > 0 ? int(generator->bounded(n)) : 0; };
}

ChatterBot::RandomSource ChatterBot::clockRandom()
{
    return seededRandom(quint32(QDateTime::currentMSecsSinceEpoch()));
}

QString ChatterBot::phrase(int n)
{
    if (n < 1 || n > PhraseCount) return {};
    return QString::fromLatin1(Phrases[std::size_t(n - 1)]);
}

QString ChatterBot::linePrefix() { return QStringLiteral("0+Klot the bot says: "); }

int ChatterBot::draw(int n) { return m_random(n); }

bool ChatterBot::botsAtTable() const
{
    const TableState& s = m_model.state();
    return s.seat(2).name == QLatin1String("Klot") && s.seat(3).name == s.seat(3).hint &&
           s.seat(4).name == s.seat(4).hint;
}

void ChatterBot::klottalk()
{
    // The first draw happens whoever sits at the table, as the window always did.
    const int speak = draw(SpeakDraw);
    if (speak < 0 || speak > SpeakLimit) return;
    if (!botsAtTable()) return;
    // A source that answers outside 0..32 says nothing rather than reading past the list.
    const QString text = phrase(draw(PhraseDraw));
    if (text.isEmpty()) return;
    if (m_model.isParticipantMuted(2)) return; // Klot speaks from seat 2
    m_model.chat().addlinetochat(linePrefix() + text, RemarkColour);
}

} // namespace quornet::table
