// Tchat: the table window every participant runs. It is the frame: it owns the menus, the
// settings, the zoom and the side windows, and puts together the parts that each own one region
// of the table and follow the TableModel themselves: the two team boards, the seat strip, the
// quick phrases, the play area, the hand and the chat pane. It owns the model and the connection
// to the host; where the window plays and how it gets there is PlayingWithOthers' share, the
// games kept between runs KeptGames'.
#pragma once

#include "settings/tablesettings.h"
#include "table/core/tablemodel.h"
#include "table/sound/soundplayer.h"
#include "table/window/connectionwatch.h"
#include "table/window/keptgames.h"
#include "table/window/statefile.h"
#include "table/window/tableart.h"
#include "table/window/tableconnection.h"
#include "table/window/tablezoom.h"

#include <QMainWindow>
#include <QTcpSocket>
#include <QMessageBox>
#include <QPoint>
#include <QPointer>
#include <QWindow>
#include <QTimer>

#include <array>
#include <memory>

class QMenu;

namespace quornet::host {
class TServer;
}
namespace quornet::windows {
class Tgamestartform;
class Tspylist;
class Tphrases;
class Ttallylist;
class Thelp;
class Tabout;
class Tdownload;
}

namespace quornet::table {

class ChatPane;
class ChatView;
class HandView;
class OptionsMenu;
class PhraseBar;
class PlayArea;
class PlayMenu;
class SeatMenu;
class SeatStrip;
class TeamBoardView;
class Tgamelog;
class Tscoresheet;
class Troundsummary;
class PlayingWithOthers;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 790;
    static constexpr int ClientHeight = 526;
    // The window's outer bounds until the settings say otherwise.
    // Where the board panel, which holds the whole table, lies in the client area at 100 %.
    static constexpr QPoint PanelBoardBase{5, 6};
    static constexpr int DefaultLeft = 3, DefaultTop = 3, DefaultWidth = 798, DefaultHeight = 572;

    Tchat(host::TServer& server, windows::Tgamestartform& startDialog, QWidget* parent = nullptr);
    ~Tchat() override;

    // The command line's positional arguments and the port; read when the window is first shown.
    void setCommandLine(const QStringList& positional, quint16 port);

    TableModel& model() { return m_model; }
    TableConnection& connection() { return m_connection; }
    ChatView* chatView() const;
    // The computer players' pace in milliseconds (Options > Bot Speed) and level (Options >
    // Computer Players: "classic", "strong" or "expert"). botSpeedChanged() and
    // botLevelChanged() tell the host's owner, whose host plays the level from the next game
    // start on.
    int botSpeed() const;
    QString botLevel() const;

    // The settings file (the standard place unless a test gives another).
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    QString settingsPath() const;
    void loadinifile();
    void saveinifile();
    void saveinifile(const QRect& outerBounds);
    SoundPlayer& sounds() { return m_sounds; }
    QMenu* viewMenu() const { return m_viewMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }

    // The table's scale (tchat_zoom.cpp): the whole client area drawn at 100 % or more, set by
    // the window's size or by View > Zoom's quick sizes.
    int zoomPercent() const { return m_zoom.percent(); }
    // Draws the table at that scale and sizes the window for it.
    void setZoom(int percent);
    // The window at that scale fits the screen's free area (100 % always does).
    bool zoomFits(int percent) const;
    // The largest scale whose window fits the screen's free area (at least 100).
    int largestZoom() const;
    // The largest scale up to `percent` that fits.
    int fittingZoom(int percent) const;

    // Side windows (created by the program's start-up, shown from the menus; tchat_windows.cpp).
    void setSpyList(windows::Tspylist* spyList);
    void setPhraseEditor(windows::Tphrases* editor);
    void setTallyList(windows::Ttallylist* tally);
    void setHelpWindows(windows::Thelp* help, windows::Tabout* about);
    void setDownloadWindow(windows::Tdownload* download);
    Tscoresheet* scoreSheetWindow() const { return m_scoreSheetWindow; }
    Tgamelog* gameLogWindow() const { return m_gameLogWindow; }
    Troundsummary* roundSummary() const { return m_roundSummary; }

    // Games kept between runs: where, and whether closing asks.
    KeptGames& keptGames() { return m_kept; }
    // Where the window plays (solo, a hosted or joined table, on the way to one) and the play
    // dialog, hosting, joining and going back to solo.
    PlayingWithOthers& others() { return *m_others; }

    // The start-up step: the command line read, the solo table or the named one started.
    void processparams();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The window is closing: the program ends (the tally is written then).
    void closing();
    void botSpeedChanged(int ms);
    void botLevelChanged(const QString& level);

private:
    void buildClient();
    void wireParts();
    void wireModel();
    // The frame's own share of following the model: the badge timer and the state file.
    void sync();
    // Every part drawn afresh (at the start, after the settings were read).
    void syncAll();
    void writeStateFile();
    // "I'm Back": shown while the computer plays the own seat after a hung turn.
    void syncTakeOverNotice();

    // Pictures: drawn for the screen's pixel ratio times the zoom, again when either changes.
    qreal artRatio() const;
    void reloadArt();
    void applyArt();
    void screenChanged();
    void setCardDeck(const QString& id);

    // Menus, settings and placement (tchat_menus.cpp).
    void buildMenus();
    void chooseTextColour();
    QRect outerBounds() const;
    void setOuterBounds(const QRect& r);

    // Zoom (tchat_zoom.cpp).
    void buildZoomMenu();
    void syncZoomItems();
    void applyZoom();
    void centreTable();
    void fitTableToWindow();

    // The score sheet, game log and round summary (tchat_windows.cpp).
    void buildGameWindows();
    // A menu item that shows and raises a side window.
    enum class WindowPlace { AsItIs, BesideTable };
    QAction* addWindowItem(QMenu* menu, const QString& caption, const char* name, QWidget* window,
                           WindowPlace place = WindowPlace::AsItIs);
    // Moves a side window beside the table window, on the screen and off its menu bar.
    void placeBeside(QWidget* window) const;

    host::TServer& m_server;
    windows::Tgamestartform& m_startDialog;
    TableModel m_model;
    TableConnection m_connection;
    ConnectionWatch* m_watch = nullptr;
    TableArt m_art;
    qreal m_artRatio = 0;
    TableZoom m_zoom;
    // The pictures are drawn again for a new scale once the window's size has settled.
    static constexpr int ArtSettleMs = 150;
    QTimer m_artTimer;
    StateFile m_stateFile;
    KeptGames m_kept;
    PlayingWithOthers* m_others = nullptr;

    bool m_shown = false;
    QTcpSocket m_lobbyProbe; // Sock11: opened to 127.0.0.1:9001, never used
    QTimer m_badgeTimer;     // Timer2
    QPointer<QMessageBox> m_backNotice;
    QPointer<QWindow> m_lastFocusWindow; // the program's window that had the keys last
    SoundPlayer m_sounds;
    settings::TableSettings m_settings;
    QString m_settingsPath;
    QRect m_lastBounds{DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight};
    windows::Ttallylist* m_tally = nullptr;
    windows::Tdownload* m_download = nullptr;

    // The parts of the client area.
    std::array<TeamBoardView*, 3> m_boards{}; // 1 green, 2 blue
    SeatStrip* m_seats = nullptr;
    PhraseBar* m_phrases = nullptr;
    PlayArea* m_play = nullptr;
    HandView* m_hand = nullptr;
    ChatPane* m_chat = nullptr;

    // Menus and the table window's own windows.
    OptionsMenu* m_options = nullptr;
    PlayMenu* m_playMenu = nullptr;
    SeatMenu* m_seatMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QList<QAction*> m_zoomItems;
    Tscoresheet* m_scoreSheetWindow = nullptr;
    Tgamelog* m_gameLogWindow = nullptr;
    Troundsummary* m_roundSummary = nullptr;
};

} // namespace quornet::table
