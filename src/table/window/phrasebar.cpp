#include "table/window/phrasebar.h"

#include "table/core/tablemodel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QMenu>
#include <QToolButton>

namespace quornet::table {

namespace {
const char* const PhraseHints[] = {"Way To Go!", "Good One!",        "Nice Try!",
                                   "Excellent!", "Brilliant!",       "Wow, WTG!",
                                   "Thanks!",    "Way To Go Teamie!", "Good Game Everyone!",
                                   "See ya!"};
const widgets::PartOrigin local{QPoint(248, 24)};
} // namespace

PhraseBar::PhraseBar(TableModel& model, QWidget* menuOrigin, QWidget* parent)
    : QWidget(parent), m_model(model), m_menuOrigin(menuOrigin)
{
    setObjectName("phrase_bar");
    setGeometry(local.part(QSize(132, 44)));
    TableZoom::markPart(this);
    m_soundMenu = new QMenu(this);
    m_soundMenu->setObjectName("popup_sounds");
    m_soundMenu->addAction(QStringLiteral("<Cancel>"));
    for (int n = 1; n <= 20; ++n) {
        QAction* a = m_soundMenu->addAction(TableModel::chatterSoundCaption(n));
        a->setObjectName(QStringLiteral("wave%1").arg(n));
        connect(a, &QAction::triggered, this, [this, n] { m_model.sendChatterSound(n); });
    }
    for (int i = 1; i <= PhraseCount + 1; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i));
        b->setGeometry(local(248 + 26 * ((i - 1) % 5), i <= 5 ? 27 : 47, 25, 19));
        b->setIconSize(QSize(25, 19));
        b->setAutoRaise(true);
        b->setToolTip(QString::fromLatin1(PhraseHints[i - 1]));
        b->setFocusPolicy(Qt::NoFocus);
        m_buttons[std::size_t(i)] = b;
        if (i == PhraseCount + 1) {
            connect(b, &QToolButton::clicked, this, [this, b] {
                const QPoint corner = mapToParent(QPoint(b->geometry().right(), b->geometry().bottom()));
                m_soundMenu->popup(m_menuOrigin->mapToGlobal(corner));
            });
        } else {
            connect(b, &QToolButton::clicked, this, [this, b] { emit phraseChosen(b->toolTip()); });
        }
    }
}

void PhraseBar::setArt(const TableArt& art)
{
    for (int i = 1; i <= PhraseCount + 1; ++i) m_buttons[std::size_t(i)]->setIcon(QIcon(art.phrase[std::size_t(i - 1)]));
}

QStringList PhraseBar::phrases() const
{
    QStringList out;
    for (int n = 1; n <= PhraseCount; ++n) out << m_buttons[std::size_t(n)]->toolTip();
    return out;
}

void PhraseBar::setPhrases(const QStringList& phrases)
{
    for (int n = 1; n <= PhraseCount; ++n) m_buttons[std::size_t(n)]->setToolTip(phrases.value(n - 1));
}

} // namespace quornet::table
