#include "protocol/colortext.h"

#include <array>

namespace quornet::protocol {

namespace {

struct Named {
    quint32 value;
    const char* name;
};

constexpr std::array<Named, 17> PlainColors{{
    {0x000000, "clBlack"},   {0x000080, "clMaroon"}, {0x008000, "clGreen"},
    {0x008080, "clOlive"},   {0x800000, "clNavy"},   {0x800080, "clPurple"},
    {0x808000, "clTeal"},    {0x808080, "clGray"},   {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},     {0x00FF00, "clLime"},   {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},    {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},   {0x1FFFFFFF, "clNone"},
}};

constexpr std::array<const char*, colors::SystemColorCount> SystemNames{
    "clScrollBar",   "clBackground",    "clActiveCaption",       "clInactiveCaption",
    "clMenu",        "clWindow",        "clWindowFrame",         "clMenuText",
    "clWindowText",  "clCaptionText",   "clActiveBorder",        "clInactiveBorder",
    "clAppWorkSpace", "clHighlight",    "clHighlightText",       "clBtnFace",
    "clBtnShadow",   "clGrayText",      "clBtnText",             "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",   "cl3DLight",             "clInfoText",
    "clInfoBk",
};

bool readNumber(const QString& text, quint32* value)
{
    bool ok = false;
    if (text.startsWith(QLatin1Char('$'))) {
        const QString digits = text.mid(1);
        if (digits.isEmpty() || digits.size() > 8) return false;
        for (QChar c : digits)
            if (!c.isDigit() &&
                !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
                return false;
        const quint32 v = digits.toUInt(&ok, 16);
        if (!ok) return false;
        *value = v;
        return true;
    }
    // Decimal: an optional sign and digits only, within the 32-bit range (signed or unsigned).
    int i = 0;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) i = 1;
    if (i >= text.size()) return false;
    for (int k = i; k < text.size(); ++k)
        if (text[k] < QLatin1Char('0') || text[k] > QLatin1Char('9')) return false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < -2147483648LL || v > 4294967295LL) return false;
    *value = quint32(v);
    return true;
}

} // namespace

QString ColorText::toText(quint32 value)
{
    for (const Named& n : PlainColors)
        if (n.value == value) return QString::fromLatin1(n.name);
    int index = 0;
    if (isSystemColor(value, &index)) return QString::fromLatin1(SystemNames[std::size_t(index)]);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

bool ColorText::fromText(const QString& text, quint32* value)
{
    const QString t = text.trimmed();
    for (const Named& n : PlainColors) {
        if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *value = n.value;
            return true;
        }
    }
    for (std::size_t i = 0; i < SystemNames.size(); ++i) {
        if (t.compare(QLatin1String(SystemNames[i]), Qt::CaseInsensitive) == 0) {
            *value = colors::SystemBase + quint32(i);
            return true;
        }
    }
    return readNumber(t, value);
}

quint32 ColorText::fromText(const QString& text, quint32 fallback, bool* ok)
{
    quint32 v = fallback;
    const bool read = fromText(text, &v);
    if (ok) *ok = read;
    return read ? v : fallback;
}

bool ColorText::isSystemColor(quint32 value, int* index)
{
    if (value < colors::SystemBase || value >= colors::SystemBase + colors::SystemColorCount)
        return false;
    if (index) *index = int(value - colors::SystemBase);
    return true;
}

quint32 ColorText::toArgb(quint32 value, quint32 fallbackArgb)
{
    if (value > 0xFFFFFF) return fallbackArgb;
    const quint32 r = value & 0xFF;
    const quint32 g = (value >> 8) & 0xFF;
    const quint32 b = (value >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

} // namespace quornet::protocol
