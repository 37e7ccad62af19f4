#include "table/window/chatview.h"

#include "protocol/colortext.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>

namespace quornet::table {

namespace {
// Each fragment remembers its style so later colour and size changes can reach it.
constexpr int StyleProperty = QTextFormat::UserProperty + 1;
const QString LinkScheme = QStringLiteral("quornet-link");
QUrl smileyUrl(int index) { return QUrl(QStringLiteral("quornet-smiley:%1").arg(index)); }
} // namespace

ChatView::ChatView(ChatLog& log, QWidget* parent) : QTextBrowser(parent), m_log(log)
{
    setObjectName("mainchat");
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));
    document()->setDocumentMargin(2);
    setViewportMargins(3, 0, 3, 0); // with the document margin: 5 pixels left and right

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == LinkScheme) openLink(url.path().toInt());
    });
    connect(&m_log, &ChatLog::lineAdded, this, &ChatView::appendLine);
    connect(&m_log, &ChatLog::styleColorChanged, this, &ChatView::recolour);
    connect(&m_log, &ChatLog::textSizeChanged, this, &ChatView::resize);
    connect(&m_log, &ChatLog::cleared, this, [this] { document()->clear(); });

    m_menu = new QMenu(this);
    m_menu->setObjectName("PopupMenu1");
    m_copy = m_menu->addAction(QStringLiteral("Copy"));
    m_copy->setObjectName("Copy1");
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_clear = m_menu->addAction(QStringLiteral("Clear Main Chat"));
    m_clear->setObjectName("ClearMainChat1");
    m_selectAll = m_menu->addAction(QStringLiteral("Select All"));
    m_selectAll->setObjectName("SelectAll1");
    m_scrollOff = m_menu->addAction(QStringLiteral("Chat Scroll Off"));
    m_scrollOff->setObjectName("ChatScrollOff1");
    m_scrollOff->setCheckable(true);
    m_scrollOff->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // A main-menu item too: the key works anywhere in the table window, the chat entry included.
    m_scrollOff->setShortcutContext(Qt::WindowShortcut);
    addAction(m_scrollOff);
    addAction(m_copy);
    m_copy->setShortcutContext(Qt::WidgetShortcut);

    connect(m_copy, &QAction::triggered, this, [this] {
        const QString selected = textCursor().selection().toPlainText().remove(QChar::ObjectReplacementCharacter);
        if (selected.isEmpty()) return;
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(selected);
    });
    connect(m_clear, &QAction::triggered, this, [this] {
        m_log.clear();
        emit clearedByUser();
    });
    connect(m_selectAll, &QAction::triggered, this, [this] { selectAll(); });
}

bool ChatView::scrollOff() const { return m_scrollOff->isChecked(); }

void ChatView::setSmileys(const QVector<QPixmap>& pictures)
{
    for (int i = 0; i < pictures.size(); ++i)
        document()->addResource(QTextDocument::ImageResource, smileyUrl(i), pictures[i]);
}

void ChatView::contextMenuEvent(QContextMenuEvent* event)
{
    m_copy->setEnabled(textCursor().hasSelection());
    m_menu->exec(event->globalPos());
}

QColor ChatView::colourOf(quint32 value) const
{
    int system = 0;
    if (protocol::ColorText::isSystemColor(value, &system)) {
        // The desktop's own colours, as the palette knows them.
        switch (system) {
        case 5: return palette().color(QPalette::Base);          // clWindow
        case 8: return palette().color(QPalette::Text);          // clWindowText
        case 13: return palette().color(QPalette::Highlight);    // clHighlight
        case 14: return palette().color(QPalette::HighlightedText);
        case 15: return palette().color(QPalette::Button);       // clBtnFace
        case 17: return palette().color(QPalette::PlaceholderText); // clGrayText
        case 18: return palette().color(QPalette::ButtonText);
        default: return palette().color(QPalette::WindowText);
        }
    }
    return QColor::fromRgba(protocol::ColorText::toArgb(value));
}

QTextCharFormat ChatView::formatFor(int style) const
{
    const ChatStyle& s = m_log.style(style);
    QTextCharFormat f;
    f.setFontFamilies({s.face, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setFontPointSize(s.size * m_zoom);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setForeground(colourOf(s.color));
    f.setProperty(StyleProperty, style);
    return f;
}

void ChatView::appendLine(const ChatLine& line)
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    if (!document()->isEmpty()) c.insertBlock();
    const QTextCharFormat lineFormat = formatFor(line.style);
    for (const ChatItem& item : line.items) {
        switch (item.kind) {
        case ChatItem::Label:
        case ChatItem::Text:
            c.insertText(item.text, lineFormat);
            break;
        case ChatItem::Link: {
            QTextCharFormat f = formatFor(ChatLog::LinkStyle);
            f.setAnchor(true);
            f.setAnchorHref(QStringLiteral("%1:%2").arg(LinkScheme).arg(item.linkIndex));
            c.insertText(item.text, f);
            break;
        }
        case ChatItem::Smiley: {
            QTextImageFormat img;
            img.setName(smileyUrl(item.smileyIndex).toString());
            img.setWidth(17 * m_zoom);
            img.setHeight(16 * m_zoom);
            img.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            img.setProperty(StyleProperty, line.style);
            c.insertImage(img);
            break;
        }
        }
    }
    if (!scrollOff()) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ChatView::recolour(int style, quint32 colour)
{
    QTextCharFormat f;
    f.setForeground(colourOf(colour));
    f.setFontWeight(m_log.style(style).bold ? QFont::Bold : QFont::Normal);
    QList<QPair<int, int>> ranges;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().property(StyleProperty).toInt() == style &&
                fragment.charFormat().hasProperty(StyleProperty) && !fragment.charFormat().isImageFormat())
                ranges.append({fragment.position(), fragment.length()});
        }
    }
    QTextCursor c(document());
    for (const auto& r : ranges) {
        c.setPosition(r.first);
        c.setPosition(r.first + r.second, QTextCursor::KeepAnchor);
        c.mergeCharFormat(f);
    }
}

void ChatView::resize(int points)
{
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setFontPointSize(points * m_zoom);
    c.mergeCharFormat(f);
}

void ChatView::setZoom(qreal factor)
{
    if (factor <= 0 || factor == m_zoom) return;
    m_zoom = factor;
    document()->setDocumentMargin(2 * factor);
    const int side = qRound(3 * factor);
    setViewportMargins(side, 0, side, 0);
    // The lines already shown take the new size: the text by its style's size, the smileys by
    // their box.
    resize(m_log.textSize());
    QList<int> smileys;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (int i = 0; i < it.fragment().length(); ++i) smileys.append(it.fragment().position() + i);
    QTextImageFormat box;
    box.setWidth(17 * factor);
    box.setHeight(16 * factor);
    QTextCursor c(document());
    for (int pos : smileys) {
        c.setPosition(pos);
        c.setPosition(pos + 1, QTextCursor::KeepAnchor);
        c.mergeCharFormat(box);
    }
    if (!scrollOff()) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ChatView::openLink(int index)
{
    const QUrl url = m_log.linkUrl(index);
    if (!url.isValid() || url.isEmpty()) {
        QMessageBox::warning(window(), QStringLiteral("Quornet"), QStringLiteral("Cannot open Webpage"));
        return;
    }
    emit linkOpened(url);
    if (qEnvironmentVariableIsSet("QUORNET_NO_DESKTOP")) return; // tests never start a browser
    if (!QDesktopServices::openUrl(url))
        QMessageBox::warning(window(), QStringLiteral("Quornet"), QStringLiteral("Cannot open Webpage"));
}

} // namespace quornet::table
