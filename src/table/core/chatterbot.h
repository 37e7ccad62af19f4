// ChatterBot: Klot's remarks in the solo game.
//
// When the other three seats are held by the computer players under their default names, a
// chat line received from the host makes Klot (seat 2) answer now and then with one of 32 fixed
// phrases. The remark is a local line of this window's chat pane, written in blue with style 0
// and the label "Klot the bot says:"; it is never sent to the host.
//
// The bot listens to the model's chatReceived() (emitted after a received CMD_chat line was
// shown while seat 2 reads "Klot") and answers in the same call, so it needs no wiring of its
// own beyond being created with the model:
//
//   auto* bot = new ChatterBot(model, this);             // seeded from the clock
//   ChatterBot bot(model, ChatterBot::seededRandom(42)); // reproducible, for tests
//
// Actions and quick phrases (CMD_action) never reach it, and its own remark does not go through
// chatReceived(), so it never answers itself.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace quornet::table {

class TableModel;

class ChatterBot : public QObject {
    Q_OBJECT
public:
    // Random(n): an integer 0..n-1, every value equally likely.
    using RandomSource = std::function<int(int)>;

    static constexpr int PhraseCount = 32;
    static constexpr quint32 RemarkColour = 0xFF0000; // 0x00BBGGRR: blue

    // Uses a generator seeded from the clock.
    explicit ChatterBot(TableModel& model, QObject* parent = nullptr);
    ChatterBot(TableModel& model, RandomSource random, QObject* parent = nullptr);

    // Replaces the random source (an empty function restores a clock-seeded generator).
    void setRandomSource(RandomSource random);

    // Klot's turn to speak: at most one line through the model's chat log.
    void klottalk();

    // True when seats 2, 3 and 4 show the computer players' default names.
    bool botsAtTable() const;

    // Phrase n, 1..32; empty for any other n.
    static QString phrase(int n);
    // The line prefix: style 0 and the label.
    static QString linePrefix(); // "0+Klot the bot says: "

    // A generator of Random(n) values from the given seed (QRandomGenerator), and one seeded
    // from the clock.
    static RandomSource seededRandom(quint32 seed);
    static RandomSource clockRandom();

private:
    int draw(int n);

    TableModel& m_model;
    RandomSource m_random;
};

} // namespace quornet::table
