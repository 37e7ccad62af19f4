#include "windows/spylist.h"

#include "windows/sidewindow.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace quornet::windows {

Tspylist::Tspylist(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(tr("Q R T - Spys"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(170, 195);
    setBackground(tableBackground());
    makePanel(this, QRect(6, 3, 158, 22));

    m_caption = new QLabel(tr("Spy List"), this);
    m_caption->setObjectName(QStringLiteral("label_spylist"));
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(8, 4, 154, 20);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setGeometry(8, 26, 154, 128);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &Tspylist::openMenu);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_kick = m_popup->addAction(tr("Remove From Game"));
    m_kick->setObjectName(QStringLiteral("popup_kickhim"));
    m_kick->setEnabled(false);
    connect(m_kick, &QAction::triggered, this, &Tspylist::removeFromGame);
    m_popup->addSeparator();
    m_mute = m_popup->addAction(tr("Mute"));
    m_mute->setObjectName(QStringLiteral("popup_mute"));
    m_mute->setCheckable(true);
    connect(m_mute, &QAction::triggered, this, [this](bool on) {
        if (const auto participant = hoveredParticipant()) emit muteRequested(*participant, on);
    });

    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setGeometry(47, 162, 75, 25);
    connect(m_done, &QPushButton::clicked, this, &QWidget::hide);
}

void Tspylist::setBackground(const QPixmap& picture)
{
    setTiledBackground(this, picture);
}

void Tspylist::setEntries(const QStringList& entries)
{
    if (entries == this->entries()) return;
    m_list->clear();
    m_list->addItems(entries);
    // The rows moved under the pointer (and maybe under an open menu): the remembered row may
    // now name another spectator. Forget it; the next movement or right click finds it again.
    m_tag = -1;
}

QStringList Tspylist::entries() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i) out.append(m_list->item(i)->text());
    return out;
}

void Tspylist::setHosting(bool hosting) { m_kick->setEnabled(hosting); }

bool Tspylist::hosting() const { return m_kick->isEnabled(); }

int Tspylist::participantOf(const QString& entry, bool* ok)
{
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    bool read = false;
    const int n = colon < 0 ? 0 : entry.left(colon).toInt(&read);
    if (ok) *ok = read;
    return read ? n : 0;
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event)
{
    // Only movements count: the menu opening under the pointer makes the list lose the
    // pointer, and the entry it was opened on must stay remembered.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove)
        remember(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

void Tspylist::remember(const QPoint& viewportPos)
{
    QListWidgetItem* item = m_list->itemAt(viewportPos);
    m_tag = item ? m_list->row(item) : -1;
}

void Tspylist::openMenu(const QPoint& viewportPos)
{
    // The entry under the pointer where the menu was asked for, also when no movement came
    // before the click (the menu key, a pointer that rested while the list changed).
    remember(viewportPos);
    const auto participant = hoveredParticipant();
    m_mute->setEnabled(participant.has_value());
    m_mute->setChecked(participant && m_muted.contains(*participant));
    m_popup->popup(m_list->viewport()->mapToGlobal(viewportPos));
}

void Tspylist::setMutedParticipants(const QList<int>& participants) { m_muted = participants; }

std::optional<int> Tspylist::hoveredParticipant() const
{
    if (m_tag < 0 || m_tag >= m_list->count()) return std::nullopt;
    bool ok = false;
    const int participant = participantOf(m_list->item(m_tag)->text(), &ok);
    return ok ? std::optional<int>(participant) : std::nullopt;
}

void Tspylist::removeFromGame()
{
    if (!m_kick->isEnabled()) return;
    if (const auto participant = hoveredParticipant()) emit kickRequested(*participant);
}

} // namespace quornet::windows
