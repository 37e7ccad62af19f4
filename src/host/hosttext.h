// What the host makes of free text from a connection before it keeps or relays it: names and
// chat are 8-bit text of the peer's choosing, so they are cut to a sensible length and cleared
// of control characters (a line break in a chat would otherwise forge a line of its own in every
// table window, a 60 KB name would be relayed to everybody). Log lines show control characters
// escaped, so a name cannot forge a line of the host's log either.
#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>


namespace quornet::host {

inline constexpr int MaxNameLength = 24;
inline constexpr int MaxChatLength = 400;
// "clInactiveCaptionText" is the longest colour name; "$" and eight digits are shorter.
inline constexpr int MaxColourLength = 32;

// A bare byte below 0x20 or DEL: never part of a name or a chat line.
constexpr bool isControl(char c) { return uchar(c) < 0x20 || uchar(c) == 0x7F; }

// The name without control characters and surrounding blanks, at most MaxNameLength
// characters; empty when nothing is left (the caller then gives the seat's default name).
QByteArray cleanName(const QByteArray& name);

// The relayed text of a chat or an action, "text|colour": control characters become blanks, the
// text is cut to MaxChatLength characters and the colour text to MaxColourLength.
QByteArray cleanChat(const QByteArray& textAndColour);

// A chatter sound's name as CMD_playasound carries it ("wave1+" .. "wave20+"): true when it
// names one of the twenty sounds.
bool isChatterSound(const QByteArray& rest);

// The host's sentences go out in English, whole, with %1..%9 for what changes; they are marked
// for the translation template (context HostText) where they are written.
// fillIn gives the sentence with %1..%9 replaced by the arguments, in one pass: an argument is
// never read for placeholders. Bytes, as the wire carries them, so a name goes out as it came in.

QByteArray fillIn(const char* sentence, std::initializer_list<QByteArray> args);

// Text for a log line: printable characters as they are, control characters escaped
// ("\n", "\x07"), read as wire text; at most `limit` bytes of the text shown.
QString logText(const QByteArray& text, int limit = 80);

} // namespace quornet::host
