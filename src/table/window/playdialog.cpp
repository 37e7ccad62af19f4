#include "table/window/playdialog.h"

#include "net/ports.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quornet::table {

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int HostRole = Qt::UserRole + 1;
constexpr int PortRole = Qt::UserRole + 2;
constexpr int PasswordNeededRole = Qt::UserRole + 3;

QSpinBox* portBox(QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(1, 65535);
    box->setValue(net::DefaultTablePort);
    return box;
}

QLineEdit* nameField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(24); // the host cuts names there
    field->setPlaceholderText(PlayDialog::tr("Your name at the table"));
    return field;
}

// A typed address names its port when it reads as more than the host alone.
bool namesPort(const QString& text, const net::InviteLink& link)
{
    const QString t = text.trimmed();
    return t != link.host && t != '[' + link.host + ']';
}
} // namespace

PlayDialog::PlayDialog(QWidget* parent) : QDialog(parent), m_discoveryPort(net::discoveryPortFromEnvironment())
{
    setObjectName(QStringLiteral("PlayDialog"));
    setWindowTitle(tr("Play with Others"));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildHostTab(), tr("Host a Table"));
    m_tabs->addTab(buildJoinTab(), tr("Join a Table"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PlayDialog::tabChanged);

    connect(&m_finder, &net::TableFinder::tableFound, this, &PlayDialog::foundChanged);
    connect(&m_finder, &net::TableFinder::tableUpdated, this, &PlayDialog::foundChanged);
    connect(&m_finder, &net::TableFinder::tableGone, this, &PlayDialog::foundGone);
    resize(620, 520);
}

QWidget* PlayDialog::buildHostTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("host_tab"));
    m_hostName = nameField(tab);
    m_hostName->setObjectName(QStringLiteral("host_name"));
    m_hostPort = portBox(tab);
    m_hostPort->setObjectName(QStringLiteral("host_port"));
    m_hostPassword = new QLineEdit(tab);
    m_hostPassword->setObjectName(QStringLiteral("host_password"));
    m_hostPassword->setMaxLength(net::MaxPasswordChars);
    m_hostPassword->setPlaceholderText(tr("None: anybody who knows the address may join"));
    m_findable = new QCheckBox(tr("Let players on this network find the table"), tab);
    m_findable->setObjectName(QStringLiteral("host_findable"));
    m_findable->setChecked(true);
    m_router = new QCheckBox(tr("Open the port on my router"), tab);
    m_router->setObjectName(QStringLiteral("host_router"));
    m_router->setChecked(true);
    m_reach = new QLabel(tab);
    m_reach->setObjectName(QStringLiteral("host_reach"));
    m_reach->setWordWrap(true);
    m_reach->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_hostButton = new QPushButton(tr("Host"), tab);
    m_hostButton->setObjectName(QStringLiteral("host_button"));
    connect(m_hostButton, &QPushButton::clicked, this, &PlayDialog::host);

    auto* form = new QFormLayout;
    form->addRow(tr("Your name:"), m_hostName);
    form->addRow(tr("Port:"), m_hostPort);
    form->addRow(tr("Password:"), m_hostPassword);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(m_findable);
    layout->addWidget(m_router);
    layout->addWidget(m_reach, 1, Qt::AlignTop);
    layout->addWidget(m_hostButton, 0, Qt::AlignRight);
    for (QWidget* w : {static_cast<QWidget*>(m_hostName), static_cast<QWidget*>(m_hostPassword)})
        connect(static_cast<QLineEdit*>(w), &QLineEdit::editingFinished, this, &PlayDialog::fieldsChanged);
    connect(m_findable, &QCheckBox::toggled, this, &PlayDialog::fieldsChanged);
    connect(m_router, &QCheckBox::toggled, this, &PlayDialog::fieldsChanged);
    return tab;
}

QWidget* PlayDialog::buildJoinTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("join_tab"));
    m_joinName = nameField(tab);
    m_joinName->setObjectName(QStringLiteral("join_name"));
    m_address = new QLineEdit(tab);
    m_address->setObjectName(QStringLiteral("join_address"));
    m_address->setMaxLength(net::MaxLinkChars);
    m_address->setPlaceholderText(tr("An address, or an invite link (quornet://...)"));
    connect(m_address, &QLineEdit::textEdited, this, &PlayDialog::addressEdited);
    m_joinPort = portBox(tab);
    m_joinPort->setObjectName(QStringLiteral("join_port"));
    m_joinPassword = new QLineEdit(tab);
    m_joinPassword->setObjectName(QStringLiteral("join_password"));
    m_joinPassword->setMaxLength(net::MaxPasswordChars);
    m_joinPassword->setPlaceholderText(tr("Only when the table needs one"));

    m_found = new QTreeWidget(tab);
    m_found->setObjectName(QStringLiteral("join_found"));
    m_found->setRootIsDecorated(false);
    m_found->setColumnCount(ColumnCount);
    m_found->setHeaderLabels({tr("Host"), tr("Address"), tr("Seats"),
                              tr("Game"), tr("Password"), tr("Version")});
    m_found->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_found->setSortingEnabled(true);
    m_found->sortByColumn(ColumnAddress, Qt::AscendingOrder);
    connect(m_found, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { foundChosen(item); });
    connect(m_found, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        foundChosen(item);
        join();
    });
    m_findState = new QLabel(tab);
    m_findState->setObjectName(QStringLiteral("join_find_state"));
    m_findState->setWordWrap(true);

    m_recent = new QListWidget(tab);
    m_recent->setObjectName(QStringLiteral("join_recent"));
    connect(m_recent, &QListWidget::currentRowChanged, this, &PlayDialog::recentChosen);
    connect(m_recent, &QListWidget::itemActivated, this, [this] {
        if (currentTab() == Tab::Join) join();
        else host();
    });

    m_joinButton = new QPushButton(tr("Join"), tab);
    m_joinButton->setObjectName(QStringLiteral("join_button"));
    connect(m_joinButton, &QPushButton::clicked, this, &PlayDialog::join);

    auto* form = new QFormLayout;
    form->addRow(tr("Your name:"), m_joinName);
    form->addRow(tr("Address:"), m_address);
    form->addRow(tr("Port:"), m_joinPort);
    form->addRow(tr("Password:"), m_joinPassword);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Tables on this network:"), tab));
    layout->addWidget(m_found, 3);
    layout->addWidget(m_findState);
    layout->addWidget(new QLabel(tr("Your last tables:"), tab));
    layout->addWidget(m_recent, 2);
    layout->addWidget(m_joinButton, 0, Qt::AlignRight);
    for (QLineEdit* e : {m_joinName, m_address, m_joinPassword})
        connect(e, &QLineEdit::editingFinished, this, &PlayDialog::fieldsChanged);
    return tab;
}

void PlayDialog::load(const settings::PlaySettings& s)
{
    m_hostName->setText(s.playerName);
    m_joinName->setText(s.playerName);
    m_hostPort->setValue(s.hostPort);
    m_hostPassword->setText(s.hostPassword);
    m_findable->setChecked(s.hostFindable);
    m_router->setChecked(s.hostRouter);
    m_address->setText(s.joinAddress);
    m_joinPort->setValue(s.joinPort);
    m_joinPassword->setText(s.joinPassword);
    m_recentTables = s.recent;
    fillRecent();
    showTab(s.tab == QLatin1String("host") ? Tab::Host : Tab::Join);
}

settings::PlaySettings PlayDialog::values() const
{
    settings::PlaySettings s;
    s.playerName = (currentTab() == Tab::Host ? m_hostName : m_joinName)->text().trimmed();
    s.hostPort = quint16(m_hostPort->value());
    s.hostPassword = m_hostPassword->text();
    s.hostFindable = m_findable->isChecked();
    s.hostRouter = m_router->isChecked();
    s.joinAddress = m_address->text().trimmed();
    s.joinPort = quint16(m_joinPort->value());
    s.joinPassword = m_joinPassword->text();
    s.tab = currentTab() == Tab::Host ? QStringLiteral("host") : QStringLiteral("join");
    s.recent = m_recentTables;
    return s;
}

void PlayDialog::showTab(Tab tab)
{
    m_tabs->setCurrentIndex(int(tab));
    tabChanged();
}

PlayDialog::Tab PlayDialog::currentTab() const { return m_tabs->currentIndex() == 0 ? Tab::Host : Tab::Join; }

void PlayDialog::tabChanged()
{
    // Return presses the tab's own button; the name follows from tab to tab.
    const bool hosting = currentTab() == Tab::Host;
    m_hostButton->setDefault(hosting);
    m_joinButton->setDefault(!hosting);
    QLineEdit* from = hosting ? m_joinName : m_hostName;
    QLineEdit* to = hosting ? m_hostName : m_joinName;
    if (!from->text().trimmed().isEmpty()) to->setText(from->text());
}

void PlayDialog::fillFromLink(const net::InviteLink& link)
{
    m_address->setText(link.host);
    m_joinPort->setValue(link.port);
    m_joinPassword->setText(link.password);
    showTab(Tab::Join);
    m_joinButton->setFocus();
}

void PlayDialog::setReachability(const QStringList& sentences) { m_reach->setText(sentences.join('\n')); }

void PlayDialog::addressEdited(const QString& text)
{
    // A pasted link fills the port and the password as well.
    if (!text.trimmed().startsWith(QLatin1String("quornet:"), Qt::CaseInsensitive)) return;
    const net::LinkParse parse = net::parseInviteLink(text);
    if (!parse.ok) return;
    m_address->setText(parse.link.host);
    m_joinPort->setValue(parse.link.port);
    if (!parse.link.password.isEmpty()) m_joinPassword->setText(parse.link.password);
}

HostRequest PlayDialog::hostRequest() const
{
    HostRequest r;
    r.playerName = m_hostName->text().trimmed();
    r.port = quint16(m_hostPort->value());
    r.password = m_hostPassword->text();
    r.findable = m_findable->isChecked();
    r.openRouterPort = m_router->isChecked();
    return r;
}

JoinRequest PlayDialog::joinRequest(QString* error) const
{
    JoinRequest r;
    r.playerName = m_joinName->text().trimmed();
    r.password = m_joinPassword->text();
    const QString text = m_address->text().trimmed();
    const net::LinkParse parse = net::parseInviteLink(text);
    if (text.isEmpty() || !parse.ok) {
        if (error)
            *error = text.isEmpty() ? tr("Type the address of the table, or choose one found on this network.")
                                    : parse.error;
        return r;
    }
    r.host = parse.link.host;
    r.port = namesPort(text, parse.link) ? parse.link.port : quint16(m_joinPort->value());
    if (!parse.link.password.isEmpty()) r.password = parse.link.password;
    return r;
}

void PlayDialog::host()
{
    const HostRequest r = hostRequest();
    if (r.playerName.isEmpty()) {
        QMessageBox::information(this, windowTitle(), tr("Type the name the others will see."));
        m_hostName->setFocus();
        return;
    }
    emit fieldsChanged();
    emit hostRequested(r);
}

void PlayDialog::join()
{
    QString error;
    const JoinRequest r = joinRequest(&error);
    if (r.playerName.isEmpty()) {
        QMessageBox::information(this, windowTitle(), tr("Type the name the others will see."));
        m_joinName->setFocus();
        return;
    }
    if (r.host.isEmpty()) {
        QMessageBox::information(this, windowTitle(), error);
        m_address->setFocus();
        return;
    }
    emit fieldsChanged();
    emit joinRequested(r);
}

void PlayDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_finder.isRunning()) return;
    m_found->clear();
    QString error;
    if (m_finder.start(m_discoveryPort, &error))
        m_findState->setText(tr("Looking for tables on this network..."));
    else
        m_findState->setText(error);
}

void PlayDialog::hideEvent(QHideEvent* event)
{
    m_finder.stop();
    QDialog::hideEvent(event);
}

void PlayDialog::foundChanged(const net::FoundTable& t)
{
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < m_found->topLevelItemCount() && !item; ++i)
        if (m_found->topLevelItem(i)->data(0, KeyRole).toString() == t.key) item = m_found->topLevelItem(i);
    if (!item) {
        item = new QTreeWidgetItem(m_found);
        item->setData(0, KeyRole, t.key);
    }
    const QString host = t.address.toString();
    item->setData(0, HostRole, host);
    item->setData(0, PortRole, t.table.port);
    item->setData(0, PasswordNeededRole, t.table.passwordNeeded);
    item->setText(ColumnName, t.table.name);
    item->setText(ColumnAddress, net::hostAndPort(host, t.table.port));
    item->setText(ColumnSeats, QStringLiteral("%1/4").arg(t.table.seatsTaken));
    item->setText(ColumnGame, t.table.gameRunning ? tr("game running") : QStringLiteral("waiting"));
    item->setText(ColumnPassword, t.table.passwordNeeded ? QStringLiteral("password") : QString());
    item->setText(ColumnVersion, t.table.version);
    showFoundCount();
}

void PlayDialog::showFoundCount()
{
    const int n = m_found->topLevelItemCount();
    m_findState->setText(n == 1 ? tr("1 table found on this network.")
                                : tr("%1 tables found on this network.").arg(n));
}

void PlayDialog::foundGone(const QString& key)
{
    for (int i = 0; i < m_found->topLevelItemCount(); ++i)
        if (m_found->topLevelItem(i)->data(0, KeyRole).toString() == key) delete m_found->takeTopLevelItem(i--);
    showFoundCount();
}

void PlayDialog::foundChosen(QTreeWidgetItem* item)
{
    if (!item) return;
    m_address->setText(item->data(0, HostRole).toString());
    m_joinPort->setValue(item->data(0, PortRole).toInt());
    if (item->data(0, PasswordNeededRole).toBool() && m_joinPassword->text().isEmpty()) m_joinPassword->setFocus();
}

void PlayDialog::fillRecent()
{
    m_recent->clear();
    for (const settings::RecentTable& t : m_recentTables) {
        const QString where = net::hostAndPort(t.host, t.port);
        m_recent->addItem(t.role == settings::RecentTable::Role::Hosted
                              ? tr("Hosted on port %1 as %2").arg(t.port).arg(t.name)
                              : tr("Joined %1 as %2").arg(where, t.name));
    }
}

void PlayDialog::recentChosen(int row)
{
    if (row < 0 || row >= m_recentTables.size()) return;
    const settings::RecentTable& t = m_recentTables[row];
    if (t.role == settings::RecentTable::Role::Hosted) {
        m_hostPort->setValue(t.port);
        m_hostName->setText(t.name);
        showTab(Tab::Host);
        return;
    }
    m_address->setText(t.host);
    m_joinPort->setValue(t.port);
    m_joinName->setText(t.name);
}

} // namespace quornet::table
