#include "table/window/roundsummaryform.h"

#include "table/core/scoresheet.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quornet::table {

namespace {
constexpr int Rows = 6;
const char* const RowNames[Rows] = {
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "Cards played"),
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "Book bonuses"),
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "Going out"),
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "Penalties"),
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "This round"),
    QT_TRANSLATE_NOOP("quornet::table::Troundsummary", "Game total")};

QString signedNumber(int v) { return v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v); }
} // namespace

Troundsummary::Troundsummary(QWidget* parent) : QDialog(parent)
{
    setObjectName("roundsummary");
    setWindowTitle(tr("Quornet - Round Over"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName("label_roundtitle");
    QFont big = m_title->font();
    big.setBold(true);
    big.setPixelSize(18);
    m_title->setFont(big);
    m_outcome = new QLabel(this);
    m_outcome->setObjectName("label_roundoutcome");
    m_outcome->setWordWrap(true);
    layout->addWidget(m_title);
    layout->addWidget(m_outcome);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(24);
    const QString teams[] = {tr("Green Team"), tr("Blue Team")};
    for (int t = 1; t <= 2; ++t) {
        auto* head = new QLabel(teams[t - 1], this);
        head->setStyleSheet(QStringLiteral("font-weight: bold; color: %1").arg(t == 1 ? "#008000" : "#000080"));
        head->setAlignment(Qt::AlignRight);
        m_grid->addWidget(head, 0, t);
    }
    for (int r = 0; r < Rows; ++r) {
        auto* name = new QLabel(tr(RowNames[r]), this);
        if (r >= 4) name->setStyleSheet(QStringLiteral("font-weight: bold"));
        m_grid->addWidget(name, r + 1, 0);
        for (int t = 1; t <= 2; ++t) {
            auto* v = new QLabel(this);
            v->setAlignment(Qt::AlignRight);
            v->setObjectName(QStringLiteral("cell_%1_%2").arg(r).arg(t));
            if (r >= 4) v->setStyleSheet(QStringLiteral("font-weight: bold"));
            m_grid->addWidget(v, r + 1, t);
        }
    }
    layout->addLayout(m_grid);
    m_continue = new QPushButton(tr("Continue"), this);
    m_continue->setObjectName("button_continue");
    m_continue->setDefault(true);
    layout->addWidget(m_continue, 0, Qt::AlignRight);
    connect(m_continue, &QPushButton::clicked, this, &QDialog::accept);
    // However it closes, the player has seen it.
    connect(this, &QDialog::finished, this, &Troundsummary::continued);
}

void Troundsummary::showRound(const ScoreSheet& sheet, const QString& winners)
{
    if (sheet.rounds().isEmpty()) return;
    const RoundScore& r = sheet.rounds().constLast();
    const bool over = !winners.isEmpty();
    m_title->setText(over ? tr("The game is over")
                     : r.number > 0 ? tr("Round %1 is over").arg(r.number)
                                    : tr("The round is over"));
    QString outcome = r.wentOut == 1   ? tr("The Green Team went out.")
                      : r.wentOut == 2 ? tr("The Blue Team went out.")
                                       : tr("The deck ran out of cards.");
    if (over)
        outcome += QLatin1Char(' ') + (winners == QLatin1String("No One") ? tr("The game ended in a tie.")
                                                                          : tr("%1 have won the game.").arg(winners));

    m_outcome->setText(outcome);
    for (int t = 1; t <= 2; ++t) {
        const TeamRoundScore& s = r.team(t);
        const int values[Rows] = {s.cardPoints, s.bonuses, s.goingOut, s.penalties, s.roundPoints(), s.total};
        for (int row = 0; row < Rows; ++row) {
            auto* l = findChild<QLabel*>(QStringLiteral("cell_%1_%2").arg(row).arg(t));
            l->setText(row == Rows - 1 ? QString::number(values[row]) : signedNumber(values[row]));
        }
    }
    m_continue->setText(over ? tr("Close") : tr("Continue"));
    adjustSize();
    if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

QString Troundsummary::title() const { return m_title->text(); }

QString Troundsummary::cell(int row, int team) const
{
    const auto* l = findChild<QLabel*>(QStringLiteral("cell_%1_%2").arg(row).arg(team));
    return l ? l->text() : QString();
}

} // namespace quornet::table
