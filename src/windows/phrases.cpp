#include "windows/phrases.h"

#include "windows/sidewindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace quornet::windows {

Tphrases::Tphrases(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(tr("Quornet - Phrase Buttons"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(383, 285);
    setBackground(tableBackground());

    constexpr int Top = 12;
    constexpr int RowStep = 26;
    makePanel(this, QRect(8, Top - 6, 383 - 16, RowStep * PhraseCount + 8));
    for (int n = 1; n <= PhraseCount; ++n) {
        const int y = Top + RowStep * (n - 1);
        auto* label = new QLabel(tr("Phrase Button %1:").arg(n), this);
        label->setObjectName(QStringLiteral("label_phrase%1").arg(n));
        label->setGeometry(16, y, 112, 22);
        auto* entry = new QLineEdit(this);
        entry->setObjectName(QStringLiteral("phrase%1").arg(n));
        entry->setMaxLength(MaxPhraseLength);
        entry->setGeometry(130, y, 237, 22);
        label->setBuddy(entry);
        m_entries[std::size_t(n - 1)] = entry;
    }

    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setGeometry(154, Top + RowStep * PhraseCount + 6, 75, 26);
    connect(m_done, &QPushButton::clicked, this, &Tphrases::done);
}

void Tphrases::setBackground(const QPixmap& picture)
{
    setTiledBackground(this, picture);
}

void Tphrases::setPhrases(const QStringList& phrases)
{
    for (int i = 0; i < PhraseCount; ++i)
        m_entries[std::size_t(i)]->setText(i < phrases.size() ? phrases[i] : QString());
}

QStringList Tphrases::phrases() const
{
    QStringList out;
    for (const QLineEdit* entry : m_entries) out.append(entry->text());
    return out;
}

void Tphrases::showOver(const QWidget* owner)
{
    centreOver(this, owner);
    show();
    raise();
    activateWindow();
}

void Tphrases::done()
{
    emit phrasesChosen(phrases());
    hide();
}

} // namespace quornet::windows
