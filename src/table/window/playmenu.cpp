#include "table/window/playmenu.h"

#include "table/core/hint.h"
#include "table/core/tablemodel.h"

namespace quornet::table {

PlayMenu::PlayMenu(TableModel& model, QWidget* parent) : QMenu(QStringLiteral("&Play"), parent), m_model(model)
{
    setObjectName("PlayMenu");
    TableModel* m = &m_model;
    connect(key(QStringLiteral("Draw Cards"), "KeyDraw", Qt::Key_D), &QAction::triggered, m, &TableModel::clickDraw);
    connect(key(QStringLiteral("Pick Up Pile"), "KeyPickup", Qt::Key_P), &QAction::triggered, m, &TableModel::clickPickup);
    addSeparator();
    connect(key(QStringLiteral("Previous Card"), "KeyLeft", Qt::Key_Left), &QAction::triggered, m, [m] { m->moveKeyCursor(-1); });
    connect(key(QStringLiteral("Next Card"), "KeyRight", Qt::Key_Right), &QAction::triggered, m, [m] { m->moveKeyCursor(+1); });
    connect(key(QStringLiteral("Pick or Lower the Card"), "KeyPick", Qt::Key_Space), &QAction::triggered, m, &TableModel::keyPick);
    addSeparator();
    for (int place = 1; place <= PlaceCount; ++place) {
        const QByteArray name = "KeyPlace" + QByteArray::number(place);
        connect(key(QStringLiteral("Lay on Box %1").arg(place), name.constData(), QKeySequence(Qt::Key_0 + place)),
                &QAction::triggered, m, [m, place] { m->clickPlace(place); });
    }
    connect(key(QStringLiteral("Create Book"), "KeyCreate", Qt::Key_C), &QAction::triggered, m, &TableModel::clickCreate);
    addSeparator();
    connect(key(QStringLiteral("Next Book"), "KeyNextBook", Qt::Key_B), &QAction::triggered, m, [m] { m->moveBookCursor(+1); });
    connect(key(QStringLiteral("Previous Book"), "KeyPreviousBook", QKeySequence(Qt::SHIFT | Qt::Key_B)), &QAction::triggered, m,
            [m] { m->moveBookCursor(-1); });
    connect(key(QStringLiteral("Add to the Book"), "KeyAddToBook", Qt::Key_A), &QAction::triggered, m, &TableModel::keyAddToBook);
    addSeparator();
    connect(key(QStringLiteral("Discard"), "KeyDiscard", Qt::Key_X), &QAction::triggered, m, &TableModel::clickDiscard);
    addSeparator();
    // The item stays in the menu when the single keys are off; only its key H goes with them.
    m_hint = addAction(QStringLiteral("Hint"));
    m_hint->setObjectName("Hint1");
    m_hint->setShortcutContext(Qt::WindowShortcut);
    connect(m_hint, &QAction::triggered, this, [this] { m_model.hint(m_expertHints ? bots::Level::Expert : bots::Level::Strong); });
    addSeparator();
    connect(key(QStringLiteral("Play with the Keyboard"), "KeyTable", Qt::Key_Escape), &QAction::triggered, this,
            &PlayMenu::tableFocusWanted);
    m_keyboardPlay = addAction(QStringLiteral("Keyboard Play"));
    m_keyboardPlay->setObjectName("KeyboardPlay1");
    m_keyboardPlay->setCheckable(true);
    m_keyboardPlay->setChecked(true);
    connect(m_keyboardPlay, &QAction::toggled, this, [this](bool on) {
        for (QAction* a : m_keys) a->setEnabled(on);
        sync();
        emit keysOnChanged(on);
    });
    connect(&m_model, &TableModel::changed, this, &PlayMenu::sync);
}

// Single keys act while the chat line does not have the keyboard: a click on the table or Esc
// takes it from there.
QAction* PlayMenu::key(const QString& caption, const char* name, const QKeySequence& shortcut)
{
    QAction* a = addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    m_keys.append(a);
    return a;
}

bool PlayMenu::keysOn() const { return m_keyboardPlay->isChecked(); }

void PlayMenu::sync()
{
    m_hint->setShortcut(keysOn() ? QKeySequence(Qt::Key_H) : QKeySequence());
    m_hint->setEnabled(hintAvailable(m_model.state()));
}

} // namespace quornet::table
