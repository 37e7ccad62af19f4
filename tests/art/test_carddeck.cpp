// Card decks: discovery of the installed SVG decks, rendering of the 55 card pictures at a
// device pixel ratio, jokers drawn for decks without one, and the painted deck used when no deck
// is installed.
#include "imagecheck.h"
#include "minideck.h"

#include "art/carddeck.h"
#include "art/deckcatalog.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace quornet::art;
using namespace quornet::testing;

namespace
{

// Every card present, 71 x 96 logical, mostly opaque, showing more than bare paper, and no two
// cards alike.
void verifyFullDeck(const CardDeck& deck, qreal ratio)
{
    QSet<QByteArray> hashes;
    for (int code = 0; code < CardDeck::CardCount; ++code) {
        const QPixmap pm = deck.card(code, ratio);
        QVERIFY2(!pm.isNull(), qPrintable(QString::number(code)));
        QCOMPARE(pm.deviceIndependentSize(), QSizeF(71, 96));
        QCOMPARE(pm.devicePixelRatio(), ratio);
        QCOMPARE(pm.size(), QSize(qRound(71 * ratio), qRound(96 * ratio)));
        const QImage img = argb(pm);
        QVERIFY2(opaqueFraction(img) > 0.9, qPrintable(QString::number(code)));
        QVERIFY2(colourCount(img) >= 3, qPrintable(QString::number(code)));
        const QRgb paper = img.pixel(img.width() / 2, qRound(3 * ratio));
        if (code != 0) // a face has marks on its paper
            QVERIFY2(inkFraction(img, paper) > 0.02, qPrintable(QString::number(code)));
        hashes.insert(imageHash(img));
    }
    QCOMPARE(hashes.size(), CardDeck::CardCount);
}

bool isGrey(const QImage& img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            if (qAbs(qRed(p) - qGreen(p)) > 2 || qAbs(qGreen(p) - qBlue(p)) > 2) return false;
        }
    return true;
}

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) + qAbs(qGreen(a) - b.green()) + qAbs(qBlue(a) - b.blue()) < 12;
}

} // namespace

class TestCardDeck : public QObject
{
    Q_OBJECT

private slots:
    void elementNamesFollowTheCardCodes();
    void installedDecksAreFoundWithTheirNames();
    void defaultDeckHasBothJokersAndAllFacesDistinct();
    void picturesAreKeptPerRatio();
    void codesOutsideTheDeckGiveNoPicture();
    void unknownDeckIdOpensTheDefault();
    void elementsAreMappedOntoTheCardBox();
    void deckWithoutJokerGetsDrawnJokers();
    void deckWithOneJokerUsesItTwice();
    void brokenDeckFoldersAreSkipped();
    void firstDataFolderWinsForTheSameDeck();
    void emptyDataFolderGivesThePaintedDeck();
    void paintedDeckAtRatioTwo();
};

void TestCardDeck::elementNamesFollowTheCardCodes()
{
    QCOMPARE(CardDeck::elementName(0), QStringLiteral("back"));
    QCOMPARE(CardDeck::elementName(1), QStringLiteral("black_joker"));
    QCOMPARE(CardDeck::elementName(2), QStringLiteral("2_club"));
    QCOMPARE(CardDeck::elementName(11), QStringLiteral("jack_club"));
    QCOMPARE(CardDeck::elementName(13), QStringLiteral("king_club"));
    QCOMPARE(CardDeck::elementName(14), QStringLiteral("1_club"));
    QCOMPARE(CardDeck::elementName(15), QStringLiteral("2_diamond"));
    QCOMPARE(CardDeck::elementName(27), QStringLiteral("1_diamond"));
    QCOMPARE(CardDeck::elementName(36), QStringLiteral("10_spade"));
    QCOMPARE(CardDeck::elementName(37), QStringLiteral("jack_spade"));
    QCOMPARE(CardDeck::elementName(40), QStringLiteral("1_spade"));
    QCOMPARE(CardDeck::elementName(51), QStringLiteral("queen_heart"));
    QCOMPARE(CardDeck::elementName(53), QStringLiteral("1_heart"));
    QCOMPARE(CardDeck::elementName(54), QStringLiteral("red_joker"));
    QVERIFY(CardDeck::elementName(55).isEmpty());
    QVERIFY(CardDeck::elementName(-1).isEmpty());
}

void TestCardDeck::installedDecksAreFoundWithTheirNames()
{
    const DeckCatalog catalog;
    QVERIFY2(catalog.decks().size() >= 10, "the card deck package is not installed");
    const DeckInfo* white = catalog.find(QStringLiteral("svg-nicu-white"));
    QVERIFY(white);
    QCOMPARE(white->name, QStringLiteral("Nicu White"));
    QVERIFY(white->svgFile.endsWith(QStringLiteral("svg-nicu-white/white.svgz")));
    const DeckInfo* standard = catalog.find(QStringLiteral("svg-standard"));
    QVERIFY(standard);
    QCOMPARE(standard->name, QStringLiteral("Standard"));
    QSet<QString> ids;
    for (int i = 0; i < catalog.decks().size(); ++i) {
        const DeckInfo& d = catalog.decks()[i];
        QVERIFY(d.id.startsWith(QStringLiteral("svg-")));
        QVERIFY(!d.name.isEmpty());
        QVERIFY(!d.name.contains(QLatin1Char('['))); // the untranslated name
        QVERIFY(QFile::exists(d.svgFile));
        QVERIFY(!ids.contains(d.id));
        ids.insert(d.id);
        if (i > 0) QVERIFY(QString::localeAwareCompare(catalog.decks()[i - 1].name, d.name) <= 0);
    }
    QCOMPARE(catalog.defaultDeckId(), QStringLiteral("svg-nicu-white"));
}

void TestCardDeck::defaultDeckHasBothJokersAndAllFacesDistinct()
{
    const DeckCatalog catalog;
    const CardDeck deck = CardDeck::openDefault(catalog);
    QVERIFY(!deck.isPainted());
    QCOMPARE(deck.id(), QStringLiteral("svg-nicu-white"));
    QCOMPARE(deck.name(), QStringLiteral("Nicu White"));
    for (int code = 0; code < CardDeck::CardCount; ++code)
        QVERIFY(!deck.isDrawn(code));
    verifyFullDeck(deck, 1.0);
    // the red joker's corner word is red, the black joker's is not
    auto redShare = [](const QImage& img) {
        qint64 n = 0;
        for (int y = 0; y < img.height() / 2; ++y)
            for (int x = 0; x < img.width() / 5; ++x) {
                const QRgb p = img.pixel(x, y);
                if (qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90) ++n;
            }
        return double(n) / (img.width() / 5 * img.height() / 2);
    };
    QVERIFY(redShare(argb(deck.card(54))) > 0.01);
    QVERIFY(redShare(argb(deck.card(54))) > 3 * redShare(argb(deck.card(1))));
}

void TestCardDeck::picturesAreKeptPerRatio()
{
    const DeckCatalog catalog;
    const CardDeck deck = CardDeck::openDefault(catalog);
    const QPixmap one = deck.card(13, 1.0);
    QCOMPARE(deck.card(13, 1.0).cacheKey(), one.cacheKey());
    const QPixmap two = deck.card(13, 2.0);
    QVERIFY(two.cacheKey() != one.cacheKey());
    QCOMPARE(two.size(), QSize(142, 192));
    QCOMPARE(two.deviceIndependentSize(), QSizeF(71, 96));
    QCOMPARE(deck.card(13, 2.0).cacheKey(), two.cacheKey());
    // the dense picture is a sharper copy of the same card, not a blown-up one
    const QImage big = argb(two);
    const QImage down = big.scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(differingFraction(down, argb(one)) < 0.08);
    QVERIFY(colourCount(big, 4096) > colourCount(argb(one), 4096));
}

void TestCardDeck::codesOutsideTheDeckGiveNoPicture()
{
    const CardDeck painted;
    QVERIFY(painted.card(-1).isNull());
    QVERIFY(painted.card(55).isNull());
    const CardDeck deck = CardDeck::openDefault(DeckCatalog());
    QVERIFY(deck.card(-1).isNull());
    QVERIFY(deck.card(55).isNull());
    QVERIFY(deck.isDrawn(55));
}

void TestCardDeck::unknownDeckIdOpensTheDefault()
{
    const DeckCatalog catalog;
    const CardDeck deck = CardDeck::open(catalog, QStringLiteral("svg-no-such-deck"));
    QCOMPARE(deck.id(), catalog.defaultDeckId());
    const CardDeck standard = CardDeck::open(catalog, QStringLiteral("svg-standard"));
    QCOMPARE(standard.id(), QStringLiteral("svg-standard"));
    QCOMPARE(standard.name(), QStringLiteral("Standard"));
}

void TestCardDeck::elementsAreMappedOntoTheCardBox()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeMiniDeck(dir.path(), QStringLiteral("svg-mini"), QStringLiteral("Mini"),
                          MiniJokers::Both));
    const DeckCatalog catalog({dir.path()});
    QCOMPARE(catalog.decks().size(), 1);
    QCOMPARE(catalog.decks()[0].name, QStringLiteral("Mini"));
    const CardDeck deck(catalog.decks()[0]);
    QVERIFY(!deck.isPainted());
    for (qreal ratio : {1.0, 2.0}) {
        for (int code : {0, 1, 2, 13, 14, 27, 40, 53, 54}) {
            QVERIFY(!deck.isDrawn(code));
            const QImage img = argb(deck.card(code, ratio));
            const QColor colour = miniCardColour(code);
            // the element fills the whole card: its colour reaches every corner ...
            const int w = img.width(), h = img.height();
            QVERIFY2(near(img.pixel(w - 2, 1), colour), qPrintable(QString::number(code)));
            QVERIFY2(near(img.pixel(1, h - 2), colour), qPrintable(QString::number(code)));
            QVERIFY2(near(img.pixel(w - 2, h - 2), colour), qPrintable(QString::number(code)));
            QVERIFY2(near(img.pixel(w / 2, h / 2), colour), qPrintable(QString::number(code)));
            // ... and its black square sits in the top left third, scaled with the card
            QVERIFY2(near(img.pixel(qRound(20 * ratio), qRound(20 * ratio)), Qt::black),
                     qPrintable(QString::number(code)));
            QVERIFY(near(img.pixel(qRound(40 * ratio), qRound(20 * ratio)), colour));
        }
    }
}

void TestCardDeck::deckWithoutJokerGetsDrawnJokers()
{
    QTemporaryDir dir;
    QVERIFY(writeMiniDeck(dir.path(), QStringLiteral("svg-nojoker"), QStringLiteral("No Joker"),
                          MiniJokers::None));
    const DeckCatalog catalog({dir.path()});
    QCOMPARE(catalog.defaultDeckId(), QStringLiteral("svg-nojoker"));
    const CardDeck deck = CardDeck::openDefault(catalog);
    QVERIFY(!deck.isPainted());
    QVERIFY(deck.isDrawn(1));
    QVERIFY(deck.isDrawn(54));
    QVERIFY(!deck.isDrawn(0));
    QVERIFY(!deck.isDrawn(53));
    verifyFullDeck(deck, 1.0);
    // the drawn jokers are complete cards, not the deck's rectangles
    const QImage red = argb(deck.card(54));
    QVERIFY(!near(red.pixel(35, 48), miniCardColour(54)));
    QVERIFY(colourCount(red, 256) > 30);
    QVERIFY(differingFraction(red, argb(deck.card(1))) > 0.1);

    // an installed deck without jokers as well
    const DeckCatalog installed;
    const CardDeck standard = CardDeck::open(installed, QStringLiteral("svg-standard"));
    QCOMPARE(standard.id(), QStringLiteral("svg-standard"));
    QVERIFY(standard.isDrawn(54));
    QVERIFY(!standard.isDrawn(2));
    verifyFullDeck(standard, 1.0);
}

void TestCardDeck::deckWithOneJokerUsesItTwice()
{
    QTemporaryDir dir;
    QVERIFY(writeMiniDeck(dir.path(), QStringLiteral("svg-onejoker"), QStringLiteral("One Joker"),
                          MiniJokers::Single));
    const CardDeck deck = CardDeck::openDefault(DeckCatalog({dir.path()}));
    QVERIFY(!deck.isDrawn(54));
    QVERIFY(!deck.isDrawn(1));
    const QImage red = argb(deck.card(54));
    const QImage black = argb(deck.card(1));
    QVERIFY(near(red.pixel(35, 60), miniCardColour(54)));
    QVERIFY(isGrey(black));
    QVERIFY(!isGrey(red));
    QVERIFY(imageHash(red) != imageHash(black));
}

void TestCardDeck::brokenDeckFoldersAreSkipped()
{
    QTemporaryDir dir;
    const QString decks = dir.filePath(QStringLiteral("carddecks"));
    QVERIFY(writeMiniDeck(dir.path(), QStringLiteral("svg-good"), QStringLiteral("Good"),
                          MiniJokers::Both));
    auto writeDesktop = [&](const QString& id, const QByteArray& text) {
        QVERIFY(writeFile(decks + QLatin1Char('/') + id + QStringLiteral("/index.desktop"), text));
    };
    writeDesktop(QStringLiteral("svg-nofile"), "[KDE Backdeck]\nName=No File\nSVG=missing.svgz\n");
    writeDesktop(QStringLiteral("svg-nosvg"), "[KDE Backdeck]\nName=No SVG\n");
    writeDesktop(QStringLiteral("svg-escape"),
                 "[KDE Backdeck]\nName=Escape\nSVG=../svg-good/mini.svg\n");
    QVERIFY(QDir().mkpath(decks + QStringLiteral("/svg-nodesktop")));
    // a folder not named svg-* is no SVG deck
    QVERIFY(writeMiniDeck(dir.path(), QStringLiteral("cards-other"), QStringLiteral("Other"),
                          MiniJokers::Both));
    const DeckCatalog catalog({dir.path()});
    QCOMPARE(catalog.decks().size(), 1);
    QCOMPARE(catalog.decks()[0].id, QStringLiteral("svg-good"));

    // a picture file that is not an SVG gives the painted deck
    DeckInfo bad{QStringLiteral("svg-bad"), QStringLiteral("Bad"),
                 dir.filePath(QStringLiteral("bad.svg"))};
    QVERIFY(writeFile(bad.svgFile, "this is not svg"));
    const CardDeck deck(bad);
    QVERIFY(deck.isPainted());
    QVERIFY(!deck.card(20).isNull());
}

void TestCardDeck::firstDataFolderWinsForTheSameDeck()
{
    QTemporaryDir a, b;
    QVERIFY(writeMiniDeck(a.path(), QStringLiteral("svg-same"), QStringLiteral("First"),
                          MiniJokers::Both));
    QVERIFY(writeMiniDeck(b.path(), QStringLiteral("svg-same"), QStringLiteral("Second"),
                          MiniJokers::Both));
    QVERIFY(writeMiniDeck(b.path(), QStringLiteral("svg-nicu-white"), QStringLiteral("Nicu"),
                          MiniJokers::Both));
    const DeckCatalog catalog({a.path(), b.path()});
    QCOMPARE(catalog.decks().size(), 2);
    QCOMPARE(catalog.find(QStringLiteral("svg-same"))->name, QStringLiteral("First"));
    QVERIFY(catalog.find(QStringLiteral("svg-same"))->svgFile.startsWith(a.path()));
    // the preferred deck is the default wherever it was found
    QCOMPARE(catalog.defaultDeckId(), QStringLiteral("svg-nicu-white"));
}

void TestCardDeck::emptyDataFolderGivesThePaintedDeck()
{
    QTemporaryDir dir;
    const DeckCatalog catalog({dir.path(), dir.filePath(QStringLiteral("missing"))});
    QVERIFY(catalog.isEmpty());
    QVERIFY(catalog.defaultDeckId().isEmpty());
    QVERIFY(!catalog.find(QStringLiteral("svg-nicu-white")));
    const CardDeck deck = CardDeck::openDefault(catalog);
    QVERIFY(deck.isPainted());
    QVERIFY(!deck.name().isEmpty());
    for (int code = 0; code < CardDeck::CardCount; ++code)
        QVERIFY(deck.isDrawn(code));
    verifyFullDeck(deck, 1.0);
    // suit colours: hearts and diamonds red, clubs and spades dark
    auto redInk = [&](int code) {
        const QImage img = argb(deck.card(code));
        qint64 red = 0, dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                if (qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80) ++red;
                if (qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60) ++dark;
            }
        return red > dark;
    };
    for (int code : {15, 20, 27, 41, 48, 53})
        QVERIFY2(redInk(code), qPrintable(QString::number(code)));
    for (int code : {2, 9, 14, 28, 35, 40})
        QVERIFY2(!redInk(code), qPrintable(QString::number(code)));
}

void TestCardDeck::paintedDeckAtRatioTwo()
{
    const CardDeck deck;
    verifyFullDeck(deck, 2.0);
    const QImage one = argb(deck.card(5, 1.0));
    const QImage two = argb(deck.card(5, 2.0));
    const QImage down = two.scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(differingFraction(down, one) < 0.08);
}

QTEST_MAIN(TestCardDeck)
#include "test_carddeck.moc"
