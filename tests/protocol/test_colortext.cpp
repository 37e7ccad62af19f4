// Colour values and their texts, as the chat messages and the settings file carry them.
#include "protocol/colortext.h"

#include <QtTest>

using namespace quornet::protocol;

class TestColorText : public QObject {
    Q_OBJECT
private slots:
    void colourValuesBecomeTexts()
    {
        QCOMPARE(ColorText::toText(0x000000), QStringLiteral("clBlack"));
        QCOMPARE(ColorText::toText(0xFF0000), QStringLiteral("clBlue"));
        QCOMPARE(ColorText::toText(0x800000), QStringLiteral("clNavy"));
        QCOMPARE(ColorText::toText(0xC0C0C0), QStringLiteral("clSilver"));
        QCOMPARE(ColorText::toText(0x1FFFFFFF), QStringLiteral("clNone"));
        QCOMPARE(ColorText::toText(0x80000000), QStringLiteral("clScrollBar"));
        QCOMPARE(ColorText::toText(0x80000008), QStringLiteral("clWindowText"));
        QCOMPARE(ColorText::toText(0x80000018), QStringLiteral("clInfoBk"));
        // Unnamed values: "$" and eight upper-case hex digits.
        QCOMPARE(ColorText::toText(0x00FF00FF), QStringLiteral("clFuchsia"));
        QCOMPARE(ColorText::toText(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
        QCOMPARE(ColorText::toText(0x80000019), QStringLiteral("$80000019"));
        QCOMPARE(ColorText::toText(1), QStringLiteral("$00000001"));
    }

    void colourTextsBecomeValues()
    {
        quint32 v = 7;
        QVERIFY(ColorText::fromText(QStringLiteral("clblack"), &v));
        QCOMPARE(v, 0u);
        QVERIFY(ColorText::fromText(QStringLiteral("CLBLUE"), &v));
        QCOMPARE(v, 0xFF0000u);
        QVERIFY(ColorText::fromText(QStringLiteral("clBtnFace"), &v));
        QCOMPARE(v, 0x8000000Fu);
        QVERIFY(ColorText::fromText(QStringLiteral("$00FF00FF"), &v));
        QCOMPARE(v, 0xFF00FFu);
        QVERIFY(ColorText::fromText(QStringLiteral("$abc"), &v));
        QCOMPARE(v, 0xABCu);
        QVERIFY(ColorText::fromText(QStringLiteral("255"), &v));
        QCOMPARE(v, 0xFFu);
        QVERIFY(ColorText::fromText(QStringLiteral("-2147483643"), &v)); // a signed system colour
        QCOMPARE(v, 0x80000005u);
        // Unreadable texts leave the value alone.
        v = 42;
        for (const char* bad : {"", "$", "blue", "12ab", "$12345678A", "$-1", "0x10", "cl Black",
                                "99999999999"}) {
            QVERIFY2(!ColorText::fromText(QString::fromLatin1(bad), &v), bad);
            QCOMPARE(v, 42u);
        }
        bool ok = true;
        QCOMPARE(ColorText::fromText(QStringLiteral("nonsense"), 0x0000FFu, &ok), 0x0000FFu);
        QVERIFY(!ok);
        QCOMPARE(ColorText::fromText(QStringLiteral("clLime"), 0x0000FFu, &ok), 0x00FF00u);
        QVERIFY(ok);
    }

    void everyNameReadsBack()
    {
        const QList<quint32> values{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                    0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x1FFFFFFF, 0x123456};
        QList<quint32> all = values;
        for (quint32 i = 0; i < 25; ++i) all.append(0x80000000u + i);
        for (quint32 value : all) {
            quint32 back = 0xDEAD;
            QVERIFY(ColorText::fromText(ColorText::toText(value), &back));
            QCOMPARE(back, value);
            // Names read in any letter case.
            QVERIFY(ColorText::fromText(ColorText::toText(value).toLower(), &back));
            QCOMPARE(back, value);
        }
        int index = -1;
        QVERIFY(ColorText::isSystemColor(0x80000018, &index));
        QCOMPARE(index, 24);
        QVERIFY(!ColorText::isSystemColor(0x80000019));
        QCOMPARE(ColorText::toArgb(0x0000FF), 0xFFFF0000u); // red
        QCOMPARE(ColorText::toArgb(0xFF0000), 0xFF0000FFu); // blue
        QCOMPARE(ColorText::toArgb(0x80000008, 0xFF123456), 0xFF123456u);
    }
};

QTEST_GUILESS_MAIN(TestColorText)
#include "test_colortext.moc"
