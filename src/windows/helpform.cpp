#include "windows/helpform.h"

#include "windows/aboutform.h"
#include "windows/sidewindow.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>

namespace quornet::windows
{

namespace
{

QString pageText(const char* file)
{
    QFile f(QStringLiteral(":/help/") + QString::fromLatin1(file));
    if (!f.open(QIODevice::ReadOnly)) return QCoreApplication::translate("quornet::windows::Thelp", "<p>This page is missing.</p>");
    return QString::fromUtf8(f.readAll());
}

const char* const PageStyle = "body { color: #1c1c1c; }"
                              "h2 { color: #1a4f8a; font-size: 15px; margin-top: 10px; }"
                              "h3 { color: #2a6a36; font-size: 13px; margin-top: 8px; }"
                              "code { color: #5a2a00; }"
                              "td, th { padding: 2px 6px; }"
                              "th { background: #e8edd0; text-align: left; }";

} // namespace

const QList<Thelp::Topic>& Thelp::topics()
{
    static const QList<Topic> list = {
        {1, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Overview"), "overview.html"},
        {2, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Connecting"), "connecting.html"},
        {3, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Game Play"), "gameplay.html"},
        {4, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Scoring"), "scoring.html"},
        {5, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Documentation"), "documentation.html"},
        {6, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "License"), "license.html"},
        {7, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Turn"), "turn.html"},
        {8, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Books"), "books.html"},
        {9, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "Strategy"), "strategy.html"},
        {11, QT_TRANSLATE_NOOP("quornet::windows::Thelp", "The Lobby"), "lobby.html"},
    };
    return list;
}

Thelp::Thelp(Tabout* about, QWidget* parent) : QDialog(parent), m_about(about)
{
    setObjectName(QStringLiteral("Thelp"));
    centreWhenFirstShown(this);
    setWindowTitle(tr("Quornet - Help File"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setBackground(tableBackground());

    QFrame* side = makePanel(this, QRect(8, 8, 124, ClientHeight - 16));
    m_topicButtons = new QButtonGroup(this);
    m_topicButtons->setExclusive(true);
    int top = 8;
    for (const Topic& topic : topics()) {
        auto* b = new QPushButton(tr(topic.caption), side);
        b->setObjectName(QStringLiteral("button_topic%1").arg(topic.number));
        b->setGeometry(8, top, 108, 30);
        b->setCheckable(true);
        b->setAutoDefault(false);
        m_topicButtons->addButton(b, topic.number);
        const int number = topic.number;
        connect(b, &QPushButton::clicked, this, [this, number] { showTopic(number); });
        top += 34;
    }
    auto* aboutButton = new QPushButton(tr("About"), side);
    aboutButton->setObjectName(QStringLiteral("button_about"));
    aboutButton->setGeometry(8, ClientHeight - 16 - 80, 108, 30);
    aboutButton->setAutoDefault(false);
    connect(aboutButton, &QPushButton::clicked, this, [this] {
        emit aboutRequested();
        if (m_about) {
            m_about->show();
            m_about->raise();
        }
    });
    auto* done = new QPushButton(tr("DONE"), side);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(8, ClientHeight - 16 - 42, 108, 34);
    done->setDefault(true);
    QFont bold = done->font();
    bold.setBold(true);
    done->setFont(bold);
    connect(done, &QPushButton::clicked, this, &QDialog::hide);

    QFrame* main = makePanel(this, QRect(140, 8, ClientWidth - 148, ClientHeight - 16));
    m_caption = new QLabel(main);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    QFont f = m_caption->font();
    f.setPixelSize(18);
    f.setBold(true);
    m_caption->setFont(f);
    m_caption->setStyleSheet(QStringLiteral("color: #1a4f8a;"));
    m_caption->setGeometry(10, 6, main->width() - 20, 28);

    m_stack = new QStackedWidget(main);
    m_stack->setGeometry(8, 38, main->width() - 16, main->height() - 46);
    for (const Topic& topic : topics()) {
        auto* memo = new QTextBrowser(m_stack);
        memo->setObjectName(QStringLiteral("memo%1").arg(topic.number));
        memo->setReadOnly(true);
        memo->setOpenLinks(false);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));
        memo->document()->setDefaultStyleSheet(QString::fromLatin1(PageStyle));
        memo->document()->setDocumentMargin(8);
        memo->setHtml(pageText(topic.page));
        connect(memo, &QTextBrowser::anchorClicked, this, &Thelp::linkClicked);
        m_stack->addWidget(memo);
        m_pages.insert(topic.number, memo);
    }
    showTopic(1);
}

bool Thelp::showTopic(int number)
{
    QTextBrowser* memo = m_pages.value(number);
    if (!memo) return false;
    for (const Topic& topic : topics()) {
        if (topic.number == number) m_caption->setText(tr(topic.caption));
    }
    m_stack->setCurrentWidget(memo);
    if (QAbstractButton* b = m_topicButtons->button(number)) b->setChecked(true);
    m_current = number;
    return true;
}

QString Thelp::caption() const
{
    return m_caption->text();
}

void Thelp::setBackground(const QPixmap& tile)
{
    setTiledBackground(this, tile);
}

// Links between the pages read "topic:N"; every other link goes to the desktop.
void Thelp::linkClicked(const QUrl& link)
{
    if (link.scheme() == QLatin1String("topic")) {
        showTopic(link.path().toInt());
        return;
    }
    if (link.scheme() == QLatin1String("https") || link.scheme() == QLatin1String("http"))
        QDesktopServices::openUrl(link);
}

} // namespace quornet::windows
