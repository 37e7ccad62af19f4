// The phrase editor with real mouse and key events: filling, editing, Done, the close box, the
// length limit, and the settings written the way the table window does it after Done.
#define QTEST_QPA_MOUSE_HANDLING
#include "settings/tablesettings.h"
#include "support/files.h"
#include "windows/phrases.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using quornet::settings::TableSettings;
using quornet::windows::Tphrases;

namespace {

const QStringList ButtonHints{"Way To Go!", "Good One!", "Nice Try!", "Thanks!", "Oops!",
                              "Hurry Up!",  "Sorry!",    "LOL",       "Bye!"};

struct Window {
    Tphrases phrases;
    QSignalSpy chosen{&phrases, &Tphrases::phrasesChosen};

    QLineEdit* entry(int n) const
    {
        return phrases.findChild<QLineEdit*>(QStringLiteral("phrase%1").arg(n));
    }
    QPushButton* done() const
    {
        return phrases.findChild<QPushButton*>(QStringLiteral("button_done"));
    }
    bool show(const QStringList& texts)
    {
        phrases.setPhrases(texts);
        phrases.show();
        return QTest::qWaitForWindowExposed(&phrases);
    }
    // Selects all of entry n by keyboard and types text over it.
    void retype(int n, const QString& text)
    {
        QLineEdit* e = entry(n);
        QTest::mouseClick(e, Qt::LeftButton);
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }
};

using quornet::testing::readFile;
using quornet::testing::writeFile;

} // namespace

class TestPhrases : public QObject {
    Q_OBJECT
private slots:
    void windowParts()
    {
        Window w;
        QCOMPARE(w.phrases.windowTitle(), QStringLiteral("Quornet - Phrase Buttons"));
        QCOMPARE(w.phrases.size(), QSize(383, 285));
        for (int n = 1; n <= 9; ++n) {
            QLineEdit* e = w.entry(n);
            QVERIFY(e);
            QCOMPARE(e->maxLength(), 50);
            auto* label = w.phrases.findChild<QLabel*>(QStringLiteral("label_phrase%1").arg(n));
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("Phrase Button %1:").arg(n));
            QCOMPARE(label->buddy(), e);
            QVERIFY(w.phrases.rect().contains(e->geometry()));
            QVERIFY(w.phrases.rect().contains(label->geometry()));
            if (n > 1) QVERIFY(e->y() > w.entry(n - 1)->geometry().bottom());
        }
        QVERIFY(w.done());
        QCOMPARE(w.done()->text(), QStringLiteral("Done"));
        QVERIFY(w.phrases.rect().contains(w.done()->geometry()));
        QVERIFY(w.done()->y() > w.entry(9)->geometry().bottom());
    }

    void fillingFromTheButtons()
    {
        Window w;
        w.phrases.setPhrases(ButtonHints);
        for (int n = 1; n <= 9; ++n) QCOMPARE(w.entry(n)->text(), ButtonHints[n - 1]);
        QCOMPARE(w.phrases.phrases(), ButtonHints);
        // Fewer texts empty the rest; filling again replaces everything.
        w.phrases.setPhrases({QStringLiteral("Hi")});
        QCOMPARE(w.phrases.phrases(), (QStringList{"Hi", "", "", "", "", "", "", "", ""}));
        QVERIFY(w.chosen.isEmpty());
    }

    void doneHandsBackTheTexts()
    {
        Window w;
        QVERIFY(w.show(ButtonHints));
        w.retype(3, QStringLiteral("Well played"));
        w.retype(5, QString()); // emptied
        QTest::mouseClick(w.done(), Qt::LeftButton);
        QCOMPARE(w.chosen.count(), 1);
        QStringList expected = ButtonHints;
        expected[2] = QStringLiteral("Well played");
        expected[4] = QString();
        QCOMPARE(w.chosen.at(0).at(0).toStringList(), expected);
        QTRY_VERIFY(!w.phrases.isVisible());
    }

    void closeBoxChangesNothing()
    {
        Window w;
        QVERIFY(w.show(ButtonHints));
        w.retype(1, QStringLiteral("Not kept"));
        QVERIFY(w.phrases.close());
        QVERIFY(!w.phrases.isVisible());
        QCOMPARE(w.chosen.count(), 0);
        // View > Phrase List fills it from the buttons again: the typing is gone.
        QVERIFY(w.show(ButtonHints));
        QCOMPARE(w.phrases.phrases(), ButtonHints);
        // Enter in an entry is not Done either.
        QTest::keyClick(w.entry(2), Qt::Key_Return);
        QCOMPARE(w.chosen.count(), 0);
        QVERIFY(w.phrases.isVisible());
    }

    void fiftyCharactersAtMost()
    {
        Window w;
        QVERIFY(w.show(ButtonHints));
        const QString sixty = QString(QLatin1Char('x')).repeated(60);
        w.retype(7, sixty);
        QCOMPARE(w.entry(7)->text(), sixty.left(50));
        w.phrases.setPhrases({QString(QLatin1Char('y')).repeated(70)});
        QCOMPARE(w.entry(1)->text().size(), 50);
        QTest::mouseClick(w.done(), Qt::LeftButton);
        const QStringList sent = w.chosen.at(0).at(0).toStringList();
        QCOMPARE(sent.size(), 9);
        QCOMPARE(sent[0].size(), 50);
    }

    void showOverCentresOnTheOwner()
    {
        QWidget owner;
        owner.setGeometry(100, 80, 798, 572);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        Window w;
        w.phrases.setPhrases(ButtonHints);
        w.phrases.showOver(&owner);
        QVERIFY(QTest::qWaitForWindowExposed(&w.phrases));
        // Window frames may differ by a few pixels between the two.
        const QPoint offset = w.phrases.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QVERIFY(w.phrases.isVisible());
    }

    void doneWritesTheSettingsSection()
    {
        // The table window's answer to Done: the phrases into TableSettings, Phrase1..9 written
        // into our section; every other line stays as it was.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("vexolobby.ini"));
        const QByteArray lobby = "; lobby settings\r\n[Lobby]\r\nServer = vexo.example\r\n";
        QVERIFY(writeFile(path, lobby + "[QUORNET]\r\nPhrase1=Old\r\nTextsize=12\r\n"));
        TableSettings settings;
        QVERIFY(settings.loadFrom(path));
        QCOMPARE(settings.textSize, 12);

        Window w;
        connect(&w.phrases, &Tphrases::phrasesChosen, [&](const QStringList& texts) {
            for (int i = 0; i < TableSettings::PhraseCount; ++i)
                settings.phrases[std::size_t(i)] = texts.value(i);
            QVERIFY(settings.savePhrasesTo(path));
        });
        QVERIFY(w.show(ButtonHints));
        w.retype(1, QStringLiteral("New one"));
        w.retype(9, QString());
        QTest::mouseClick(w.done(), Qt::LeftButton);
        QCOMPARE(w.chosen.count(), 1);

        const QByteArray written = readFile(path);
        QVERIFY(written.startsWith(lobby));
        QVERIFY(written.contains("Textsize=12"));
        TableSettings back;
        QVERIFY(back.loadFrom(path));
        QCOMPARE(back.phrases[0], QStringLiteral("New one"));
        QCOMPARE(back.phrases[1], QStringLiteral("Good One!"));
        QVERIFY(back.phrases[8].isEmpty()); // the button keeps its built-in phrase next time
        QCOMPARE(back.textSize, 12);
        QCOMPARE(written.count("[QUORNET]") + written.count("[quornet]"), 1);
    }
};

QTEST_MAIN(TestPhrases)
#include "test_phrases.moc"
