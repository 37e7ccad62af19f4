#include "table/core/chatlog.h"

#include "protocol/colortext.h"


namespace quornet::table {

namespace {

const QString SmileyMark = QStringLiteral(":)#");

// Style number of a chat line: the digits before its first "+", a participant number 0..9.
bool readStyleNumber(const QString& prefix, int* number)
{
    if (prefix.isEmpty() || prefix.size() > 2) return false;
    for (QChar c : prefix)
        if (c.unicode() < '0' || c.unicode() > '9') return false;
    const int n = prefix.toInt();
    if (n > 9) return false;
    *number = n;
    return true;
}

// The two characters after ":)#": a code 10..27 names picture code - 10, anything else 0.
int smileyPicture(const QString& code)
{
    if (code.size() != 2) return 0;
    for (QChar c : code)
        if (c.unicode() < '0' || c.unicode() > '9') return 0;
    const int c = code.toInt();
    if (c < ChatLog::FirstSmileyCode || c >= ChatLog::FirstSmileyCode + ChatLog::SmileyCount)
        return 0;
    return c - ChatLog::FirstSmileyCode;
}

bool isLinkWord(const QString& word)
{
    const QString lower = word.toLower();
    return lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("www."));
}

} // namespace

QString ChatLine::plainText() const
{
    QString text;
    for (const ChatItem& item : items)
        if (item.kind != ChatItem::Smiley) text += item.text;
    return text;
}

ChatLog::ChatLog(QObject* parent) : QObject(parent)
{
    const auto set = [this](int i, quint32 colour, bool bold, bool italic, bool underline) {
        ChatStyle& s = m_styles[std::size_t(i)];
        s.color = colour;
        s.bold = bold;
        s.italic = italic;
        s.underline = underline;
    };
    set(0, protocol::colors::Yellow, false, false, false);
    set(1, protocol::colors::Blue, true, false, false);
    set(2, protocol::colors::Navy, true, false, false);
    set(3, protocol::colors::Maroon, false, true, false);
    set(4, protocol::colors::Green, false, false, true);
    set(5, protocol::colors::Green, false, false, true);
    set(6, protocol::colors::Silver, false, false, false);
    set(7, protocol::colors::Silver, false, false, false);
    for (int i = 8; i < StyleCount; ++i) set(i, protocol::colors::WindowText, false, false, false);
}

const ChatStyle& ChatLog::style(int index) const
{
    return m_styles[std::size_t(qBound(0, index, StyleCount - 1))];
}

void ChatLog::setTextSize(int points)
{
    if (points <= 0) return;
    for (ChatStyle& s : m_styles) s.size = points;
    emit textSizeChanged(points);
}

void ChatLog::addlinetochat(const QString& lineText, quint32 colour)
{
    // 1. The style number before the first "+".
    int number = 0;
    QString rest = lineText;
    const qsizetype plus = lineText.indexOf(QLatin1Char('+'));
    if (plus > 0 && readStyleNumber(lineText.left(plus), &number)) {
        rest = lineText.mid(plus + 1);
    } else {
        number = 0;
    }
    ChatLine line;
    line.style = styleForNumber(number);

    // 2. The label: up to and including the first ":".
    QString label;
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        label = rest.left(colon + 1);
        rest.remove(0, colon + 1);
    }

    // 3. The colour and the boldness belong to the style: earlier lines follow.
    ChatStyle& style = m_styles[std::size_t(line.style)];
    if (style.color != colour || !style.bold) {
        style.color = colour;
        style.bold = true;
        emit styleColorChanged(line.style, colour);
    }

    // 4. A new paragraph: the label and one blank.
    ChatItem labelItem;
    labelItem.kind = ChatItem::Label;
    labelItem.text = label + QLatin1Char(' ');
    line.items.append(labelItem);

    // 5. Text and smileys.
    qsizetype mark;
    while ((mark = rest.indexOf(SmileyMark)) >= 0) {
        const QString segment = rest.left(mark);
        rest.remove(0, mark + SmileyMark.size());
        const QString code = rest.left(2);
        rest.remove(0, code.size());
        addWords(line, segment + QLatin1Char(' '));
        ChatItem smiley;
        smiley.kind = ChatItem::Smiley;
        smiley.smileyIndex = smileyPicture(code);
        line.items.append(smiley);
    }
    // 6. What is left.
    if (!rest.isEmpty()) addWords(line, rest + QLatin1Char(' '));

    m_lines.append(line);
    emit lineAdded(m_lines.constLast());
}

void ChatLog::addWords(ChatLine& line, const QString& segment)
{
    QString s = segment;
    while (!s.isEmpty()) {
        const qsizetype blank = s.indexOf(QLatin1Char(' '));
        const QString word = blank < 0 ? s : s.left(blank + 1);
        s.remove(0, word.size());
        if (isLinkWord(word)) {
            ChatItem link;
            link.kind = ChatItem::Link;
            link.text = word;
            link.linkIndex = nextLinkIndex();
            m_links[std::size_t(link.linkIndex)] = word;
            line.items.append(link);
        } else if (!line.items.isEmpty() && line.items.constLast().kind == ChatItem::Text) {
            line.items.last().text += word;
        } else {
            ChatItem text;
            text.kind = ChatItem::Text;
            text.text = word;
            line.items.append(text);
        }
    }
}

int ChatLog::nextLinkIndex()
{
    ++m_linkCounter;
    if (m_linkCounter >= LinkEntries) m_linkCounter = 1;
    return m_linkCounter;
}

void ChatLog::clear()
{
    m_lines.clear();
    emit cleared();
}

QString ChatLog::linkEntry(int index) const
{
    if (index < 0 || index >= LinkEntries) return {};
    return m_links[std::size_t(index)];
}

QUrl ChatLog::linkUrl(int index) const
{
    QString text = linkEntry(index);
    while (!text.isEmpty() && text.endsWith(QLatin1Char(' '))) text.chop(1);
    return safeWebUrl(text);
}

QUrl ChatLog::safeWebUrl(const QString& linkText)
{
    // A peer chose this text: only web addresses are opened, never files or other schemes.
    const QString lower = linkText.toLower();
    qsizetype start = -1;
    for (const char* marker : {"https://", "http://", "www."}) {
        const qsizetype at = lower.indexOf(QLatin1String(marker));
        if (at >= 0 && (start < 0 || at < start)) start = at;
    }
    if (start < 0) return {};
    QString candidate = linkText.mid(start).trimmed();
    // Punctuation that closes a sentence or a bracket around the address is not part of it.
    while (!candidate.isEmpty() && QStringLiteral(").,;:!?'\"]>").contains(candidate.back()))
        candidate.chop(1);
    if (candidate.toLower().startsWith(QLatin1String("www.")))
        candidate.prepend(QLatin1String("http://"));
    const QUrl url(candidate, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return {};
    return url;
}

} // namespace quornet::table
