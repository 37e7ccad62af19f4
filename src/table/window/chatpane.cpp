#include "table/window/chatpane.h"

#include "table/core/tablemodel.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace quornet::table {

using namespace widgets;

namespace {
const PartOrigin local{QPoint(0, 312)};
} // namespace

ChatPane::ChatPane(TableModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName("chat_pane");
    setGeometry(local.part(QSize(392, 200)));
    TableZoom::markPart(this);
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(local(3, 316, 384, 173));
    m_view = new ChatView(m_model.chat(), this);
    m_view->setGeometry(local(4, 317, 381, 169));
    TableZoom::markOwnText(m_view);
    m_greenArrow = picture(this, QStringLiteral("image_greenarrow"), local(4, 314, 106, 22));
    m_blueArrow = picture(this, QStringLiteral("image_bluearrow"), local(280, 353, 106, 22));
    buildEntry();
    buildSmileys();
    m_logo = clickPicture(this, QStringLiteral("image_logo"), local(243, 487, 146, 24));
    m_logo->setCursor(Qt::PointingHandCursor);
    connect(m_logo, &ClickLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit logoClicked();
    });
    connect(m_view, &ChatView::clearedByUser, this, [this] { m_entry->setFocus(); });
    connect(&m_model, &TableModel::changed, this, &ChatPane::sync);
}

void ChatPane::buildEntry()
{
    m_entry = new QLineEdit(QString::fromLatin1(Prompt), this);
    m_entry->setObjectName("mychat");
    m_entry->setGeometry(local(3, 487, 206, 22));
    QFont f = m_entry->font();
    f.setPixelSize(13);
    m_entry->setFont(f);
    m_entry->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* pasteMenu = new QMenu(this);
    pasteMenu->setObjectName("PopupMenu2");
    m_paste = pasteMenu->addAction(QStringLiteral("Paste"));
    m_paste->setObjectName("Paste1");
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_entry->installEventFilter(this);
    connect(m_paste, &QAction::triggered, this, &ChatPane::paste);
    connect(m_entry, &QWidget::customContextMenuRequested, this,
            [this, pasteMenu](const QPoint& pos) { pasteMenu->popup(m_entry->mapToGlobal(pos)); });
}

void ChatPane::buildSmileys()
{
    m_smileyButton = new QToolButton(this);
    m_smileyButton->setObjectName("button_smilies");
    m_smileyButton->setGeometry(local(213, 489, 25, 19));
    m_smileyButton->setIconSize(QSize(25, 19));
    m_smileyButton->setAutoRaise(true);
    m_smileyMenu = new QMenu(this);
    m_smileyMenu->setObjectName("popup_smilies");
    for (int code = 10; code <= 27; ++code) {
        QAction* a = m_smileyMenu->addAction(QStringLiteral(":)#%1").arg(code));
        a->setObjectName(QStringLiteral("Smiley%1").arg(code));
        connect(a, &QAction::triggered, this, [this, code] {
            if (m_entry->text() == QLatin1String(Prompt)) m_entry->clear();
            m_entry->setText(m_entry->text() + QStringLiteral(":)#%1").arg(code));
            m_entry->deselect();
            m_entry->end(false);
        });
    }
    connect(m_smileyButton, &QToolButton::clicked, this, [this] {
        m_smileyMenu->popup(m_smileyButton->mapToGlobal(QPoint(m_smileyButton->width(), m_smileyButton->height())));
    });
}

void ChatPane::setArt(const TableArt& art)
{
    m_greenArrow->setPixmap(art.greenArrow);
    m_blueArrow->setPixmap(art.blueArrow);
    m_logo->setPixmap(art.logo);
    m_view->setSmileys(art.smileys);
    m_smileyButton->setIcon(QIcon(art.smileyButton));
    const QList<QAction*> smileys = m_smileyMenu->actions();
    for (int i = 0; i < smileys.size(); ++i) smileys[i]->setIcon(QIcon(art.smileys.value(i)));
}

void ChatPane::setChatColour(quint32 colour)
{
    m_colour = colour;
    QPalette p = m_entry->palette();
    p.setColor(QPalette::Text, bgr(colour));
    m_entry->setPalette(p);
}

void ChatPane::setZoom(const TableZoom& zoom) { m_view->setZoom(zoom.factor()); }

void ChatPane::sync()
{
    const TableState& s = m_model.state();
    m_greenArrow->setVisible(s.greenArrowVisible);
    m_blueArrow->setVisible(s.blueArrowVisible);
}

void ChatPane::sendEntry()
{
    if (!m_model.sendit(m_entry->text(), m_colour)) return;
    m_entry->clear();
    // The keys go back to the table, so the play keys (D, X, ...) play instead of typing.
    window()->setFocus(Qt::OtherFocusReason);
}

void ChatPane::paste()
{
    const QString clip = QApplication::clipboard()->text();
    if (!clip.isEmpty()) m_entry->setText(clip);
}

bool ChatPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_entry) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
        QTimer::singleShot(0, m_entry, [this] {
            if (m_entry->hasFocus()) emit tableFocusWanted();
        });
        return false;
    }
    // The line edit claims the paste key for itself; ours is the Paste item's.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (m_entry->text() == QLatin1String(Prompt)) m_entry->clear();
    if (key->matches(QKeySequence::Paste)) {
        m_paste->trigger();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        sendEntry();
        return true;
    }
    return false;
}

} // namespace quornet::table
