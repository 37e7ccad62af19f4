#include "table/window/gamelogform.h"

#include "table/core/gamelog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quornet::table {

Tgamelog::Tgamelog(const GameLog& log, QWidget* parent) : QDialog(parent), m_log(log)
{
    setObjectName(QStringLiteral("Tgamelog"));
    setWindowTitle(tr("Game Log"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memo_log"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setMaximumBlockCount(GameLog::MaxEntries);
    m_text->setPlainText(log.text().chopped(log.entries().isEmpty() ? 0 : 1));
    layout->addWidget(m_text, 1);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("button_copy"));
    connect(copy, &QPushButton::clicked, this, &Tgamelog::copyAll);
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    resize(460, 360);

    connect(&log, &GameLog::added, this, [this](const GameLogEntry& e) { m_text->appendPlainText(e.line()); });
    connect(&log, &GameLog::cleared, m_text, &QPlainTextEdit::clear);
}

void Tgamelog::copyAll() { QApplication::clipboard()->setText(m_log.text()); }

} // namespace quornet::table
