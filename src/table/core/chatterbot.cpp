#include "table/core/chatterbot.h"

#include "table/core/tablemodel.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <array>
#include <memory>

namespace quornet::table {

namespace {

constexpr std::array<const char*, ChatterBot::PhraseCount> Phrases{
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I need a Pepsi"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I'm a bit confused"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Oh it's getting late!"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Do you think that is wise?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "You are too kind"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I don't think that is a good idea"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "That is very wise of you"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I have played this game alot"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Stop yelling at me."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Where ya going with that suitcase?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Careful you don't sit on that."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Have you seen Zeb today?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Is it lunch time yet?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Who is winning?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "You're doing great!"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Did you see that?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Why did you do that?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Who knows.."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Want to play cards?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I'm feeling lucky tonight."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Will you come and play again sometime?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I'm so happy you are here!"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "What is in your lunchbox today?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Hey, I found a penny!"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "What's that on your neck?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "My leg is on fire."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "It's storming outside"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I learned to ride a bike."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "You might want to call your mom."),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "Do you like roses?"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "There is nothing on TV right now"),
    QT_TRANSLATE_NOOP("quornet::table::ChatterBot", "I got hit by lightening"),
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
    return tr(Phrases[std::size_t(n - 1)]);
}

QString ChatterBot::linePrefix() { return QStringLiteral("0+") + tr("Klot the bot says:") + QLatin1Char(' '); }


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
