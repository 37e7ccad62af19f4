// quornet-artsheet: a contact sheet of the table window's pictures, to look at them.
//
//   quornet-artsheet [--deck ID | --painted] [--data-dir DIR]... [--ratio R] [--zoom N]
//                    [--only cards|board] [--kind NAMES] [--width PX] [--decks] [--list]
//                    --out FILE.png
//
// --ratio renders the pictures at that device pixel ratio; --zoom enlarges the finished sheet
// pixel for pixel (to inspect small icons); --kind limits the sheet to some board pictures;
// --decks shows sample cards of every installed deck; --list prints the installed decks.
#include "art/boardart.h"
#include "art/carddeck.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

using namespace quornet::art;

namespace
{

constexpr int Margin = 12;
constexpr int Gap = 8;
int SheetWidth = 1100;

struct Sheet {
    QImage image;
    QPainter* p = nullptr;
    int x = Margin;
    int y = Margin;
    int rowHeight = 0;
    int maxX = 0;

    void newline(int extra = 0)
    {
        y += rowHeight + Gap + extra;
        x = Margin;
        rowHeight = 0;
    }
    void heading(const QString& text)
    {
        if (x != Margin) newline();
        p->setPen(QColor(0x20, 0x20, 0x20));
        QFont f = p->font();
        f.setPixelSize(14);
        f.setBold(true);
        p->setFont(f);
        p->drawText(QPointF(Margin, y + 14), text);
        y += 22;
    }
    void place(const QPixmap& pm, const QString& label = {})
    {
        const QSizeF s = pm.deviceIndependentSize();
        const int w = qMax(int(s.width()), label.isEmpty() ? 0 : 40);
        if (x + w > SheetWidth - Margin) newline(label.isEmpty() ? 0 : 12);
        p->drawPixmap(QPointF(x, y), pm);
        if (!label.isEmpty()) {
            QFont f = p->font();
            f.setPixelSize(9);
            f.setBold(false);
            p->setFont(f);
            p->setPen(QColor(0x50, 0x50, 0x50));
            p->drawText(QRectF(x, y + s.height() + 1, w + 6, 11), Qt::AlignLeft, label);
        }
        x += w + Gap;
        maxX = qMax(maxX, x);
        rowHeight = qMax(rowHeight, int(s.height()) + (label.isEmpty() ? 0 : 12));
    }
};

// A working book of count cards as the board shows it: edges every 5 pixels, then the top.
QPixmap bookPicture(const BoardArt& art, int rank, int kind, int count, qreal ratio)
{
    QImage img(qRound((36 + 5 * (count - 1)) * ratio), qRound(48 * ratio),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(ratio);
    QPainter p(&img);
    for (int i = 0; i < count - 1; ++i)
        p.drawPixmap(QPointF(5 * i, 0), art.cardEdge(i % 5, ratio));
    p.drawPixmap(QPointF(5 * (count - 1), 0), art.bookTop(rank, kind, ratio));
    p.end();
    return QPixmap::fromImage(img);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser cl;
    cl.addHelpOption();
    cl.addOption({"deck", "Deck id (folder name).", "id"});
    cl.addOption({"painted", "Use the painted deck."});
    cl.addOption({"data-dir", "Data folder to look for carddecks/ in (repeatable).", "dir"});
    cl.addOption({"ratio", "Device pixel ratio.", "r", "1"});
    cl.addOption({"zoom", "Enlarge the finished sheet N times.", "n", "1"});
    cl.addOption({"only", "cards or board.", "what"});
    cl.addOption(
        {"kind", "Only the board pictures of these kinds (comma separated names).", "names"});
    cl.addOption({"width", "Width of the sheet in logical pixels.", "px", "1100"});
    cl.addOption({"time", "Print how long opening the deck and drawing the pictures take."});
    cl.addOption({"list", "List the installed decks."});
    cl.addOption({"decks", "Sample cards of every installed deck instead."});
    cl.addOption({"out", "PNG file to write.", "file", "artsheet.png"});
    cl.process(app);

    const QStringList dirs =
        cl.isSet("data-dir") ? cl.values("data-dir") : DeckCatalog::standardDataDirs();
    const DeckCatalog catalog(dirs);
    QTextStream out(stdout);
    if (cl.isSet("list")) {
        for (const DeckInfo& d : catalog.decks())
            out << d.id << "\t" << d.name << "\n";
        out << "default: " << catalog.defaultDeckId() << "\n";
        return 0;
    }
    SheetWidth = qMax(200, cl.value("width").toInt());
    const qreal ratio = cl.value("ratio").toDouble() > 0 ? cl.value("ratio").toDouble() : 1.0;
    const int zoom = qMax(1, cl.value("zoom").toInt());
    const QString only = cl.value("only");
    const QStringList kinds = cl.value("kind").split(QLatin1Char(','), Qt::SkipEmptyParts);
    QElapsedTimer clock;
    clock.start();
    CardDeck deck = cl.isSet("painted") ? CardDeck()
                    : cl.isSet("deck")  ? CardDeck::open(catalog, cl.value("deck"))
                                        : CardDeck::openDefault(catalog);
    BoardArt art;
    if (cl.isSet("time")) {
        const qint64 open = clock.nsecsElapsed();
        for (int code = 0; code < CardDeck::CardCount; ++code)
            deck.card(code, ratio);
        const qint64 cards = clock.nsecsElapsed();
        for (int k = 0; k < BoardArt::PictureKinds; ++k)
            for (int v = 0; v < BoardArt::count(BoardArt::Picture(k)); ++v)
                art.picture(BoardArt::Picture(k), v, ratio);
        const qint64 board = clock.nsecsElapsed();
        out << "open deck " << open / 1000000.0 << " ms, 55 cards " << (cards - open) / 1000000.0
            << " ms, board pictures " << (board - cards) / 1000000.0 << " ms at ratio " << ratio
            << "\n";
        out.flush();
    }

    Sheet sheet;
    sheet.image = QImage(qRound(SheetWidth * ratio), qRound(4400 * ratio),
                         QImage::Format_ARGB32_Premultiplied);
    sheet.image.setDevicePixelRatio(ratio);
    {
        QPainter p(&sheet.image);
        p.fillRect(QRectF(0, 0, SheetWidth, 4400), QColor(0xf2, 0xf0, 0xc8));
        p.setRenderHint(QPainter::TextAntialiasing);
        sheet.p = &p;
        if (cl.isSet("decks")) {
            for (const DeckInfo& info : catalog.decks()) {
                const CardDeck sample(info);
                sheet.heading(info.name +
                              (sample.isDrawn(54) ? QStringLiteral(" (joker drawn)") : QString()));
                for (int code : {0, 1, 54, 2, 11, 13, 14, 24, 25, 36, 40, 50, 52, 53})
                    sheet.place(sample.card(code, ratio));
            }
        } else if ((only.isEmpty() && kinds.isEmpty()) || only == "cards") {
            sheet.heading(QStringLiteral("Deck: %1 (%2)%3")
                              .arg(deck.name(), deck.isPainted() ? "painted" : deck.id(),
                                   deck.isDrawn(54) ? ", joker drawn" : ""));
            for (int code = 0; code < CardDeck::CardCount; ++code) {
                sheet.place(deck.card(code, ratio), QString::number(code));
                if (code == 1 || code == 14 || code == 27 || code == 40) sheet.newline(4);
            }
            sheet.newline();
        }
        if (!cl.isSet("decks") && (only.isEmpty() || only == "board")) {
            for (int k = 0; k < BoardArt::PictureKinds; ++k) {
                const auto kind = BoardArt::Picture(k);
                if (kind == BoardArt::Picture::Background) continue;
                if (!kinds.isEmpty() && !kinds.contains(BoardArt::kindName(kind))) continue;
                if (kinds.isEmpty()) sheet.heading(BoardArt::kindName(kind));
                for (int v = 0; v < BoardArt::count(kind); ++v)
                    sheet.place(art.picture(kind, v, ratio),
                                kinds.isEmpty() ? QString::number(v)
                                                : BoardArt::kindName(kind) + QString::number(v));
            }
        }
        if (!cl.isSet("decks") && (only.isEmpty() || only == "board") && kinds.isEmpty()) {
            sheet.heading(QStringLiteral("books: 3, 6 and 7 cards, normal and wild"));
            sheet.place(bookPicture(art, 0, 1, 3, ratio));
            sheet.place(bookPicture(art, 10, 1, 6, ratio));
            sheet.place(bookPicture(art, 1, 2, 7, ratio));
            sheet.place(bookPicture(art, 12, 2, 4, ratio));
            sheet.heading(QStringLiteral("background, 3 x 2 tiles"));
            const QPixmap tile = art.picture(BoardArt::Picture::Background, 0, ratio);
            p.fillRect(QRectF(Margin, sheet.y, 288, 192), QBrush(tile));
            sheet.rowHeight = 192;
            sheet.newline();
        }
        sheet.newline();
        p.end();
    }
    const int width = qMin(SheetWidth, qMax(sheet.maxX + Margin, 300));
    QImage result = sheet.image.copy(0, 0, qRound(width * ratio), qRound(sheet.y * ratio));
    if (zoom > 1)
        result = result.scaled(result.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QString file = cl.value("out");
    if (!result.save(file)) {
        out << "could not write " << file << "\n";
        return 1;
    }
    out << file << "\n";
    return 0;
}
