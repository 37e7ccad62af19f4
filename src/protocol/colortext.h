// Colour values and colour texts.
//
// Colours are 32-bit values in the 0x00BBGGRR encoding (0xFF0000 is blue, 0x0000FF red).
// Chat messages and the settings file carry them as colour texts: a name of the colour table
// ("clBlack", "clBtnFace", ...) or "$" and eight upper-case hexadecimal digits. Values from
// 0x80000000 up name the desktop's system colours by index (clScrollBar = 0x80000000 ...
// clInfoBk = 0x80000018); the view maps them to its palette.
#pragma once

#include <QString>
#include <QtGlobal>

namespace quornet::protocol {

namespace colors {
inline constexpr quint32 Black = 0x000000;
inline constexpr quint32 Red = 0x0000FF;
inline constexpr quint32 Blue = 0xFF0000;   // system notices
inline constexpr quint32 Navy = 0x800000;   // "has left." notices
inline constexpr quint32 Green = 0x008000;
inline constexpr quint32 Silver = 0xC0C0C0;
inline constexpr quint32 Yellow = 0x00FFFF;
inline constexpr quint32 Maroon = 0x000080;
inline constexpr quint32 None = 0x1FFFFFFF;
inline constexpr quint32 SystemBase = 0x80000000;
inline constexpr int SystemColorCount = 25;
inline constexpr quint32 WindowText = SystemBase + 8; // clWindowText
} // namespace colors

class ColorText {
public:
    // The name of the value when the table has one, else "$" and eight upper-case hex digits.
    static QString toText(quint32 value);

    // Reads a colour name (any letter case), "$" and hexadecimal digits, or a decimal integer
    // (negative values read as their 32-bit pattern). Returns false for anything else and then
    // leaves *value unchanged.
    static bool fromText(const QString& text, quint32* value);

    // fromText with a fallback for texts that cannot be read.
    static quint32 fromText(const QString& text, quint32 fallback, bool* ok = nullptr);

    // True for 0x80000000 + 0..24; *index receives the system colour index.
    static bool isSystemColor(quint32 value, int* index = nullptr);

    // 0xAARRGGBB (opaque) for a plain 0x00BBGGRR value, ready for QColor::fromRgba. System
    // colours and clNone have no fixed RGB: the fallback is returned for them.
    static quint32 toArgb(quint32 value, quint32 fallbackArgb = 0xFF000000);
};

} // namespace quornet::protocol
