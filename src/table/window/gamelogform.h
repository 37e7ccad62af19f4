// Tgamelog, the game log (View > Game Log): every status-line text of the current game with the
// time it came, in a read-only text that can be selected and copied; Copy takes all of it.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace quornet::table {

class GameLog;

class Tgamelog : public QDialog {
    Q_OBJECT
public:
    explicit Tgamelog(const GameLog& log, QWidget* parent = nullptr);

    QPlainTextEdit* text() const { return m_text; }
    // Puts the whole log on the clipboard.
    void copyAll();

private:
    const GameLog& m_log;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace quornet::table
