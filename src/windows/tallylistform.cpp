#include "windows/tallylistform.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace quornet::windows
{

namespace
{

const char* const NoSelection = QT_TRANSLATE_NOOP("quornet::windows::Ttallylist", "No player selected");

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry, int pixelSize = 12,
              bool bold = false, const char* name = nullptr)
{
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    l->setFont(f);
    l->setGeometry(geometry);
    return l;
}

QLabel* count(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* l = label(parent, QStringLiteral("0"), geometry, 13, true);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setStyleSheet(QStringLiteral("color: #103a20;"));
    return l;
}

QListWidgetItem* checkedItem(const QString& name, bool checked)
{
    auto* item = new QListWidgetItem(name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

} // namespace

Ttallylist::Ttallylist(const QString& folder, QWidget* parent) : QDialog(parent), m_book(folder)
{
    setObjectName(QStringLiteral("Ttallylist"));
    centreWhenFirstShown(this);
    setWindowTitle(tr("Quornet - Tally List"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setBackground(tableBackground());

    buildOwnPanel();
    buildPlayerPanel();
    buildLists();

    m_reset = new QPushButton(tr("Reset Tally"), this);
    m_reset->setObjectName(QStringLiteral("button_reset"));
    m_reset->setGeometry(10, 334, 110, 32);
    connect(m_reset, &QPushButton::clicked, this, &Ttallylist::resetClicked);
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(343, 334, 110, 32);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::close);

    // Start-up: an unreadable file leaves the tally empty (and is kept aside when saving).
    m_startupError = m_book.load();
    showOwnCounts();
    fillTalliedList();
}

Ttallylist::~Ttallylist()
{
    save();
}

QString Ttallylist::save()
{
    return m_book.save();
}

void Ttallylist::setBackground(const QPixmap& tile)
{
    setTiledBackground(this, tile);
}

void Ttallylist::buildOwnPanel()
{
    QFrame* own = makePanel(this, QRect(10, 10, 226, 74));
    label(own, tr("Your Total Tally"), QRect(10, 6, 206, 18), 13, true);
    label(own, tr("Total Games:"), QRect(14, 28, 120, 18));
    m_myGames = count(own, QStringLiteral("mylabel_1"), QRect(130, 28, 84, 18));
    label(own, tr("Your Wins"), QRect(14, 48, 120, 18));
    m_myWins = count(own, QStringLiteral("mylabel_2"), QRect(130, 48, 84, 18));
}

void Ttallylist::buildPlayerPanel()
{
    QFrame* his = makePanel(this, QRect(10, 94, 226, 230));
    m_nameTop = label(his, tr(NoSelection), QRect(10, 8, 206, 20), 14, true, "label_hisnametop");
    m_nameTop->setStyleSheet(QStringLiteral("color: #1a4f8a;"));
    auto* total = label(his, tr("Total"), QRect(110, 40, 46, 18), 12, true);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* session = label(his, tr("Session"), QRect(164, 40, 52, 18), 12, true);
    session->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* rule = new QFrame(his);
    rule->setGeometry(10, 62, 206, 1);
    rule->setStyleSheet(QStringLiteral("background: #9c9560;"));

    const int tops[] = {74, 112, 150, 188};
    label(his, tr("Number of Games"), QRect(10, tops[0], 116, 20));
    m_hisName = label(his, tr("Player Wins:"), QRect(10, tops[1], 116, 20), 12,

                      false, "label_hisname");
    label(his, tr("Your Wins:"), QRect(10, tops[2], 116, 20));
    label(his, tr("Wins as a Team:"), QRect(10, tops[3], 116, 20));
    for (int row = 0; row < 4; ++row) {
        m_counts[std::size_t(row + 1)] =
            count(his, QStringLiteral("label_%1").arg(row + 1), QRect(118, tops[row], 38, 20));
        m_counts[std::size_t(row + 5)] =
            count(his, QStringLiteral("label_%1").arg(row + 5), QRect(166, tops[row], 50, 20));
    }
}

void Ttallylist::buildLists()
{
    label(this, tr("Players In Current Game"), QRect(248, 10, 205, 18), 13, true);
    m_current = new QListWidget(this);
    m_current->setObjectName(QStringLiteral("checklist"));
    m_current->setGeometry(246, 30, 207, 110);
    connect(m_current, &QListWidget::itemChanged, this, &Ttallylist::currentPlayerToggled);

    label(this, tr("Players Being Tallied"), QRect(248, 150, 205, 18), 13, true);
    m_tallied = new QListWidget(this);
    m_tallied->setObjectName(QStringLiteral("listbox_tally"));
    m_tallied->setGeometry(246, 170, 207, 154);
    connect(m_tallied, &QListWidget::itemChanged, this, &Ttallylist::talliedPlayerToggled);
    connect(m_tallied, &QListWidget::itemSelectionChanged, this, &Ttallylist::showSelected);
}

void Ttallylist::fillTalliedList()
{
    const QSignalBlocker block(m_tallied);
    m_tallied->clear();
    for (const QString& name : m_book.tallied())
        m_tallied->addItem(checkedItem(name, true));
}

// The check marks of "Players In Current Game" always say who is being tallied.
void Ttallylist::syncCheckMarks()
{
    const QSignalBlocker block(m_current);
    for (int i = 0; i < m_current->count(); ++i) {
        QListWidgetItem* item = m_current->item(i);
        item->setCheckState(m_book.isTallied(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
}

void Ttallylist::showOwnCounts()
{
    m_myGames->setText(m_book.totalGames());
    m_myWins->setText(m_book.myWins());
}

void Ttallylist::loadchecklist(const QStringList& seatCaptions, int ownSeat)
{
    m_seatCaptions = seatCaptions;
    m_ownSeat = ownSeat;
    const QSignalBlocker block(m_current);
    m_current->clear();
    for (const QString& name : tally::TallyBook::playersAtTable(seatCaptions, ownSeat))
        m_current->addItem(checkedItem(name, m_book.isTallied(name)));
}

bool Ttallylist::addgame(const QString& winners)
{
    loadchecklist(m_seatCaptions, m_ownSeat);
    QStringList atTable;
    for (int i = 0; i < m_current->count(); ++i)
        atTable.append(m_current->item(i)->text());
    const bool counted = m_book.addgame(winners, atTable);
    showOwnCounts();
    showSelected();
    return counted;
}

void Ttallylist::currentPlayerToggled(QListWidgetItem* item)
{
    // Checking a player at the table starts tallying it; the list of tallied players is the
    // place to stop, with its confirmation.
    const QString name = item->text();
    if (!m_book.isTallied(name) && m_book.startTallying(name)) {
        const QSignalBlocker block(m_tallied);
        m_tallied->addItem(checkedItem(name, true));
    }
    syncCheckMarks();
}

void Ttallylist::talliedPlayerToggled(QListWidgetItem* item)
{
    if (item->checkState() == Qt::Checked) return;
    const int index = m_tallied->row(item);
    const QString name = item->text();
    const QString question = tr("This will delete %1's Tally, Are you want to delete it?").arg(name);
    if (!m_ask(this, question)) {
        const QSignalBlocker block(m_tallied);
        item->setCheckState(Qt::Checked);
        return;
    }
    m_book.stopTallying(index);
    {
        const QSignalBlocker block(m_tallied);
        delete m_tallied->takeItem(index);
    }
    syncCheckMarks();
    showSelected();
}

void Ttallylist::selectTallied(int index)
{
    if (index < 0 || index >= m_tallied->count()) {
        m_tallied->clearSelection();
        m_tallied->setCurrentRow(-1);
    } else {
        m_tallied->setCurrentRow(index);
    }
    showSelected();
}

void Ttallylist::showSelected()
{
    const QList<QListWidgetItem*> selected = m_tallied->selectedItems();
    if (selected.isEmpty()) {
        clearSelectedPanel();
        return;
    }
    const int index = m_tallied->row(selected.first());
    const QString name = m_book.tallied().value(index);
    for (int column = 1; column <= 8; ++column)
        m_counts[std::size_t(column)]->setText(m_book.playerCount(index, column));
    m_hisName->setText(tr("%1 Wins:").arg(name));
    m_nameTop->setText(tr("%1's Tally").arg(name));
}

void Ttallylist::clearSelectedPanel()
{
    for (int column = 1; column <= 8; ++column)
        m_counts[std::size_t(column)]->setText(QStringLiteral("0"));
    m_hisName->setText(tr("Player Wins:"));
    m_nameTop->setText(tr(NoSelection));
}

void Ttallylist::resetClicked()
{
    if (!m_ask(this, tr("Are you sure you want to reset the Tally?"))) return;
    m_book.reset();
    showOwnCounts();
    fillTalliedList();
    syncCheckMarks();
    clearSelectedPanel();
}

} // namespace quornet::windows
