#include "windows/gamestart.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

namespace quornet::windows {

// A mark with its caption: a picture that shows its state 0 (off) or 1 (on) and reports clicks.
class MarkLabel : public QLabel {
    Q_OBJECT
public:
    MarkLabel(const QString& name, QWidget* parent) : QLabel(parent) { setObjectName(name); }
    int state = 0;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) emit clicked();
    }
};

namespace {
QLabel* heading(const QString& text, int top, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(14);
    l->setFont(f);
    l->setGeometry(16, top, 213, 20);
    return l;
}
} // namespace

Tgamestartform::Tgamestartform(QWidget* parent) : QDialog(parent)
{
    setObjectName("Tgamestartform");
    setWindowTitle(tr("Quornet - Start Game"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(245, 347);

    heading(tr("GAME TYPE"), 10, this);
    const char* captions[] = {QT_TR_NOOP("Play Full Game"), QT_TR_NOOP("Play to 5000"), QT_TR_NOOP("Play to 3000"),
                              QT_TR_NOOP("Play One Round")};
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("image_game%1").arg(i + 1);
        auto* m = new MarkLabel(name, this);
        m->setGeometry(20, 36 + 28 * i, 34, 21);
        auto* caption = new QLabel(tr(captions[i]), this);
        caption->setGeometry(62, 36 + 28 * i, 160, 21);
        connect(m, &MarkLabel::clicked, this, [this, m, name] {
            if (m->state == 0) checkimage(name); // clicking the mark that is on does nothing
        });
        m_games[std::size_t(i)] = m;
    }
    heading(tr("Other Settings"), 154, this);
    m_bots = new MarkLabel(QStringLiteral("image_bots"), this);
    m_bots->setGeometry(20, 180, 34, 21);
    (new QLabel(tr("2 Player Game"), this))->setGeometry(62, 180, 160, 21);
    m_discard = new MarkLabel(QStringLiteral("image_discard"), this);
    m_discard->setGeometry(20, 208, 34, 21);
    m_discard->state = 1;
    (new QLabel(tr("Pickup Discard"), this))->setGeometry(62, 208, 160, 21);
    for (MarkLabel* m : {m_bots, m_discard})
        connect(m, &MarkLabel::clicked, this, [this, m] { theyclicked(m->objectName(), m->state ? 0 : 1); });

    m_countLabel = new QLabel(tr("# to Pickup"), this);
    m_countLabel->setObjectName("label_numtopickup");
    m_countLabel->setGeometry(62, 238, 90, 22);
    m_count = new QSpinBox(this);
    m_count->setObjectName("spin_numtopickup");
    m_count->setRange(1, 7);
    m_count->setValue(1);
    m_count->setGeometry(150, 236, 50, 24);

    m_level = new QLabel(this);
    m_level->setObjectName("label_botlevel");
    m_level->setGeometry(20, 268, 210, 22);
    setBotLevelCaption(tr("Classic"));

    m_start = new QPushButton(tr("Start Game"), this);
    m_start->setObjectName("button_start");
    m_start->setGeometry(62, 300, 120, 34);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, [this] {
        emit startRequested();
        hide();
    });
    for (MarkLabel* m : m_games) redraw(m);
    redraw(m_bots);
    redraw(m_discard);
}

void Tgamestartform::setBotLevelCaption(const QString& level)
{
    m_level->setText(tr("Computer Players: %1").arg(level));

}

QString Tgamestartform::botLevelText() const { return m_level->text(); }

void Tgamestartform::setCheckPictures(const QPixmap& off, const QPixmap& on)
{
    m_off = off;
    m_on = on;
    for (MarkLabel* m : m_games) redraw(m);
    redraw(m_bots);
    redraw(m_discard);
}

void Tgamestartform::setBackground(const QPixmap& tile)
{
    QPalette p = palette();
    p.setBrush(QPalette::Window, QBrush(tile));
    setPalette(p);
    setAutoFillBackground(true);
}

MarkLabel* Tgamestartform::mark(const QString& name) const
{
    for (MarkLabel* m : m_games)
        if (m->objectName() == name) return m;
    if (name == m_bots->objectName()) return m_bots;
    if (name == m_discard->objectName()) return m_discard;
    return nullptr;
}

void Tgamestartform::redraw(MarkLabel* m)
{
    const QPixmap& p = m->state ? m_on : m_off;
    if (!p.isNull()) {
        m->setPixmap(p);
        return;
    }
    // Until pictures are set, a plain box and tick keep the dialog usable.
    QPixmap box(34, 21);
    box.fill(Qt::transparent);
    QPainter painter(&box);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(8.5, 1.5, 18, 18), 3, 3);
    if (m->state) {
        painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(12, 10), QPointF(16, 15), QPointF(24, 5)}));
    }
    m->setPixmap(box);
}

void Tgamestartform::checkimage(const QString& markName)
{
    for (MarkLabel* m : m_games) {
        m->state = 0;
        redraw(m);
    }
    if (MarkLabel* m = mark(markName)) {
        m->state = 1;
        redraw(m);
    }
}

void Tgamestartform::theyclicked(const QString& markName, int state)
{
    MarkLabel* m = mark(markName);
    if (!m) return;
    m->state = state ? 1 : 0;
    redraw(m);
    if (m == m_discard) {
        m_count->setEnabled(m->state == 1);
        m_countLabel->setEnabled(m->state == 1);
    }
}

void Tgamestartform::setPickUpCount(int count) { m_count->setValue(count >= 1 && count <= 7 ? count : 1); }

QByteArray Tgamestartform::lengthCode() const
{
    if (m_games[3]->state) return "r";
    if (m_games[2]->state) return "3";
    if (m_games[1]->state) return "5";
    return "f";
}

bool Tgamestartform::twoPlayer() const { return m_bots->state == 1; }
bool Tgamestartform::pickUp() const { return m_discard->state != 0; }
int Tgamestartform::pickUpCount() const { return m_count->value(); }
bool Tgamestartform::pickUpCountEnabled() const { return m_count->isEnabled(); }

int Tgamestartform::markState(const QString& markName) const
{
    const MarkLabel* m = mark(markName);
    return m ? m->state : -1;
}

} // namespace quornet::windows

#include "gamestart.moc"
