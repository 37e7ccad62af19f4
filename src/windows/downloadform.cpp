#include "windows/downloadform.h"

#include "platform/folders.h"
#include "windows/installerdownload.h"
#include "windows/lobbyart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace quornet::windows
{

namespace
{

const char* const TagProperty = "tag";

QLabel* text(QWidget* parent, const QString& content, const QRect& geometry, int pixelSize,
             bool bold = false)
{
    auto* l = new QLabel(content, parent);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    l->setFont(f);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setGeometry(geometry);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name,
                    const QRect& geometry, bool bold = true)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    QFont f = b->font();
    f.setPixelSize(13);
    f.setBold(bold);
    b->setFont(f);
    b->setGeometry(geometry);
    return b;
}

} // namespace

Tdownload::Tdownload(QWidget* parent)
    : QDialog(parent), m_url(InstallerUrl), m_folder(defaultTargetFolder()),
      m_launch([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }),
      m_findLobby(&Tdownload::findLobbyProgram), m_download(new InstallerDownload(this))
{
    setObjectName(QStringLiteral("Tdownload"));
    centreWhenFirstShown(this, false); // on the desktop
    setWindowTitle(tr("Download The Vexo42 Lobby"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setBackground(tableBackground());
    buildLeftPanel();
    buildRightPanels();

    connect(m_download, &InstallerDownload::headersArrived, this,
            [this] { setInfo(m_info->text() + QLatin1Char('.')); });
    connect(m_download, &InstallerDownload::bodyStarted, this,
            [this] { setInfo3(tr("Downloading: %1").arg(m_info2->text())); });
    connect(m_download, &InstallerDownload::progress, this, [this](qint64 received) {
        setInfo(tr("%1 bytes").arg(received));
    });
    connect(m_download, &InstallerDownload::finished, this, &Tdownload::transferEnded);
}

Tdownload::~Tdownload() = default;

void Tdownload::buildLeftPanel()
{
    QFrame* left = makePanel(this, QRect(8, 8, 400, ClientHeight - 16));
    auto* picture = new QLabel(left);
    picture->setObjectName(QStringLiteral("image_lobby"));
    picture->setGeometry(10, 10, 380, 200);
    picture->setPixmap(drawLobbyPicture(picture->size(), devicePixelRatioF()));

    text(left,
         tr("Download The Vexo42 Lobby Now to play this  and other exciting games "
            "online with other players! "),
         QRect(16, 220, 368, 62), 14, true)
        ->setStyleSheet(QStringLiteral("color: #1a4f8a;"));
    m_get = button(left, tr("Download And Install The Vexo42 Lobby Now"), "getbutton",
                   QRect(30, 290, 340, 40));
    connect(m_get, &QPushButton::clicked, this, &Tdownload::downloadAndInstall);
    m_abort = button(left, tr("Stop Download"), "abortbutton", QRect(130, 338, 140, 30),
                     false);
    m_abort->setEnabled(false);
    connect(m_abort, &QPushButton::clicked, this, &Tdownload::stopDownload);

    m_info = text(left, QString(), QRect(20, 382, 360, 22), 14, true);
    m_info->setObjectName(QStringLiteral("infolabel"));
    m_info->setProperty(TagProperty, int(Idle));
    m_info3 = text(left, QString(), QRect(20, 408, 360, 22), 13);
    m_info3->setObjectName(QStringLiteral("infolabel3"));
    m_info2 = text(left, QString(), QRect(20, 434, 360, 20), 12);
    m_info2->setObjectName(QStringLiteral("infolabel2"));
    m_info2->hide();
}

void Tdownload::buildRightPanels()
{
    QFrame* upper = makePanel(this, QRect(416, 8, 300, 276));
    text(upper,
         tr("To proceed to the game without the ability to play against others click "
            "the button below."),
         QRect(16, 18, 268, 60), 14);
    auto* solo =
        button(upper, tr("Play Solo Game"), "button_solo", QRect(60, 92, 180, 40));
    solo->setDefault(true);
    solo->setAutoDefault(true);
    connect(solo, &QPushButton::clicked, this, &Tdownload::playSolo);
    // A solo player who never wants the lobby is not asked at every start; Help > Vexo42 Lobby
    // still shows this window.
    m_dontShow = new QCheckBox(tr("Don't show this again"), upper);
    m_dontShow->setObjectName("check_dontshow");
    m_dontShow->setGeometry(60, 134, 220, 20);
    connect(m_dontShow, &QCheckBox::toggled, this, &Tdownload::dontShowAgainChanged);
    text(upper,
         tr("Note: Even if you are playing offline, you will need to configure your "
            "FIREWALL to allow the game to access the internet components."),
         QRect(16, 156, 268, 100), 13)
        ->setStyleSheet(QStringLiteral("color: #7a1a10;"));

    QFrame* lower = makePanel(this, QRect(416, 292, 300, ClientHeight - 300));
    text(
        lower,
        tr("If you already have The Vexo42 Lobby and you wish to play with others then "
           "click the button below to close this game and open The Vexo42 Lobby."),

        QRect(16, 16, 268, 96), 14);
    auto* others =
        button(lower, tr("Play with Others"), "button_others", QRect(60, 126, 180, 40));
    others->setAutoDefault(false);
    connect(others, &QPushButton::clicked, this, &Tdownload::playWithOthers);
    m_get->setAutoDefault(false);
    m_abort->setAutoDefault(false);
}

void Tdownload::setDontShowAgain(bool dontShow)
{
    const QSignalBlocker block(m_dontShow);
    m_dontShow->setChecked(dontShow);
}

bool Tdownload::dontShowAgain() const { return m_dontShow->isChecked(); }

QString Tdownload::findLobbyProgram()
{
#ifdef Q_OS_WIN
    return QFileInfo(WindowsLobbyPath).isFile() ? WindowsLobbyPath : QString();
#else
    const QString name = QStringLiteral("Vexo42Lobby");
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {QStringLiteral("/opt/vexo42")});
    return found;
#endif
}

QString Tdownload::defaultTargetFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    if (platform::isWritableFolder(program)) return program;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder;
}

void Tdownload::setBackground(const QPixmap& tile)
{
    setTiledBackground(this, tile);
}

Tdownload::State Tdownload::state() const
{
    return State(m_info->property(TagProperty).toInt());
}

QString Tdownload::infoText() const
{
    return m_info->text();
}

QString Tdownload::infoText3() const
{
    return m_info3->text();
}

QString Tdownload::fileNameText() const
{
    return m_info2->text();
}

void Tdownload::setState(State state)
{
    m_info->setProperty(TagProperty, int(state));
}

void Tdownload::setInfo(const QString& text)
{
    m_info->setText(text);
    emit statusChanged();
}

void Tdownload::setInfo3(const QString& text)
{
    m_info3->setText(text);
    emit statusChanged();
}

void Tdownload::downloadAndInstall()
{
    if (m_download->running()) return;
    setState(Downloading);
    m_info2->setText(InstallerDownload::fileNameOf(m_url));
    m_get->setEnabled(false);
    m_abort->setEnabled(true);
    setInfo(tr("Loading"));
    QString error;
    if (!m_download->start(m_url, m_folder, &error)) transferEnded(false, error);
}

void Tdownload::transferEnded(bool complete, const QString& error)
{
    m_lastError.clear();
    if (complete) {
        setInfo(tr("Received %1 bytes").arg(m_download->received()));
    } else {
        // Stop Download writes its own texts.
        if (state() != Aborted) setInfo(tr("Download Aborted"));
        m_lastError = error;
        setState(Aborted);
    }
    m_get->setEnabled(true);
    m_abort->setEnabled(false);
    if (state() == Aborted) return;

    setInfo3(tr("Installing"));
    if (!m_launch(m_download->targetPath(), InstallerArguments)) {
        m_tell(this, tr("An Error has Occurred."));
        return;
    }
    emit exitRequested();
}

void Tdownload::stopDownload()
{
    setState(Aborted);
    m_download->abort();
    setInfo(tr("Download has been aborted."));
    setState(Aborted);
    setInfo3(tr("Download Aborted"));
}

void Tdownload::playSolo()
{
    close();
}

void Tdownload::playWithOthers()
{
    const QString lobby = m_findLobby ? m_findLobby() : QString();
    if (lobby.isEmpty() || !QFileInfo(lobby).isFile()) {
        // No lobby program here: the table window's own dialog hosts and joins tables.
        hide();
        emit playWithOthersRequested();
        return;
    }
    if (!m_launch(lobby, {})) {
        m_tell(this, tr("An Error has Occurred."));
        return;
    }
    emit exitRequested();
}

} // namespace quornet::windows
