#include "windows/aboutform.h"

#include "protocol/messages.h"
#include "art/boardart.h"
#include "windows/sidewindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace quornet::windows
{

namespace
{

QLabel* redLabel(QWidget* parent, const QString& text, const char* name, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    f.setPixelSize(13);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #d00000;"));
    l->setGeometry(geometry);
    return l;
}

} // namespace

Tabout::Tabout(QWidget* parent) : QDialog(parent), m_url(WebAddress, TURL::Kind::SecureWebPage)
{
    setObjectName(QStringLiteral("Tabout"));
    centreWhenFirstShown(this);
    setWindowTitle(QStringLiteral("Quornet - About"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setBackground(tableBackground());

    QFrame* panel = makePanel(this, QRect(8, 8, ClientWidth - 16, ClientHeight - 16));
    m_picture = new QLabel(panel);
    m_picture->setObjectName(QStringLiteral("image_about"));
    m_picture->setGeometry(8, 8, ClientWidth - 32, 54);
    m_picture->setAlignment(Qt::AlignCenter);
    const qreal ratio = devicePixelRatioF();
    QPixmap logo = art::BoardArt::draw(art::BoardArt::Picture::Logo, 0, 1.6 * ratio);
    logo.setDevicePixelRatio(ratio);
    setPicture(logo);

    m_link = new QLabel(panel);
    m_link->setObjectName(QStringLiteral("label_url"));
    m_link->setText(QStringLiteral("<a href=\"%1\" style=\"color:#1a4f8a;\">%2</a>")
                        .arg(m_url.target().toHtmlEscaped(), WebAddress.toHtmlEscaped()));
    m_link->setTextInteractionFlags(Qt::NoTextInteraction);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setToolTip(m_url.target());
    QFont f = m_link->font();
    f.setPixelSize(13);
    m_link->setFont(f);
    m_link->setGeometry(8, 66, ClientWidth - 32, 20);
    m_link->installEventFilter(this);

    auto* word = new QLabel(QStringLiteral("Version"), panel);
    f.setBold(true);
    word->setFont(f);
    word->setGeometry(78, 92, 58, 20);
    m_version = redLabel(panel, QString::fromLatin1(protocol::VersionText), "version",
                         QRect(138, 92, 50, 20));
    redLabel(panel, QStringLiteral("10"), "label_build", QRect(192, 92, 30, 20));

    auto* done = new QPushButton(QStringLiteral("Done"), panel);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry((ClientWidth - 16 - 90) / 2, 120, 90, 28);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::close);
}

void Tabout::setBackground(const QPixmap& tile)
{
    setTiledBackground(this, tile);
}

void Tabout::setPicture(const QPixmap& picture)
{
    m_picture->setPixmap(picture);
}

QString Tabout::versionText() const
{
    return m_version->text();
}

bool Tabout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_link && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openLink();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quornet::windows
