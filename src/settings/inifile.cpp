#include "settings/inifile.h"

#include "protocol/text8bit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <utility>

namespace quornet::settings {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text without blanks (spaces and tabs) at either end.
QByteArray trimBlanks(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::load()
{
    m_lines.clear();
    m_modified = false;
    m_existed = false;
    m_loadFailed = false;
    QFile file(m_path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        // Saving now would replace the other programs' sections with ours alone.
        m_loadFailed = true;
        return false;
    }
    setContents(file.readAll());
    m_existed = true;
    return true;
}

void IniFile::setContents(const QByteArray& bytes)
{
    m_lines.clear();
    m_modified = false;
    m_loadFailed = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', pos);
        Line line;
        if (nl < 0) {
            line.text = bytes.mid(pos);
            pos = bytes.size();
        } else {
            line.text = bytes.mid(pos, nl - pos);
            line.ending = "\n";
            if (line.text.endsWith('\r')) {
                line.text.chop(1);
                line.ending = "\r\n";
            }
            pos = nl + 1;
        }
        m_lines.append(line);
    }
}

QByteArray IniFile::contents() const
{
    QByteArray out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

QByteArray IniFile::lineEnding() const
{
    for (const Line& line : m_lines) {
        if (!line.ending.isEmpty()) return line.ending;
    }
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

bool IniFile::parseHeader(const QByteArray& text, QByteArray* name)
{
    QByteArray t = text.startsWith(kUtf8Bom) ? text.mid(kUtf8Bom.size()) : text;
    t = trimBlanks(t);
    if (!t.startsWith('[')) return false;
    const qsizetype close = t.indexOf(']');
    if (close < 0) return false;
    *name = trimBlanks(t.mid(1, close - 1));
    return true;
}

bool IniFile::parseKey(const QByteArray& text, QByteArray* key, int* valueBegin, int* valueEnd)
{
    const QByteArray t = trimBlanks(text);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#') || t.startsWith('[')) return false;
    const qsizetype eq = text.indexOf('=');
    if (eq < 0) return false;
    *key = trimBlanks(text.left(eq));
    if (key->isEmpty()) return false;
    qsizetype begin = eq + 1;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    *valueBegin = int(begin);
    *valueEnd = int(end);
    return true;
}

QString IniFile::decode(const QByteArray& bytes) { return protocol::fromFileText(bytes); }

bool IniFile::sameName(const QByteArray& a, const QString& b)
{
    return decode(a).compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

IniFile::Section IniFile::findSection(const QString& name) const
{
    Section s;
    for (int i = 0; i < m_lines.size(); ++i) {
        QByteArray header;
        if (parseHeader(m_lines[i].text, &header)) {
            if (s.header >= 0) {
                s.end = i;
                return s;
            }
            if (sameName(header, name)) s.header = i;
            continue;
        }
        QByteArray key;
        int b = 0;
        int e = 0;
        if (s.header >= 0 && parseKey(m_lines[i].text, &key, &b, &e)) s.lastKey = i;
    }
    s.end = int(m_lines.size());
    return s;
}

int IniFile::findKey(const Section& section, const QString& key) const
{
    if (section.header < 0) return -1;
    for (int i = section.header + 1; i < section.end; ++i) {
        QByteArray name;
        int b = 0;
        int e = 0;
        if (parseKey(m_lines[i].text, &name, &b, &e) && sameName(name, key)) return i;
    }
    return -1;
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section).header >= 0;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    return findKey(findSection(section), key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const
{
    const int i = findKey(findSection(section), key);
    if (i < 0) return fallback;
    QByteArray name;
    int b = 0;
    int e = 0;
    parseKey(m_lines[i].text, &name, &b, &e);
    return decode(m_lines[i].text.mid(b, e - b));
}

void IniFile::insertLine(int index, const QByteArray& text)
{
    const QByteArray eol = lineEnding();
    Line line{text, eol};
    if (index > 0 && m_lines[index - 1].ending.isEmpty()) {
        // The previous line was the file's last one, without a line ending: it gets one, and
        // the new last line goes without, as the file was.
        m_lines[index - 1].ending = eol;
        line.ending.clear();
    }
    m_lines.insert(index, line);
    m_modified = true;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = protocol::toCp1252(oneLine);

    const Section s = findSection(section);
    if (s.header < 0) {
        insertLine(int(m_lines.size()), QByteArray("[") + protocol::toCp1252(section) + "]");
        insertLine(int(m_lines.size()), protocol::toCp1252(key) + "=" + bytes);
        return;
    }
    const int i = findKey(s, key);
    if (i < 0) {
        const int at = s.lastKey >= 0 ? s.lastKey + 1 : s.header + 1;
        insertLine(at, protocol::toCp1252(key) + "=" + bytes);
        return;
    }
    QByteArray name;
    int b = 0;
    int e = 0;
    parseKey(m_lines[i].text, &name, &b, &e);
    const QByteArray& old = m_lines[i].text;
    const QByteArray updated = old.left(b) + bytes + old.mid(e);
    if (updated != old) {
        m_lines[i].text = updated;
        m_modified = true;
    }
}

bool IniFile::save()
{
    if (m_loadFailed || m_path.isEmpty()) return false;
    if (!m_modified && m_existed) return true;
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = contents();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    m_modified = false;
    m_existed = true;
    return true;
}

} // namespace quornet::settings
