// The chat pane's line writer and its content, without any widget.
//
// addlinetochat() takes a chat line text ("style number" "+" text) and a colour. The style
// number is 0 for a system notice, else the sender's participant number; the line's style is 0
// for 0 and number + 5 otherwise. The text up to and including its first ":" is the bold label.
// ":)#NN" inserts smiley picture NN - 10 (picture 0 for codes that are not 10..27). A word whose
// lower-case form contains "http://" or "www." is a link in style 4 and takes the next entry of
// the 101-entry link table.
//
// Every piece of text here is plain text that came from peers: the view inserts it as text,
// never as HTML.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <array>

namespace quornet::table {

struct ChatItem {
    enum Kind { Label, Text, Link, Smiley };
    Kind kind = Text;
    // Label: the label followed by one blank (just " " when the line has no label).
    // Text: consecutive plain words with their blanks. Link: one word with its trailing blank.
    QString text;
    int smileyIndex = -1; // Smiley: picture 0..17 of the smiley set
    int linkIndex = -1;   // Link: entry of the link table
};

struct ChatLine {
    int style = 0; // 0..14; the label and text items use it, links use LinkStyle
    QList<ChatItem> items;

    // The line as plain text, smileys left out (what Copy puts on the clipboard).
    QString plainText() const;
};

struct ChatStyle {
    quint32 color = 0;   // 0x00BBGGRR, may be a system colour (see ColorText)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int size = 10;       // points
    QString face = QStringLiteral("Arial");
};

class ChatLog : public QObject {
    Q_OBJECT
public:
    static constexpr int StyleCount = 15;
    static constexpr int LinkStyle = 4;
    static constexpr int LinkEntries = 101;
    static constexpr int SmileyCount = 18;
    static constexpr int FirstSmileyCode = 10;

    explicit ChatLog(QObject* parent = nullptr);

    // The line writer. A text that does not start with a readable style number (0..9) and "+"
    // is written whole as a system line (style 0).
    void addlinetochat(const QString& lineText, quint32 colour);

    // Removes every line; the link counter and the styles stay.
    void clear();

    const QList<ChatLine>& lines() const { return m_lines; }
    const ChatStyle& style(int index) const; // index 0..14 (clamped)

    // Text size of all 15 styles at once (the Text Size menu: 8, 10, 12, 14).
    void setTextSize(int points);
    int textSize() const { return m_styles[0].size; }

    // Link table: the raw entry (the word with its trailing blank), empty when never set.
    QString linkEntry(int index) const;
    int linkCounter() const { return m_linkCounter; }
    // What a click on a link opens: the entry without its trailing blanks, as an http or https
    // URL ("www.x.org" becomes "http://www.x.org"). Any other scheme (file:, javascript:, ...)
    // gives an invalid QUrl, and so does an empty entry: the view then shows
    // "Cannot open Webpage".
    QUrl linkUrl(int index) const;
    static QUrl safeWebUrl(const QString& linkText);

    // Style of a line for a style number (0 -> 0, n -> n + 5).
    static int styleForNumber(int number) { return number == 0 ? 0 : number + 5; }

signals:
    void lineAdded(const quornet::table::ChatLine& line);
    // A line set its style's colour (and boldness): earlier lines of that style take it too.
    void styleColorChanged(int style, quint32 colour);
    void textSizeChanged(int points);
    void cleared();

private:
    void addWords(ChatLine& line, const QString& segment);
    int nextLinkIndex();

    QList<ChatLine> m_lines;
    std::array<ChatStyle, StyleCount> m_styles;
    std::array<QString, LinkEntries> m_links;
    int m_linkCounter = -1;
};

} // namespace quornet::table
