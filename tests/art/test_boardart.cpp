// Board pictures: the size of every picture at ratios 1, 1.5 and 2, that each one shows
// something, that the variants of a kind differ (normal and wild book tops visibly), the arrows'
// directions, contrast under the texts written on badges and headers, and keeping drawn pictures.
#include "imagecheck.h"

#include "art/boardart.h"

#include <QSet>
#include <QtTest>

using namespace quornet::art;
using namespace quornet::testing;
using P = BoardArt::Picture;

class TestBoardArt : public QObject
{
    Q_OBJECT

private slots:
    void sizesFollowTheLayout_data();
    void sizesFollowTheLayout();
    void everyPictureAtEveryRatio();
    void everyPictureShowsSomething();
    void variantsDiffer();
    void wildTopsAreVisiblyDifferent();
    void arrowsPointAtTheirBoards();
    void textsOnBadgeAndHeaderStayReadable();
    void backgroundCoversItsTile();
    void variantsOutsideTheRangeGiveNoPicture();
    void picturesAreKeptPerRatio();
};

void TestBoardArt::sizesFollowTheLayout_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variants");
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("last");
    auto row = [](const char* name, P kind, int n, QSize first, QSize last) {
        QTest::newRow(name) << int(kind) << n << first << last;
    };
    row("ntop", P::NormalTop, 13, {36, 48}, {36, 48});
    row("wtop", P::WildTop, 13, {36, 48}, {36, 48});
    row("blank", P::CardEdge, 5, {36, 48}, {36, 48});
    row("foot", P::Foot, 1, {13, 24}, {13, 24});
    row("eyes", P::Eyes, 1, {24, 12}, {24, 12});
    row("turn", P::TurnMarker, 1, {10, 16}, {10, 16});
    row("arrows", P::Arrow, 2, {106, 22}, {106, 22});
    row("winner", P::GameWinner, 2, {166, 116}, {165, 118});
    row("rwinner", P::RoundWinner, 2, {105, 109}, {104, 108});
    row("badge", P::Badge, 1, {49, 25}, {49, 25});
    row("header", P::Header, 2, {191, 36}, {197, 36});
    row("corner", P::Corner, 2, {12, 12}, {12, 12});
    row("strip", P::TeamStrip, 2, {391, 2}, {391, 2});
    row("logo", P::Logo, 1, {146, 24}, {146, 24});
    row("smileys", P::Smiley, 18, {17, 16}, {17, 16});
    row("phrases", P::PhraseButton, 10, {25, 19}, {25, 19});
    row("smiley button", P::SmileyButton, 1, {25, 19}, {25, 19});
    row("checks", P::CheckMark, 2, {34, 21}, {34, 21});
    row("discard tab", P::DiscardTab, 1, {18, 61}, {18, 61});
}

void TestBoardArt::sizesFollowTheLayout()
{
    QFETCH(int, kind);
    QFETCH(int, variants);
    QFETCH(QSize, first);
    QFETCH(QSize, last);
    const P k = P(kind);
    QCOMPARE(BoardArt::count(k), variants);
    QCOMPARE(BoardArt::size(k, 0), first);
    QCOMPARE(BoardArt::size(k, variants - 1), last);
    const BoardArt art;
    QCOMPARE(art.picture(k, 0).size(), first);
    QCOMPARE(art.picture(k, variants - 1, 2.0).size(), last * 2);
    QCOMPARE(art.picture(k, variants - 1, 2.0).deviceIndependentSize(), QSizeF(last));
}

void TestBoardArt::everyPictureAtEveryRatio()
{
    const BoardArt art;
    for (int k = 0; k < BoardArt::PictureKinds; ++k)
        for (int v = 0; v < BoardArt::count(P(k)); ++v)
            for (qreal ratio : {1.0, 1.5, 2.0}) {
                const QSize s = BoardArt::size(P(k), v);
                const QPixmap pm = art.picture(P(k), v, ratio);
                const QString what =
                    QStringLiteral("%1 %2 at %3").arg(BoardArt::kindName(P(k))).arg(v).arg(ratio);
                QVERIFY2(!pm.isNull(), qPrintable(what));
                QCOMPARE(pm.devicePixelRatio(), ratio);
                QCOMPARE(pm.width(), qRound(s.width() * ratio));
                QCOMPARE(pm.height(), qRound(s.height() * ratio));
                QVERIFY2(qAbs(pm.deviceIndependentSize().width() - s.width()) < 0.5,
                         qPrintable(what));
                QVERIFY2(qAbs(pm.deviceIndependentSize().height() - s.height()) < 0.5,
                         qPrintable(what));
            }
}

void TestBoardArt::everyPictureShowsSomething()
{
    const BoardArt art;
    for (int k = 0; k < BoardArt::PictureKinds; ++k)
        for (int v = 0; v < BoardArt::count(P(k)); ++v) {
            const QImage img = argb(art.picture(P(k), v, 2.0));
            const QString what = QStringLiteral("%1 %2").arg(BoardArt::kindName(P(k))).arg(v);
            QVERIFY2(opaqueFraction(img) > 0.08, qPrintable(what));
            if (P(k) != P::TeamStrip) QVERIFY2(colourCount(img) >= 4, qPrintable(what));
        }
}

void TestBoardArt::variantsDiffer()
{
    const BoardArt art;
    for (int k = 0; k < BoardArt::PictureKinds; ++k) {
        const int n = BoardArt::count(P(k));
        QSet<QByteArray> hashes;
        for (int v = 0; v < n; ++v)
            hashes.insert(imageHash(argb(art.picture(P(k), v))));
        QVERIFY2(hashes.size() == n, qPrintable(BoardArt::kindName(P(k))));
    }
    // the ranks on the tops differ by more than a few pixels
    for (int a = 0; a < 13; ++a)
        for (int b = a + 1; b < 13; ++b)
            QVERIFY(differingFraction(argb(art.bookTop(a, 1)), argb(art.bookTop(b, 1))) > 0.03);
    // smileys are distinct faces, not near copies
    for (int a = 0; a < 18; ++a)
        for (int b = a + 1; b < 18; ++b)
            QVERIFY2(differingFraction(argb(art.smiley(a, 2.0)), argb(art.smiley(b, 2.0))) > 0.02,
                     qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
    QVERIFY(differingFraction(argb(art.checkMark(false)), argb(art.checkMark(true))) > 0.1);
}

void TestBoardArt::wildTopsAreVisiblyDifferent()
{
    const BoardArt art;
    for (int rank = 0; rank < 13; ++rank) {
        const QImage normal = argb(art.bookTop(rank, 1));
        const QImage wild = argb(art.bookTop(rank, 2));
        QCOMPARE(art.bookTop(rank, 1).cacheKey(), art.picture(P::NormalTop, rank).cacheKey());
        QCOMPARE(art.bookTop(rank, 2).cacheKey(), art.picture(P::WildTop, rank).cacheKey());
        QVERIFY2(differingFraction(normal, wild) > 0.2, qPrintable(QString::number(rank)));
        // the wild frame is gold: warm where the normal one is white
        const QRgb edgeWild = wild.pixel(1, 24), edgeNormal = normal.pixel(1, 24);
        QVERIFY(qRed(edgeWild) - qBlue(edgeWild) > 60);
        QVERIFY(qAbs(qRed(edgeNormal) - qBlue(edgeNormal)) < 50);
    }
}

void TestBoardArt::arrowsPointAtTheirBoards()
{
    // The head spans the full height; the shaft leaves the top rows clear. The green arrow
    // points left at the green board, the blue one right.
    const BoardArt art;
    const QImage green = argb(art.teamPicture(P::Arrow, 1));
    const QImage blue = argb(art.teamPicture(P::Arrow, 2));
    auto opaque = [](const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)) > 128; };
    QVERIFY(opaque(green, 16, 2));
    QVERIFY(!opaque(green, 20, 2));
    QVERIFY(!opaque(green, 89, 2));
    QVERIFY(opaque(blue, 89, 2));
    QVERIFY(!opaque(blue, 85, 2));
    QVERIFY(!opaque(blue, 16, 2));
    QVERIFY(opaque(green, 2, 11) && opaque(blue, 103, 11));
    // green and blue in their team colours
    auto dominant = [](const QImage& img) {
        qint64 r = 0, gr = 0, bl = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                if (qAlpha(p) < 200) continue;
                r += qRed(p), gr += qGreen(p), bl += qBlue(p);
            }
        return gr > bl ? (gr > r ? 'g' : 'r') : (bl > r ? 'b' : 'r');
    };
    QCOMPARE(dominant(green), 'g');
    QCOMPARE(dominant(blue), 'b');
    QVERIFY(art.teamPicture(P::Arrow, 0).isNull());
}

void TestBoardArt::textsOnBadgeAndHeaderStayReadable()
{
    const BoardArt art;
    // the "+500" label is written in a pale cream at (7, 6) on the badge
    const QImage badge = argb(art.picture(P::Badge));
    QVERIFY(meanLuminance(badge, QRect(7, 6, 32, 13)) < 0.35);
    const double pale = (0.2126 * 0xF2 + 0.7152 * 0xF0 + 0.0722 * 0xC8) / 255.0;
    QVERIFY(pale - meanLuminance(badge, QRect(7, 6, 32, 13)) > 0.5);
    // the board headings are written over the header bands
    const QColor text = BoardArt::headerTextColor();
    const double textLum =
        (0.2126 * text.red() + 0.7152 * text.green() + 0.0722 * text.blue()) / 255.0;
    for (int v = 0; v < 2; ++v) {
        const QImage header = argb(art.picture(P::Header, v));
        QVERIFY(opaqueFraction(header) > 0.97);
        QVERIFY(textLum - meanLuminance(header, QRect(0, 0, header.width(), header.height())) >
                0.45);
    }
}

void TestBoardArt::backgroundCoversItsTile()
{
    const BoardArt art;
    const QImage tile = argb(art.picture(P::Background));
    QCOMPARE(opaqueFraction(tile), 1.0);
    // the window's cream, quietly textured
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            r += qRed(tile.pixel(x, y)), g += qGreen(tile.pixel(x, y)),
                b += qBlue(tile.pixel(x, y));
        }
    const double n = tile.width() * tile.height();
    QVERIFY(qAbs(r / n - 0xF4) < 14);
    QVERIFY(qAbs(g / n - 0xF5) < 14);
    QVERIFY(qAbs(b / n - 0xD6) < 14);
    QVERIFY(colourCount(tile) >= 4);
}

void TestBoardArt::variantsOutsideTheRangeGiveNoPicture()
{
    const BoardArt art;
    QVERIFY(art.bookTop(13, 1).isNull());
    QVERIFY(art.bookTop(-1, 2).isNull());
    QVERIFY(art.cardEdge(5).isNull());
    QVERIFY(art.smiley(18).isNull());
    QVERIFY(art.smiley(-1).isNull());
    QVERIFY(art.teamPicture(P::Header, 3).isNull());
    QVERIFY(art.picture(P::Logo, 1).isNull());
    QVERIFY(BoardArt::size(P::Smiley, 18).isEmpty());
    // ranks 2 and 3 never name a book but still get a top
    QVERIFY(!art.bookTop(2, 1).isNull());
    QVERIFY(!art.bookTop(3, 2).isNull());
}

void TestBoardArt::picturesAreKeptPerRatio()
{
    const BoardArt art;
    const QPixmap a = art.smiley(4);
    QCOMPARE(art.smiley(4).cacheKey(), a.cacheKey());
    const QPixmap b = art.smiley(4, 2.0);
    QVERIFY(b.cacheKey() != a.cacheKey());
    QCOMPARE(art.smiley(4, 2.0).cacheKey(), b.cacheKey());
    // drawing again gives the same picture
    QCOMPARE(imageHash(argb(BoardArt::draw(P::Smiley, 4, 1.0))), imageHash(argb(a)));
}

QTEST_MAIN(TestBoardArt)
#include "test_boardart.moc"
