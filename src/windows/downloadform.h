// Tdownload, the lobby download window shown over the solo game: download and install the
// Vexo42 Lobby, start the lobby when it is installed, or go on with the solo game.
//
// Wiring by the table window: show it at a solo start; connect exitRequested() to File > Exit
// and playWithOthersRequested() to its play dialog.
// Tests replace the installer's URL, the target folder, the program starter, the lobby finder
// and the message box.
#pragma once

#include "windows/sidewindow.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace quornet::windows
{

class InstallerDownload;

class Tdownload : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 724;
    static constexpr int ClientHeight = 500;
    static inline const QString InstallerUrl =
        QStringLiteral("https://downloads.vexo42.example/lobby/Vexo42LobbySetup.exe");
    static inline const QStringList InstallerArguments = {
        QStringLiteral("/SP-"), QStringLiteral("/silent"), QStringLiteral("/noicons")};
    static inline const QString WindowsLobbyPath =
        QStringLiteral("C:\\Program Files\\Vexo42\\Vexo42Lobby.exe");

    // Download state kept in infolabel's tag.
    enum State { Idle = 0, Downloading = 1, Aborted = 2 };

    // Starts a program with arguments, detached; false when the start failed.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
    // The lobby program's path, empty when it is not installed.
    using LobbyFinder = std::function<QString()>;

    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    // The lobby program: "C:\Program Files\Vexo42\Vexo42Lobby.exe" on Windows; elsewhere
    // Vexo42Lobby on the PATH or under /opt/vexo42/. Empty when none is there.
    static QString findLobbyProgram();
    // The program's folder when it can be written, otherwise the user's download folder.
    static QString defaultTargetFolder();

    void setInstallerUrl(const QUrl& url) { m_url = url; }
    QUrl installerUrl() const { return m_url; }
    void setTargetFolder(const QString& folder) { m_folder = folder; }
    QString targetFolder() const { return m_folder; }
    void setLauncher(Launcher launcher) { m_launch = std::move(launcher); }
    void setLobbyFinder(LobbyFinder finder) { m_findLobby = std::move(finder); }
    void setTellFunction(TellFunction tell) { m_tell = std::move(tell); }
    void setBackground(const QPixmap& tile);
    void setDontShowAgain(bool dontShow);
    bool dontShowAgain() const;

    State state() const;
    QString infoText() const;     // infolabel
    QString infoText3() const;    // infolabel3
    QString fileNameText() const; // infolabel2 (hidden)
    // Why the last transfer failed (empty after a complete one).
    QString lastError() const { return m_lastError; }

    // The buttons' actions.
    void downloadAndInstall(); // getbutton
    void stopDownload();       // abortbutton
    void playSolo();           // "Play Solo Game"
    void playWithOthers();     // "Play with Others"

signals:
    // The installer or the lobby was started: the program ends as File > Exit does.
    void exitRequested();
    // "Play with Others" without a lobby program: the window closes and the table window's
    // play dialog takes over.
    void playWithOthersRequested();
    // infolabel or infolabel3 changed.
    void statusChanged();
    // "Don't show this again" was checked or unchecked.
    void dontShowAgainChanged(bool dontShow);

private:
    void buildLeftPanel();
    void buildRightPanels();
    void setState(State state);
    void setInfo(const QString& text);
    void setInfo3(const QString& text);
    void transferEnded(bool complete, const QString& error);

    QUrl m_url;
    QString m_folder;
    Launcher m_launch;
    LobbyFinder m_findLobby;
    TellFunction m_tell = tellUser;
    InstallerDownload* m_download = nullptr;
    QString m_lastError;

    QPushButton* m_get = nullptr;   // getbutton
    QPushButton* m_abort = nullptr; // abortbutton
    QLabel* m_info = nullptr;       // infolabel
    QLabel* m_info3 = nullptr;      // infolabel3
    QLabel* m_info2 = nullptr;      // infolabel2
    QCheckBox* m_dontShow = nullptr;
};

} // namespace quornet::windows
