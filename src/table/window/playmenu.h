// The Play menu: the single keys that play a turn (draw, take the pile, move the cursor, pick,
// lay on a box, create, choose a book and add to it, discard), the hint, the key that gives the
// keyboard back to the table, and Keyboard Play, which switches the single keys off for players
// who type without looking.
#pragma once

#include <QMenu>

namespace quornet::table {

class TableModel;

class PlayMenu : public QMenu {
    Q_OBJECT
public:
    PlayMenu(TableModel& model, QWidget* parent);

    bool keysOn() const;

public slots:
    void sync();
    // The computer players' level: the hint is Expert's advice at Expert, Strong's otherwise.
    void setComputerLevel(const QString& level) { m_expertHints = level == QLatin1String("expert"); }

signals:
    void keysOnChanged(bool on);
    // Esc: the keyboard belongs to the table again, not to the chat line.
    void tableFocusWanted();

private:
    QAction* key(const QString& caption, const char* name, const QKeySequence& shortcut);

    TableModel& m_model;
    QList<QAction*> m_keys; // off with Keyboard Play
    QAction* m_hint = nullptr;
    QAction* m_keyboardPlay = nullptr;
    bool m_expertHints = false;
};

} // namespace quornet::table
