// Chat: received chat and action lines, the chat entry, quick phrases and chatter sounds.
#include "protocol/messages.h"
#include "protocol/colortext.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

#include <array>

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::dropped;

namespace {

constexpr int ChatterSounds = 20;

constexpr std::array<const char*, ChatterSounds> SoundCaptions{
    "Doh",   "Cough",  "Hello",      "Thank You", "Where have you been?", "Snoring",
    "Sneezing", "Sorry", "Welcome",  "Yeehaa",    "Yippee",               "Oh No",
    "Applause", "Honk", "Oooh",      "Razzberry", "Cheer",                "Woman Laughing",
    "Man Laughing", "Crying",
};

// "wave1".."wave20" in any letter case; 0 for any other name.
int chatterSoundNumber(const QByteArray& name)
{
    if (!name.toLower().startsWith("wave")) return 0;
    int n = 0;
    if (!parseInt(name.mid(4), &n) || n < 1 || n > ChatterSounds || name.mid(4).startsWith('-'))
        return 0;
    return n;
}

} // namespace

QString TableModel::chatterSoundCaption(int n)
{
    if (n < 1 || n > ChatterSounds) return {};
    return QString::fromLatin1(SoundCaptions[std::size_t(n - 1)]);
}

void TableModel::chatrecieved(const QByteArray& args, bool isChat)
{
    const char* word = isChat ? cmd::Chat : cmd::Action;
    Args a(args);
    // Participant 0 is the host itself (a notice such as a hung turn taken over).
    const int sender = a.number("participant", 0, MaxParticipant);
    if (!a.ok()) return dropped(word, args, a.problem());
    if (sender != 0 && isParticipantMuted(sender)) return;

    // The line text ends at the first "|"; the colour text follows it. A missing or unreadable
    // colour shows the line in red.
    const QString payload = protocol::fromWire(args);
    const qsizetype bar = payload.indexOf(QLatin1Char('|'));
    quint32 colour = protocol::colors::Red;
    QString line = payload;
    if (bar >= 0) {
        line = payload.left(bar);
        colour = protocol::ColorText::fromText(payload.mid(bar + 1), protocol::colors::Red);
    }
    // The solo player's own lines, relayed as "You chats:" and "You says:", read as English.
    if (m_s.solo && sender == m_s.own) {
        const QString you = QString::number(sender) + QLatin1Char('+') + m_s.playerName;
        if (line.startsWith(you + QStringLiteral(" chats: ")))
            line = you + QStringLiteral(" chat: ") + line.mid(you.size() + 8);
        else if (line.startsWith(you + QStringLiteral(" says: ")))
            line = you + QStringLiteral(" say: ") + line.mid(you.size() + 7);
    }
    m_chat.addlinetochat(line, colour);
    if (isChat && sender != 0 && m_s.seats[2].name == QLatin1String("Klot")) emit chatReceived();
}

// ---- Muting ----------------------------------------------------------------------------------

QString TableModel::participantName(int participant) const
{
    if (participant >= 1 && participant <= SeatCount) {
        const QString name = seatName(participant);
        return name == QLatin1String(WaitingName) ? QString() : name;
    }
    const QString prefix = QString::number(participant) + QStringLiteral(": ");
    for (const QString& entry : m_s.spectators)
        if (entry.startsWith(prefix)) return entry.mid(prefix.size());
    return {};
}

void TableModel::setMuted(const QString& name, bool muted)
{
    // The own name cannot be muted: the own lines come back from the host like everyone's.
    if (name.isEmpty() || name == m_s.playerName) return;
    if (muted == m_muted.contains(name)) return;
    Changes c(*this);
    if (muted) m_muted.insert(name);
    else m_muted.remove(name);
    notice(muted ? QStringLiteral("You are ignoring ") + name + QStringLiteral(" in this window.")
                 : QStringLiteral("You are no longer ignoring ") + name + QLatin1Char('.'),
           protocol::colors::Blue);
    touch();
}

QStringList TableModel::mutedNames() const
{
    QStringList names(m_muted.cbegin(), m_muted.cend());
    names.sort();
    return names;
}

bool TableModel::sendit(const QString& entryText, quint32 colour)
{
    if (!m_s.loggedIn) return false;
    if (entryText.isEmpty()) return true;
    const QString colourText = QLatin1Char('|') + protocol::ColorText::toText(colour);
    if (!entryText.startsWith(QLatin1Char('/'))) {
        sendMessage(msg::chat(m_s.own, protocol::toWire(entryText + colourText)));
    } else if (entryText.startsWith(QLatin1String("/me"))) {
        sendMessage(msg::action(m_s.own, protocol::toWire(entryText.mid(4) + colourText)));
    }
    return true;
}

bool TableModel::quickPhrase(const QString& phrase, quint32 colour)
{
    if (!m_s.phraseReady || !m_s.loggedIn) return false;
    const QString text = phrase.startsWith(QLatin1String("/me"))
                             ? phrase.mid(4)
                             : QStringLiteral("says: ") + phrase;
    sendMessage(
        msg::action(m_s.own, protocol::toWire(text + QLatin1Char('|') + protocol::ColorText::toText(colour))));
    Changes c(*this);
    m_s.phraseReady = false;
    m_s.phraseCounter = 0;
    touch();
    return true;
}

void TableModel::sendChatterSound(int n)
{
    if (n < 1 || n > ChatterSounds) return;
    if (!m_s.loggedIn || m_s.own < 1 || m_s.own > SeatCount) return; // spectators cannot
    sendMessage(msg::playASound(m_s.own, n));
}

void TableModel::playasound(const QByteArray& args)
{
    Args a(args);
    const int sender = a.number("participant", 1, MaxParticipant);
    const QByteArray name = a.requiredText("sound");
    if (!a.ok()) return dropped(cmd::PlayASound, args, a.problem());
    const int n = chatterSoundNumber(name);
    if (n == 0) return; // no such sound: nothing is played or shown
    if (isParticipantMuted(sender)) return;
    if (m_s.chatterSounds) {
        emit playChatterSound(QStringLiteral("wave") + QString::number(n));
    } else if (sender <= SeatCount) {
        m_chat.addlinetochat(QString::number(sender) + QLatin1Char('+') + seatName(sender) +
                                 QStringLiteral(": <Chatter Sound> ") + chatterSoundCaption(n),
                             protocol::colors::Blue);
    }
}

} // namespace quornet::table
