// Test support for TableModel: feeds host messages built with the message catalogue and
// records what the model sends, plays, announces and writes to the chat.
#pragma once

#include "protocol/framing.h"
#include "protocol/messages.h"
#include "table/core/tablemodel.h"

#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

namespace tabletest {

using namespace quornet::table;
namespace msg = quornet::protocol::msg;

struct Fixture {
    TableModel model;
    QList<QByteArray> sent;
    QStringList sounds;
    QStringList boxes;
    int changes = 0;

    Fixture()
    {
        QObject::connect(&model, &TableModel::send,
                         [this](const QByteArray& m) { sent.append(m); });
        QObject::connect(&model, &TableModel::playSound,
                         [this](const QString& s) { sounds.append(s); });
        QObject::connect(&model, &TableModel::messageBox,
                         [this](const QString& s) { boxes.append(s); });
        QObject::connect(&model, &TableModel::changed, [this] { ++changes; });
    }

    const TableState& s() const { return model.state(); }
    void feed(const QByteArray& message) { model.handleMessage(message); }

    // Logs in as participant n named name; the other names fill seats 1..4 in order.
    void login(int n, const QString& name = QStringLiteral("Ann"), bool host = false)
    {
        model.setPlayerName(name);
        model.setHosting(host);
        feed(msg::sendLoginInfo(n));
        feed(msg::newPlayerInfo(n, name.toUtf8()));
    }
    void seatOthers(const QStringList& names)
    {
        for (int i = 0; i < names.size(); ++i)
            if (i + 1 != s().own) feed(msg::existingPlayers(i + 1, names[i].toUtf8()));
    }
    // The host deals: cards[i] lands in hand slot i.
    void deal(const QList<int>& codes)
    {
        for (int i = 0; i < codes.size(); ++i) feed(msg::newCard(s().own, i, codes[i]));
    }
    // The own turn under the pick-up option, with the draw already made.
    void ownTurnDrawn()
    {
        feed(msg::nextPlayer(0, 0, true, s().own));
        model.clickDraw();
        sent.clear();
    }
    QList<int> rowSlots() const
    {
        QList<int> out;
        for (const HandCard& c : s().handRow()) out.append(c.slot);
        return out;
    }
    QList<int> rowLefts() const
    {
        QList<int> out;
        for (const HandCard& c : s().handRow()) out.append(c.left);
        return out;
    }
    QList<int> rowCodes() const
    {
        QList<int> out;
        for (const HandCard& c : s().handRow()) out.append(c.code);
        return out;
    }
    QString lastLine() const
    {
        const auto& lines = model.chat().lines();
        return lines.isEmpty() ? QString() : lines.constLast().plainText().trimmed();
    }
    QStringList chatTexts() const
    {
        QStringList out;
        for (const ChatLine& l : model.chat().lines()) out.append(l.plainText().trimmed());
        return out;
    }
    quint32 styleColor(int style) const { return model.chat().style(style).color; }
    void clearRecords()
    {
        sent.clear();
        sounds.clear();
        boxes.clear();
        changes = 0;
    }
};

// Expects one dropped-message warning of the table's logging category.
inline void expectDropped()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^dropped host message")));
}

} // namespace tabletest
