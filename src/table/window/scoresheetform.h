// Tscoresheet, the score sheet (View > Score Sheet): every round of the current game with each
// team's card points, book bonuses, going-out bonus and penalties, the running totals, and a
// chart of both teams' totals by round. It draws the table model's ScoreSheet and keeps showing
// a finished game until the next one starts.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace quornet::table {

class TableModel;

// A line chart of the two teams' running totals: one point per round, from the total the game
// started with (0, or what a late joiner carried in).
class ScoreChart : public QWidget {
    Q_OBJECT
public:
    explicit ScoreChart(QWidget* parent = nullptr);

    // totals[t] for team t = 1, 2; labels name the points along the bottom ("Start", "1", ...).
    void setSeries(const QList<int>& green, const QList<int>& blue, const QStringList& labels);
    void setTeamNames(const QString& green, const QString& blue);
    QSize sizeHint() const override { return {560, 220}; }

    // The value step between the grid lines for a range of values: 1, 2 or 5 times a power of
    // ten, giving at most about six lines.
    static int gridStep(int low, int high);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_green, m_blue;
    QStringList m_labels;
    QString m_greenName = QStringLiteral("Green Team"), m_blueName = QStringLiteral("Blue Team");
};

class Tscoresheet : public QDialog {
    Q_OBJECT
public:
    explicit Tscoresheet(const TableModel& model, QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    ScoreChart* chart() const { return m_chart; }
    // The line over the grid: the game's state in words.
    QString summary() const;

    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TableModel& m_model;
    QLabel* m_summary = nullptr;
    QTableWidget* m_grid = nullptr;
    ScoreChart* m_chart = nullptr;
};

} // namespace quornet::table
