// The spy list (Tspylist): the spectators connected to the table, and for the host's user the
// context menu item "Remove From Game" that asks for one of them to be removed.
//
// The window only shows and asks: the table window gives it the entries ("n: name", from the
// table model's spectators) and turns kickRequested(n) into its kick operation.
#pragma once

#include <QStringList>

#include <optional>
#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPixmap;
class QPushButton;

namespace quornet::windows {

class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // The table window's background picture, tiled behind the list.
    void setBackground(const QPixmap& picture);

    // The entries of listbox_spys, in order. Giving the same entries again changes nothing, so
    // the table window may call this after every change of its model.
    void setEntries(const QStringList& entries);
    QStringList entries() const;

    // "Remove From Game" is enabled only while this program hosts the table.
    void setHosting(bool hosting);
    bool hosting() const;

    // The spectators this window does not hear; their entries show the Mute item checked.
    void setMutedParticipants(const QList<int>& participants);

    // The list's tag: the row of the entry under the mouse pointer, -1 over no entry.
    int hoveredEntry() const { return m_tag; }

    // The participant number of an entry: its text up to the first ":" read as an integer.
    // False in *ok (and 0) when there is no ":" or that text is not a number.
    static int participantOf(const QString& entry, bool* ok);

signals:
    // "Remove From Game" was chosen on the entry of this participant.
    void kickRequested(int participant);
    // "Mute" was checked (true) or unchecked on the entry of this participant.
    void muteRequested(int participant, bool muted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void remember(const QPoint& viewportPos);
    void openMenu(const QPoint& viewportPos);
    void removeFromGame();
    // The participant of the entry under the pointer; none over no entry or an unreadable one.
    std::optional<int> hoveredParticipant() const;

    QLabel* m_caption = nullptr;
    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kick = nullptr;
    QAction* m_mute = nullptr;
    QList<int> m_muted;
    QPushButton* m_done = nullptr;
    int m_tag = -1;
};

} // namespace quornet::windows
