// The chat pane at the foot of the table: the chat view (mainchat) with the "YOUR TURN" arrows
// over it, the entry line (mychat) that sends what the player types in the chosen text colour,
// the smiley menu, and the logo that opens the web page. The entry has the keyboard only when
// the player gives it (a click, Tab): when the window gets it back from a dialog, the keys go
// to the table.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace quornet::table {

class ChatView;
class ClickLabel;
class TableModel;
class TableZoom;
struct TableArt;

class ChatPane : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Prompt = "<Enter Chat Here>";

    ChatPane(TableModel& model, QWidget* parent);

    ChatView* view() const { return m_view; }
    void setArt(const TableArt& art);
    // The text colour of what the player sends (0x00BBGGRR), shown in the entry.
    quint32 chatColour() const { return m_colour; }
    void setChatColour(quint32 colour);
    // The view's text at the zoom (its fonts are its own, see TableZoom::markOwnText).
    void setZoom(const TableZoom& zoom);

public slots:
    void sync();

signals:
    // The keys belong to the table again.
    void tableFocusWanted();
    void logoClicked();

protected:
    // Enter sends (and is swallowed); any key first clears the prompt; the paste key replaces
    // the whole text with the clipboard's, as the entry's Paste item does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildEntry();
    void buildSmileys();
    void sendEntry();
    void paste();

    TableModel& m_model;
    quint32 m_colour = 0;
    ChatView* m_view = nullptr;
    QLabel* m_greenArrow = nullptr;
    QLabel* m_blueArrow = nullptr;
    QLineEdit* m_entry = nullptr;
    QAction* m_paste = nullptr;
    QToolButton* m_smileyButton = nullptr;
    QMenu* m_smileyMenu = nullptr;
    ClickLabel* m_logo = nullptr;
};

} // namespace quornet::table
