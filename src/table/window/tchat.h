// Tchat: the table window every participant runs. It lays out the boards, seats, hand and chat,
// draws the TableModel after every change, turns clicks into the model's actions, and owns the
// connection to the host. A hosting copy also starts the host (TServer) listening.
#pragma once

#include "settings/tablesettings.h"
#include "table/core/tablemodel.h"
#include "table/sound/soundplayer.h"
#include "table/window/tableart.h"
#include "table/window/tableconnection.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QMainWindow>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <array>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QLabel;
class QToolButton;

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

class ChatView;
class ChatterBot;
class ClickLabel;
class Tgamelog;
class Tscoresheet;
class Troundsummary;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 790;
    static constexpr int ClientHeight = 526;
    static constexpr const char* Prompt = "<Enter Chat Here>";
    // The window's outer bounds until the settings say otherwise.
    static constexpr int DefaultLeft = 3, DefaultTop = 3, DefaultWidth = 798, DefaultHeight = 572;

    Tchat(host::TServer& server, windows::Tgamestartform& startDialog, QWidget* parent = nullptr);
    ~Tchat() override;

    // The command line's positional arguments and the port; read when the window is first shown.
    void setCommandLine(const QStringList& positional, quint16 port);

    TableModel& model() { return m_model; }
    TableConnection& connection() { return m_connection; }
    ChatView* chatView() const { return m_chatView; }
    const TableArt& art() const { return m_art; }
    // The computer players' pace in milliseconds (Options > Bot Speed); botSpeedChanged() tells
    // the host's owner.
    int botSpeed() const { return m_botSpeed; }
    // The computer players' level (Options > Computer Players): "classic", "strong" or
    // "expert"; botLevelChanged() tells the host's owner, whose host plays it from the next game
    // start on.
    QString botLevel() const { return m_botLevel; }
    quint32 chatColour() const { return m_chatColour; }

    // The settings file (the standard place unless a test gives another).
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    QString settingsPath() const;
    void loadinifile();
    void saveinifile();
    void saveinifile(const QRect& outerBounds);
    SoundPlayer& sounds() { return m_sounds; }
    // The deck the cards are drawn with: the chosen one while it is installed, else the default.
    QString currentDeckId() const;
    QMenu* viewMenu() const { return m_viewMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }
    void setCardDeck(const QString& id);

    // View > Zoom (tchat_zoom.cpp): the whole client area drawn at 100, 125, 150 or 200 %.
    // Widgets keep their 100 % geometry and font; zoomed() maps a 100 % rectangle to the screen.
    int zoomPercent() const { return m_zoomPercent; }
    void setZoom(int percent);
    // The window at that zoom fits the screen's free area (100 % always does).
    bool zoomFits(int percent) const;
    // The largest zoom up to `percent` that fits.
    int fittingZoom(int percent) const;
    QRect zoomed(const QRect& base) const;

    // Side windows (created by the program's start-up, shown from the menus).
    void setSpyList(windows::Tspylist* spyList);
    void setPhraseEditor(windows::Tphrases* editor);
    void startChatterBot();
    void setTallyList(windows::Ttallylist* tally);
    void setHelpWindows(windows::Thelp* help, windows::Tabout* about);
    void setDownloadWindow(windows::Tdownload* download);
    Tscoresheet* scoreSheetWindow() const { return m_scoreSheetWindow; }
    Tgamelog* gameLogWindow() const { return m_gameLogWindow; }
    Troundsummary* roundSummary() const { return m_roundSummary; }
    QMenu* playMenu() const { return m_playMenu; }

    // Start-up steps (also used by tests).
    void processparams();
    void hostpress();
    void joinpress();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The window is closing: the program ends (the tally is written then).
    void closing();
    void botSpeedChanged(int ms);
    void botLevelChanged(const QString& level);

private:
    void buildBoards(QWidget* panelBoard);
    void buildScorePanel(QWidget* panel);
    void buildMenus();
    void wireModel();
    void reloadArt();
    void applyStaticArt();
    void screenChanged();
    // The ratio pictures are drawn for: the screen's pixel ratio times the zoom.
    qreal artRatio() const;

    // Zoom (tchat_zoom.cpp).
    void buildZoomMenu();
    void offerZoomLevels();
    void applyZoom();
    void placeZoomed(QWidget* w, const QRect& base);
    // A font size at 100 %, shown at the zoom.
    void setBaseFontPixels(QWidget* w, int px);
    void moveZoomed(QWidget* w, QPoint base);

    // Play menu, muting, score sheet and game log (tchat_play.cpp).
    void buildPlayMenu();
    void buildGameWindows();
    // A menu item that shows and raises a side window.
    QAction* addWindowItem(QMenu* menu, const QString& caption, const char* name, QWidget* window);
    void addMuteItem();
    void syncPlayExtras();

    // The end of the connection and the way back to the table (tchat_connection.cpp).
    void wireConnection();
    void connectionEnded();
    void startReconnecting();
    void tryReconnect();
    void nextAttemptOrGiveUp();
    void reconnectAttemptFailed(QAbstractSocket::SocketError error);
    void rejoined();
    // Says why the window closes (the host is gone, this participant was removed), then closes.
    void closeBecauseOfHost(const QString& why);
    // A modal box; the host's messages wait while it is open.
    void showMessageBox(const QString& text);

    // Drawing the model (tchat_sync.cpp).
    void sync();
    void syncSeats();
    void syncTeam(int team);
    void syncHand();
    void syncPlaces();
    void fitStatus(const QString& text);
    void syncPilePreview();
    void fitText(QLabel* label, const QString& text, QRect oneLine, int largest, int smallest, QRect twoLines = {});
    QPixmap cardPicture(int code) const;
    void writeStateFile();

    // Chat entry and menus (tchat_chat.cpp).
    void buildChatEntry(QWidget* panel);
    void sendEntry();
    void showSeatPopup(int seat);
    void setBotSpeedItem(int ms);
    void setBotLevelItem(const QString& level);
    void setTextSize(int points);
    void setChatColour(quint32 colour);
    QRect outerBounds() const;
    void setOuterBounds(const QRect& r);

    host::TServer& m_server;
    windows::Tgamestartform& m_startDialog;
    TableModel m_model;
    TableConnection m_connection;
    TableArt m_art;
    qreal m_artRatio = 0;

    QStringList m_positional;
    quint16 m_port = 7772;
    bool m_shown = false;
    QString m_address;
    int m_botSpeed = 1000;
    QString m_botLevel = QStringLiteral("classic");
    quint32 m_chatColour = 0;
    QTcpSocket m_lobbyProbe; // Sock11: opened to 127.0.0.1:9001, never used
    // Reconnection after a lost connection during a game.
    bool m_leaving = false; // the window is closing: the end of the connection is no news
    QString m_openBox;      // the text of the message box on screen (the state file says it)
    bool m_reconnecting = false;
    int m_reconnectTries = 0;
    QElapsedTimer m_reconnectClock;
    QTimer m_reconnectTimer; // the pause before the next attempt
    QTimer m_attemptTimer;   // an attempt that takes too long is given up
    QPointer<QMessageBox> m_reconnectNotice;
    QTimer m_badgeTimer;     // Timer2
    SoundPlayer m_sounds;
    settings::TableSettings m_settings;
    QString m_settingsPath;
    bool m_settingsLoaded = false;
    QRect m_lastBounds{DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight};
    QString m_deckId;
    windows::Tspylist* m_spyList = nullptr;
    windows::Tphrases* m_phraseEditor = nullptr;
    ChatterBot* m_chatterBot = nullptr;
    windows::Ttallylist* m_tally = nullptr;
    windows::Tabout* m_about = nullptr;
    windows::Tdownload* m_download = nullptr;
    QByteArray m_lastState;

    // Widgets.
    QWidget* m_boards[3] = {};
    QWidget* m_scorePanel = nullptr;
    std::array<QLabel*, 5> m_foot{}, m_eyes{}, m_cardsLeft{}, m_score{};
    std::array<ClickLabel*, 5> m_name{};
    QLabel* m_turnMarker = nullptr;
    QLabel *m_full = nullptr, *m_pickupLabel = nullptr, *m_turn = nullptr, *m_status = nullptr;
    QLabel* m_addHere = nullptr;
    std::array<ClickLabel*, 4> m_places{};
    ClickLabel* m_discard = nullptr;
    ClickLabel* m_besidePile = nullptr;
    QPushButton *m_create = nullptr, *m_clearBook = nullptr, *m_draw = nullptr, *m_pickup = nullptr,
                *m_start = nullptr;
    QLabel *m_green = nullptr, *m_blue = nullptr, *m_greenArrow = nullptr, *m_blueArrow = nullptr;
    std::array<QLabel*, 3> m_winner{}, m_roundWinner{}, m_badge{}, m_badgeLabel{}, m_header{}, m_corner{};
    std::array<QToolButton*, 11> m_phrase{};
    QToolButton* m_smileyButton = nullptr;
    QLineEdit* m_entry = nullptr;
    ChatView* m_chatView = nullptr;
    ClickLabel* m_logo = nullptr;
    QHash<QString, ClickLabel*> m_bookLabels; // "book11", "comp23"
    QHash<int, ClickLabel*> m_cardLabels;     // by host slot

    // Menus.
    QAction* m_startGame = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_manualSort = nullptr;
    QAction* m_justWatch = nullptr;
    QAction* m_playSounds = nullptr;
    QAction* m_playChatter = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_new = nullptr;
    QList<QAction*> m_botSpeedItems;
    QList<QAction*> m_botLevelItems;
    QList<QAction*> m_textSizeItems;
    QMenu* m_deckMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_seatMenu = nullptr;
    QMenu* m_soundMenu = nullptr;
    QMenu* m_smileyMenu = nullptr;
    QMenu* m_playMenu = nullptr;
    QList<QAction*> m_playKeys; // the Play menu's key items, off with Keyboard Play
    QAction* m_keyboardPlay = nullptr;
    QAction* m_hint = nullptr;
    QList<QWidget*> m_hintMarks;
    QAction* m_muteSeat = nullptr;
    QWidget* m_keyCursor = nullptr;
    std::array<QWidget*, 3> m_bookCursor{};
    Tscoresheet* m_scoreSheetWindow = nullptr;
    Tgamelog* m_gameLogWindow = nullptr;
    Troundsummary* m_roundSummary = nullptr;
    QLabel* m_round = nullptr; // the round in play, beside the game length
    // What a pick-up would take, over the empty create-book boxes while the player chooses.
    QWidget* m_pilePreview = nullptr;
    QLabel* m_pilePreviewCaption = nullptr;
    QLabel* m_pilePreviewMore = nullptr;
    std::array<QLabel*, 7> m_pilePreviewCards{};
    int m_popupSeat = 0;
    QMenu* m_zoomMenu = nullptr;
    QList<QAction*> m_zoomItems;
    int m_zoomPercent = 100;
};

} // namespace quornet::table
