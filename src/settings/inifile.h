// IniFile: careful access to one ini text file that other programs share.
//
// The settings file "vexolobby.ini" belongs to several programs of the same maker; each keeps
// its own section in it. This class reads the file's lines as they are, finds a section by its
// name without regard to letter case, reads keys (names compared without regard to case, values
// as written, blanks around them removed) and, when saved, rewrites only the keys it was told to
// write: an existing key line is updated in place (its key spelling and the blanks around "="
// stay), a missing key is appended after the section's last key, and a missing section is
// created at the end of the file. Every other byte of the file (other sections, comments, blank
// lines, odd spacing, the line ending CRLF or LF) stays exactly as it was.
//
// QSettings is not used for this: its IniFormat rewrites the whole file from its own parsed
// model, so comments, blank lines, key order and spacing of the other programs' sections are
// lost, it escapes and re-quotes values in its own way, and it cannot promise that a section
// named "[Quornet]" or "[QUORNET]" is the same as "quornet" (on Unix it compares case-sensitively
// and may write a second section).
//
// Lines are kept as raw bytes. Values are written in the program's 8-bit encoding
// (Windows-1252) and read so, except that a value that is valid UTF-8 with a byte above 0x7F
// (written by earlier builds) is read as UTF-8.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quornet::settings {

class IniFile {
public:
    explicit IniFile(QString path = {});

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Reads the file. A missing file reads as empty and returns true; a file that exists but
    // cannot be read returns false, leaves the contents empty and makes save() refuse to write
    // (writing then would replace the other programs' sections with ours alone).
    bool load();
    // Takes the contents from memory instead of a file (the path stays for save()).
    void setContents(const QByteArray& bytes);
    // The file as it would be written now.
    QByteArray contents() const;

    bool hasSection(const QString& section) const;
    bool contains(const QString& section, const QString& key) const;
    // The value of the first line of that key in the first section of that name, else fallback.
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;

    // Sets a key of a section, creating the key line (and the section) when missing. Line breaks
    // inside the value would start a new line in the file: they are written as blanks.
    void setValue(const QString& section, const QString& key, const QString& value);

    // True when setValue() changed the contents since the last load() or save().
    bool isModified() const { return m_modified; }

    // Writes the file atomically (a temporary file renamed over the old one, QSaveFile),
    // creating its folder when missing. Nothing is written when nothing changed and the file
    // exists. Returns false when the file could not be written (the old file is then untouched)
    // or the last load() failed.
    bool save();

    // "\r\n" when the file's first line ends so, else "\n" (a new or empty file: the platform's).
    QByteArray lineEnding() const;

private:
    struct Line {
        QByteArray text;   // without its line ending
        QByteArray ending; // "\r\n", "\n" or empty for a last line without one
    };
    struct Section {
        int header = -1;  // index of the "[name]" line, -1 when missing
        int end = 0;      // index after the section's last line
        int lastKey = -1; // index of the section's last key line, -1 when none
    };

    Section findSection(const QString& name) const;
    int findKey(const Section& section, const QString& key) const;
    static bool parseHeader(const QByteArray& text, QByteArray* name);
    static bool parseKey(const QByteArray& text, QByteArray* key, int* valueBegin, int* valueEnd);
    static QString decode(const QByteArray& bytes);
    static bool sameName(const QByteArray& a, const QString& b);
    void insertLine(int index, const QByteArray& text);

    QString m_path;
    QList<Line> m_lines;
    bool m_modified = false;
    bool m_existed = false;
    bool m_loadFailed = false;
};

} // namespace quornet::settings
