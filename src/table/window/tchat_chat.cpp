// The seat-name popup, the chat entry, the smiley menu, the quick
// phrase buttons and the sound menu.
#include "protocol/colortext.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "table/window/tchat.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace quornet::table {

namespace {
const char* const PhraseHints[] = {"Way To Go!", "Good One!",        "Nice Try!",
                                   "Excellent!", "Brilliant!",       "Wow, WTG!",
                                   "Thanks!",    "Way To Go Teamie!", "Good Game Everyone!",
                                   "See ya!"};

// The chat entry: Enter sends (and is swallowed); any key first clears the prompt; the paste
// key replaces the whole text with the clipboard's, as the entry's Paste item does. The entry
// has the keyboard only when the player gives it (a click, Tab): when the window gets it back
// from a dialog, the keys go to the table.
class ChatEntryFilter : public QObject {
public:
    ChatEntryFilter(QLineEdit* entry, std::function<void()> send, QAction* paste, std::function<void()> toTable)
        : QObject(entry), m_entry(entry), m_send(std::move(send)), m_paste(paste), m_toTable(std::move(toTable)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
            QTimer::singleShot(0, m_entry, m_toTable);
            return false;
        }
        // The line edit claims the paste key for itself; ours is the Paste item's.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            event->accept();
            return true;
        }
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_entry->text() == QLatin1String(Tchat::Prompt)) m_entry->clear();
        if (key->matches(QKeySequence::Paste)) {
            m_paste->trigger();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_send();
            return true;
        }
        return false;
    }

private:
    QLineEdit* m_entry;
    std::function<void()> m_send;
    QAction* m_paste;
    std::function<void()> m_toTable;
};
} // namespace

void Tchat::showSeatPopup(int seat)
{
    const SeatPopup enabled = m_model.seatPopup(seat);
    const QList<QAction*> items = m_seatMenu->actions();
    items[0]->setEnabled(enabled.removeFromGame);
    items[1]->setEnabled(enabled.setJustWatch);
    items[2]->setEnabled(enabled.unsetJustWatch);
    const QString name = m_model.participantName(seat);
    m_muteSeat->setEnabled(!name.isEmpty() && name != m_model.state().playerName);
    m_muteSeat->setChecked(m_model.isMuted(name));
    m_popupSeat = seat;
    m_seatMenu->popup(QCursor::pos());
}

void Tchat::buildChatEntry(QWidget* p)
{
    m_entry = new QLineEdit(QString::fromLatin1(Prompt), p);
    m_entry->setObjectName("mychat");
    m_entry->setGeometry(3, 487, 206, 22);
    QFont f = m_entry->font();
    f.setPixelSize(13);
    m_entry->setFont(f);
    m_entry->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* pasteMenu = new QMenu(this);
    pasteMenu->setObjectName("PopupMenu2");
    QAction* paste = pasteMenu->addAction(QStringLiteral("Paste"));
    paste->setObjectName("Paste1");
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_entry->installEventFilter(new ChatEntryFilter(m_entry, [this] { sendEntry(); }, paste, [this] {
        if (m_entry->hasFocus()) centralWidget()->setFocus(Qt::OtherFocusReason);
    }));
    connect(paste, &QAction::triggered, this, [this] {
        const QString clip = QApplication::clipboard()->text();
        if (!clip.isEmpty()) m_entry->setText(clip);
    });
    connect(m_entry, &QWidget::customContextMenuRequested, this,
            [this, pasteMenu](const QPoint& pos) { pasteMenu->popup(m_entry->mapToGlobal(pos)); });

    m_smileyButton = new QToolButton(p);
    m_smileyButton->setObjectName("button_smilies");
    m_smileyButton->setGeometry(213, 489, 25, 19);
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

    m_soundMenu = new QMenu(this);
    m_soundMenu->setObjectName("popup_sounds");
    m_soundMenu->addAction(QStringLiteral("<Cancel>"));
    for (int n = 1; n <= 20; ++n) {
        QAction* a = m_soundMenu->addAction(TableModel::chatterSoundCaption(n));
        a->setObjectName(QStringLiteral("wave%1").arg(n));
        connect(a, &QAction::triggered, this, [this, n] { m_model.sendChatterSound(n); });
    }
    for (int i = 1; i <= 10; ++i) {
        auto* b = new QToolButton(p);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i));
        b->setGeometry(248 + 26 * ((i - 1) % 5), i <= 5 ? 27 : 47, 25, 19);
        b->setIconSize(QSize(25, 19));
        b->setAutoRaise(true);
        b->setToolTip(QString::fromLatin1(PhraseHints[i - 1]));
        b->setFocusPolicy(Qt::NoFocus);
        m_phrase[std::size_t(i)] = b;
        if (i == 10) {
            // The sound menu opens at the button's corner as measured inside the score panel.
            connect(b, &QToolButton::clicked, this, [this, b] {
                const QPoint corner(b->geometry().right(), b->geometry().bottom());
                m_soundMenu->popup(centralWidget()->mapToGlobal(corner));
            });
        } else {
            connect(b, &QToolButton::clicked, this, [this, b] {
                if (m_model.quickPhrase(b->toolTip(), m_chatColour)) m_connection.wakeTimer();
            });
        }
    }
}

void Tchat::sendEntry()
{
    if (m_model.sendit(m_entry->text(), m_chatColour)) m_entry->clear();
}

} // namespace quornet::table
