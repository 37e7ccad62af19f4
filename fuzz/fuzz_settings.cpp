// Fuzz target: the settings file reader (IniFile, TableSettings) and the colour-text reader.
//
// The input is a settings file. It is read, the table window's keys are loaded from it and
// written back (save() and savePhrases()), and then:
//   - every line of the file except our own keys' lines is still there, in the same order;
//   - the written file reads back as the same settings (values can only lose what a line
//     cannot hold: carriage returns inside a value become blanks);
//   - writing the same settings again changes nothing.
// The input is also read as a colour text (UTF-8 and Latin-1): whatever it reads as is written
// as a colour text that reads back as the same value, and so is a value made of its first four
// bytes.
#include "fuzzsupport.h"

#include "settings/inifile.h"
#include "settings/tablesettings.h"
#include "protocol/colortext.h"

#include <QStringDecoder>
#include <QtEndian>

#include <cstdint>

using namespace quornet;
using quornet::settings::IniFile;
using quornet::settings::TableSettings;
using quornet::protocol::ColorText;

namespace
{

// The lines' texts without their line endings. A last line without LF that ends in CR is
// still the same bytes once a line ending is put after it (CR LF or LF), though a reader then
// takes its CR as part of the ending: trailing CRs are not compared.
QList<QByteArray> lineTexts(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines)
        while (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A line that names one of the keys we write (any section: a conservative exemption).
bool isOurKeyLine(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return false;
    QByteArray key = line.left(eq);
    while (!key.isEmpty() && (key.front() == ' ' || key.front() == '\t'))
        key.remove(0, 1);
    while (!key.isEmpty() && (key.back() == ' ' || key.back() == '\t'))
        key.chop(1);
    const QString name = decode(key);
    for (const QString& k : TableSettings::keyOrder() + TableSettings::phraseKeys())
        if (name.compare(k, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString normalised(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    qsizetype b = 0, e = value.size();
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (b < e && blank(value[b]))
        ++b;
    while (e > b && blank(value[e - 1]))
        --e;
    return value.mid(b, e - b);
}

TableSettings normalised(TableSettings s)
{
    for (QString& p : s.phrases)
        p = normalised(p);
    s.cardDeck = normalised(s.cardDeck);
    return s;
}

void settingsFile(const QByteArray& bytes)
{
    IniFile file;
    file.setContents(bytes);
    FUZZ_CHECK(file.contents() == bytes, "reading changed the file");
    TableSettings loaded;
    loaded.load(file);
    FUZZ_CHECK(loaded.textSize >= TableSettings::MinTextSize &&
               loaded.textSize <= TableSettings::MaxTextSize);
    FUZZ_CHECK(loaded.width > 0 && loaded.height > 0);
    FUZZ_CHECK(loaded.pickup >= 1 && loaded.pickup <= 7);
    loaded.save(file);
    loaded.savePhrases(file);
    const QByteArray written = file.contents();

    // Every other line is kept, in order.
    const QList<QByteArray> after = lineTexts(written);
    qsizetype at = 0;
    for (const QByteArray& line : lineTexts(bytes)) {
        if (isOurKeyLine(line)) continue;
        while (at < after.size() && after[at] != line)
            ++at;
        FUZZ_CHECK(at < after.size(), "a line of the file was lost: " + line.left(60));
        ++at;
    }

    IniFile reread;
    reread.setContents(written);
    TableSettings back;
    back.load(reread);
    FUZZ_CHECK(normalised(back) == normalised(loaded), "the written file reads differently");

    back.save(reread);
    back.savePhrases(reread);
    FUZZ_CHECK(reread.contents() == written, "writing the same settings again changed the file");
}

void colourRoundTrip(quint32 value)
{
    const QString text = ColorText::toText(value);
    quint32 back = ~value;
    FUZZ_CHECK(ColorText::fromText(text, &back) && back == value, text.toUtf8());
}

void colourText(const QString& text)
{
    quint32 value = 0x12345678;
    if (ColorText::fromText(text, &value)) {
        colourRoundTrip(value);
    } else {
        FUZZ_CHECK(value == 0x12345678, "a refused colour text changed the value");
    }
    bool ok = true;
    const quint32 fallback = ColorText::fromText(text, 0xABCDEF, &ok);
    if (!ok) FUZZ_CHECK(fallback == 0xABCDEF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    settingsFile(bytes);
    colourText(QString::fromUtf8(bytes));
    colourText(QString::fromLatin1(bytes));
    if (size >= 4) colourRoundTrip(qFromLittleEndian<quint32>(data));
    return 0;
}
