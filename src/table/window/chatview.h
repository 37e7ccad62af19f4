// The chat pane (`mainchat`): a read-only rich text view that shows the ChatLog's lines with
// their styles, smiley pictures and clickable links. Every text is inserted as text, never
// interpreted as HTML. Colour and size belong to the styles: when a style's colour changes,
// every earlier fragment of that style takes the new colour.
#pragma once

#include "table/core/chatlog.h"

#include <QPixmap>
#include <QTextBrowser>
#include <QVector>

class QAction;
class QMenu;

namespace quornet::table {

class ChatView : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChatView(ChatLog& log, QWidget* parent = nullptr);

    void setSmileys(const QVector<QPixmap>& pictures);
    // The table window's zoom: text, smileys and margins are drawn `factor` times their size.
    void setZoom(qreal factor);
    qreal zoom() const { return m_zoom; }
    // The shared "Chat Scroll Off" action (the main menu shows the same one).
    QAction* scrollOffAction() const { return m_scrollOff; }
    QAction* clearAction() const { return m_clear; }
    bool scrollOff() const;

    // Opens the link table entry: its web address, or "Cannot open Webpage".
    void openLink(int index);

signals:
    // Clear Main Chat was chosen: the window puts the keyboard focus in the chat entry.
    void clearedByUser();
    // A link was opened (tests check the address instead of starting a browser).
    void linkOpened(const QUrl& url);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void appendLine(const ChatLine& line);
    void recolour(int style, quint32 colour);
    void resize(int points);
    QTextCharFormat formatFor(int style) const;
    QColor colourOf(quint32 value) const;

    ChatLog& m_log;
    QMenu* m_menu = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_selectAll = nullptr;
    QAction* m_scrollOff = nullptr;
    qreal m_zoom = 1.0;
};

} // namespace quornet::table
