// The phrase editor (Tphrases): the texts of the nine quick phrase buttons of the chat entry.
//
// The table window fills it from its buttons (View > Phrase List) and shows it; Done hands the
// nine texts back with phrasesChosen() and hides the window. The table window then gives the
// buttons their new phrases and writes Phrase1..9 to the settings file. Closing the window with
// its close box only hides it and changes nothing.
#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QLineEdit;
class QPixmap;
class QPushButton;

namespace quornet::windows {

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int PhraseCount = 9;
    static constexpr int MaxPhraseLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    void setBackground(const QPixmap& picture);

    // Entry phrase1..phrase9 gets phrases[0..8]; missing ones are emptied, texts longer than 50
    // characters are cut.
    void setPhrases(const QStringList& phrases);
    // The nine entries' texts.
    QStringList phrases() const;

    // Centres the window over owner (kept on its screen) and shows it in front.
    void showOver(const QWidget* owner);

signals:
    // Done: the nine texts, for b_phrase1..9.
    void phrasesChosen(const QStringList& phrases);

private:
    void done();

    std::array<QLineEdit*, PhraseCount> m_entries{};
    QPushButton* m_done = nullptr;
};

} // namespace quornet::windows
