#include "table/window/seatmenu.h"

#include "table/core/tablemodel.h"

namespace quornet::table {

SeatMenu::SeatMenu(TableModel& model, QWidget* parent) : QMenu(parent), m_model(model)
{
    setObjectName("popup_kick");
    const auto item = [this](const QString& caption, const char* name) {
        QAction* a = addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    m_remove = item(QStringLiteral("Remove From Game"), "RemoveFromGame1");
    m_setWatch = item(QStringLiteral("Set to Just Watch"), "SettojustWatch1");
    m_unsetWatch = item(QStringLiteral("Unset Just Watch"), "UnsetJustWatch1");
    connect(m_remove, &QAction::triggered, this, [this] { m_model.kicking(m_seat); });
    connect(m_setWatch, &QAction::triggered, this, [this] { m_model.setJustWatchFor(m_seat); });
    connect(m_unsetWatch, &QAction::triggered, this, [this] { m_model.unsetJustWatchFor(m_seat); });
    addSeparator();
    m_mute = item(QStringLiteral("Mute"), "Mute1");
    m_mute->setCheckable(true);
    connect(m_mute, &QAction::triggered, this, [this](bool on) { m_model.setMuted(m_model.participantName(m_seat), on); });
}

void SeatMenu::popupFor(int seat)
{
    const SeatPopup enabled = m_model.seatPopup(seat);
    m_remove->setEnabled(enabled.removeFromGame);
    m_setWatch->setEnabled(enabled.setJustWatch);
    m_unsetWatch->setEnabled(enabled.unsetJustWatch);
    const QString name = m_model.participantName(seat);
    m_mute->setEnabled(!name.isEmpty() && name != m_model.state().playerName);
    m_mute->setChecked(m_model.isMuted(name));
    m_seat = seat;
    popup(QCursor::pos());
}

} // namespace quornet::table
