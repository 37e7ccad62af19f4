// The quick phrase buttons beside the game's texts: nine send their phrase (the tool tip, which
// the Phrase List edits) as the player's chat line, the tenth opens the menu of chatter sounds.
#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QMenu;
class QToolButton;

namespace quornet::table {

class TableModel;
struct TableArt;

class PhraseBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int PhraseCount = 9;

    // The sound menu opens at its button's corner measured inside the score panel and mapped
    // through menuOrigin (the client area), as it always has.
    PhraseBar(TableModel& model, QWidget* menuOrigin, QWidget* parent);

    void setArt(const TableArt& art);
    // The phrases of buttons 1..9.
    QStringList phrases() const;
    void setPhrases(const QStringList& phrases);

signals:
    void phraseChosen(const QString& phrase);

private:
    TableModel& m_model;
    QWidget* m_menuOrigin;
    std::array<QToolButton*, 11> m_buttons{}; // 1..10
    QMenu* m_soundMenu = nullptr;
};

} // namespace quornet::table
