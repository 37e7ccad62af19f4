#include "table/window/scoresheetform.h"

#include "table/core/tablemodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace quornet::table {

namespace {
// The teams' colours on the table: green for seats 1 and 3, navy blue for seats 2 and 4.
const QColor GreenColour(0, 128, 0);
const QColor BlueColour(0, 0, 128);

constexpr int ColumnsPerTeam = 5;
const char* const TeamColumns[ColumnsPerTeam] = {
    QT_TRANSLATE_NOOP("quornet::table::Tscoresheet", "Cards"),
    QT_TRANSLATE_NOOP("quornet::table::Tscoresheet", "Books"),
    QT_TRANSLATE_NOOP("quornet::table::Tscoresheet", "Going Out"),
    QT_TRANSLATE_NOOP("quornet::table::Tscoresheet", "Penalties"),
    QT_TRANSLATE_NOOP("quornet::table::Tscoresheet", "Total")};

QString signedPoints(int v) { return v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v); }
} // namespace

// ---- Chart -----------------------------------------------------------------------------------

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("chart_scores"));
    setMinimumSize(360, 180);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void ScoreChart::setSeries(const QList<int>& green, const QList<int>& blue, const QStringList& labels)
{
    m_green = green;
    m_blue = blue;
    m_labels = labels;
    update();
}

void ScoreChart::setTeamNames(const QString& green, const QString& blue)
{
    m_greenName = green;
    m_blueName = blue;
    update();
}

int ScoreChart::gridStep(int low, int high)
{
    const double range = std::max(1.0, double(high) - double(low));
    const double rough = range / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough) return std::max(1, int(factor * power));
    return std::max(1, int(10 * power));
}

void ScoreChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const int points = int(std::max(m_green.size(), m_blue.size()));
    if (points < 2) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, tr("The totals are drawn here once a game has begun."));
        return;
    }

    // The value range always takes in 0, and the grid lines fall on round numbers.
    int low = 0, high = 100;
    for (const QList<int>* series : {&m_green, &m_blue})
        for (int v : *series) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    const int step = gridStep(low, high);
    low = int(std::floor(double(low) / step)) * step;
    high = int(std::ceil(double(high) / step)) * step;

    const int legendHeight = fm.height() + 8;
    const int leftMargin = std::max(fm.horizontalAdvance(QString::number(low)),
                                    fm.horizontalAdvance(QString::number(high))) + 12;
    const QRect plot(leftMargin, legendHeight + 4, width() - leftMargin - 16,
                     height() - legendHeight - fm.height() - 14);
    if (plot.width() < 20 || plot.height() < 20) return;
    const auto x = [&](int i) { return plot.left() + double(plot.width()) * i / (points - 1); };
    const auto y = [&](int v) { return plot.bottom() - double(plot.height()) * (v - low) / (high - low); };

    // Grid and scale.
    painter.setPen(QPen(QColor(220, 220, 220), 1));
    for (int v = low; v <= high; v += step) painter.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
    painter.setPen(palette().color(QPalette::WindowText));
    for (int v = low; v <= high; v += step)
        painter.drawText(QRectF(0, y(v) - fm.height() / 2.0, leftMargin - 6, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    painter.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
    painter.drawLine(QPointF(plot.left(), y(0)), QPointF(plot.right(), y(0)));
    for (int i = 0; i < points; ++i) {
        const QString label = m_labels.value(i);
        const double w = fm.horizontalAdvance(label);
        painter.drawText(QRectF(x(i) - w / 2 - 2, plot.bottom() + 4, w + 4, fm.height()), Qt::AlignCenter, label);
    }

    // The two teams' lines, with a dot per round and the latest total at the end.
    const auto drawSeries = [&](const QList<int>& series, const QColor& colour) {
        if (series.isEmpty()) return;
        QPainterPath path(QPointF(x(0), y(series[0])));
        for (int i = 1; i < series.size(); ++i) path.lineTo(x(i), y(series[i]));
        painter.setPen(QPen(colour, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setBrush(colour);
        for (int i = 0; i < series.size(); ++i) painter.drawEllipse(QPointF(x(i), y(series[i])), 3.5, 3.5);
    };
    drawSeries(m_green, GreenColour);
    drawSeries(m_blue, BlueColour);

    // Legend.
    int lx = plot.left();
    for (const auto& [name, colour, series] : {std::tuple{m_greenName, GreenColour, &m_green},
                                               std::tuple{m_blueName, BlueColour, &m_blue}}) {
        const QString text = series->isEmpty() ? name : name + QStringLiteral(": ") + QString::number(series->constLast());
        painter.setPen(QPen(colour, 3));
        painter.drawLine(lx, legendHeight / 2 + 2, lx + 18, legendHeight / 2 + 2);
        painter.setPen(colour);
        painter.drawText(lx + 24, 2, fm.horizontalAdvance(text) + 4, legendHeight, Qt::AlignVCenter, text);
        lx += 24 + fm.horizontalAdvance(text) + 28;
    }
}

// ---- Window ------------------------------------------------------------------------------------

Tscoresheet::Tscoresheet(const TableModel& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("Tscoresheet"));
    setWindowTitle(tr("Score Sheet"));
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("label_summary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    layout->addWidget(m_summary);

    m_grid = new QTableWidget(0, 1 + 2 * ColumnsPerTeam, this);
    m_grid->setObjectName(QStringLiteral("grid_scores"));
    QStringList headers{tr("Round")};
    for (int team = 1; team <= 2; ++team)
        for (const char* c : TeamColumns) headers << (team == 1 ? tr("Green\n%1") : tr("Blue\n%1")).arg(tr(c));
    m_grid->setHorizontalHeaderLabels(headers);
    for (int c = 1; c < m_grid->columnCount(); ++c)
        if (QTableWidgetItem* h = m_grid->horizontalHeaderItem(c)) h->setForeground(c <= ColumnsPerTeam ? GreenColour : BlueColour);
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMinimumHeight(150);
    layout->addWidget(m_grid, 1);

    m_chart = new ScoreChart(this);
    layout->addWidget(m_chart, 1);

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(done, 0, Qt::AlignRight);
    resize(720, 520);

    // Drawn while shown; showing the window draws it afresh.
    const auto refreshShown = [this] {
        if (isVisible()) refresh();
    };
    connect(&model.scoreSheet(), &ScoreSheet::changed, this, refreshShown);
    connect(&model, &TableModel::playersChanged, this, refreshShown);
    refresh();
}

void Tscoresheet::showEvent(QShowEvent* event)
{
    refresh();
    QDialog::showEvent(event);
}

QString Tscoresheet::summary() const
{
    const ScoreSheet& sheet = m_model.scoreSheet();
    const QString score = tr("Green %1, Blue %2").arg(sheet.total(1)).arg(sheet.total(2));
    if (sheet.gameOver()) {
        const int w = sheet.gameWinner();
        const QString outcome = w == 1 ? tr("the Green Team won")
                                : w == 2 ? tr("the Blue Team won")
                                         : tr("a tie");
        const qsizetype rounds = sheet.rounds().size();
        return rounds == 1 ? tr("Game over after 1 round, %1: %2").arg(outcome, score)
                           : tr("Game over after %1 rounds, %2: %3").arg(QString::number(rounds), outcome, score);
    }
    if (!sheet.gameRunning()) return tr("No game has been played yet.");
    return tr("Round %1 in play: %2").arg(sheet.rounds().size()).arg(score);
}

void Tscoresheet::refresh()
{
    const ScoreSheet& sheet = m_model.scoreSheet();
    const TableState& s = m_model.state();
    const auto names = [&](int a, int b) {
        return tr("%1 and %2").arg(s.seat(a).name, s.seat(b).name);
    };
    m_summary->setText(summary());

    struct Row {
        QString label;
        std::array<const TeamRoundScore*, 3> teams{};
        bool carried = false; // the totals before the rounds this window saw: no columns
    };
    QList<Row> rows;
    std::array<TeamRoundScore, 3> carried{};
    if (!sheet.rounds().isEmpty() && (sheet.carried(1) != 0 || sheet.carried(2) != 0)) {
        carried[1].total = sheet.carried(1);
        carried[2].total = sheet.carried(2);
        rows.append({tr("Before"), {nullptr, &carried[1], &carried[2]}, true});
    }
    for (const RoundScore& r : sheet.rounds()) {
        QString label = r.number == 0 ? tr("Joined") : QString::number(r.number);
        if (!r.finished) label = tr("%1 (now)").arg(label);

        rows.append({label, {nullptr, &r.teams[1], &r.teams[2]}, false});
    }
    m_grid->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const auto put = [&](int column, const QString& text, const QColor& colour, bool bold = false) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(column == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            item->setForeground(colour);
            if (bold) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            m_grid->setItem(i, column, item);
        };
        put(0, row.label, palette().color(QPalette::Text));
        for (int team = 1; team <= 2; ++team) {
            const TeamRoundScore& t = *row.teams[std::size_t(team)];
            const int base = 1 + (team - 1) * ColumnsPerTeam;
            const QColor colour = team == 1 ? GreenColour : BlueColour;
            const bool carriedRow = row.carried;
            put(base + 0, carriedRow ? QString() : signedPoints(t.cardPoints), colour);
            put(base + 1, carriedRow ? QString() : signedPoints(t.bonuses), colour);
            put(base + 2, carriedRow ? QString() : signedPoints(t.goingOut), colour);
            put(base + 3, carriedRow ? QString() : signedPoints(t.penalties), colour);
            put(base + 4, QString::number(t.total), colour, true);
        }
    }

    QStringList labels{tr("Start")};
    for (const RoundScore& r : sheet.rounds())
        labels << (r.number == 0 ? tr("Joined") : QString::number(r.number));
    m_chart->setSeries(sheet.totalsByRound(1), sheet.totalsByRound(2), labels);
    m_chart->setTeamNames(tr("Green Team (%1)").arg(names(1, 3)), tr("Blue Team (%1)").arg(names(2, 4)));

}

} // namespace quornet::table
