#pragma once

// Private to the services library.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace Quorvel::App::Internal {

// The text of an INI settings file in the form QSettings reads and writes, kept line by line.
// Setting or removing a key rewrites only the lines of that key; every other line keeps its
// bytes, comments and whatever encoding an older program or a person gave them.
//
// Keys are "/"-separated ("Window/Geometry"); the first part names the [section]. Values
// are read as QSettings renders them as text: quotes and escapes undone, "a, b" as that list
// joined by ", ", "@@" as "@", bytes decoded as UTF-8 (what is no UTF-8 becomes U+FFFD).
// One line holds one entry: a value spread over lines by a trailing backslash is not read.
class IniDocument {
public:
    explicit IniDocument(const QByteArray& bytes = QByteArray());

    QByteArray Bytes() const;

    // The value of `key` as text; nullopt without one (a mere group, "@Invalid()").
    std::optional<QString> Value(const QString& key) const;
    bool Contains(const QString& key) const;
    void SetValue(const QString& key, const QString& text);
    // The key and, as a group, everything under it.
    void Remove(const QString& key);

    // "/a//b/" is "a/b", as QSettings sees it.
    static QString NormalizedKey(const QString& key);

private:
    struct Line {
        QByteArray text;      // without its line end
        QByteArray end;       // "\n", "\r\n" or "" for a last line without one
        bool header = false;  // a [section] line
        QString name;         // the section of a header; the whole key of an entry
        int valueStart = -1;  // for an entry: where its value begins in `text`
        int valueEnd = -1;    // and where it ends (before a trailing comment)
    };

    static Line ParseLine(QByteArray text, QByteArray end, const QString& section);
    int LastEntry(const QString& key) const;
    QByteArray LineEnd() const;

    std::vector<Line> m_lines;
};

}  // namespace Quorvel::App::Internal
