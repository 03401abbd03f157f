#include "internal/IniDocument.h"

#include <QStringList>

namespace Quorvel::App::Internal {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// Key text as QSettings writes it: letters, digits and "_-." as they are, "/" as "\",
// other characters as %XX or %UXXXX.
QByteArray EscapedKey(const QString& key) {
    QByteArray result;
    for (const QChar c : key) {
        const ushort ch = c.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            result += static_cast<char>(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += kHexDigits[ch >> 4];
            result += kHexDigits[ch & 15];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                result += kHexDigits[(ch >> shift) & 15];
            }
        }
    }
    return result;
}

QString UnescapedKey(const QByteArray& key) {
    QString result;
    for (int i = 0; i < key.size();) {
        const char ch = key.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        const int digits = (ch == '%' && i + 1 < key.size() && key.at(i + 1) == 'U') ? 4 : 2;
        const int first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = ch == '%' && first + digits <= key.size();
        const ushort code = ok ? key.mid(first, digits).toUShort(&ok, 16) : 0;
        if (ok) {
            result += QChar(code);
            i = first + digits;
        } else {
            result += QChar(static_cast<uchar>(ch));  // raw bytes of a key read as Latin-1
            ++i;
        }
    }
    return result;
}

// Keys without a group go to [General]; a group of that name is written [%General].
QByteArray SectionHeader(const QString& section) {
    const QByteArray name = EscapedKey(section);
    if (name.isEmpty()) {
        return "[General]";
    }
    return '[' + (name.compare("general", Qt::CaseInsensitive) == 0 ? '%' + name : name) + ']';
}

QString SectionName(const QByteArray& header) {
    if (header.compare("general", Qt::CaseInsensitive) == 0) {
        return QString();
    }
    if (header.compare("%general", Qt::CaseInsensitive) == 0) {
        return QString::fromLatin1(header.mid(1));
    }
    return UnescapedKey(header);
}

// The escapes of values: the character and the letter after the backslash. The writer uses
// the first nine; the reader takes all of them.
const char kEscapes[][2] = {{'\a', 'a'},  {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'},
                            {'\r', 'r'},  {'\t', 't'}, {'\v', 'v'}, {'"', '"'},
                            {'\\', '\\'}, {'?', '?'},  {'\'', '\''}};
constexpr int kWrittenEscapes = 9;

char EscapeLetter(char ch) {
    for (int i = 0; i < kWrittenEscapes; ++i) {
        if (kEscapes[i][0] == ch) return kEscapes[i][1];
    }
    return 0;
}

char EscapedCharacter(char letter) {
    for (const auto& escape : kEscapes) {
        if (escape[1] == letter) return escape[0];
    }
    return 0;
}

// A value as QSettings writes a text: "@" doubled at the start, quoted when it holds ";",
// "," or "=" or has a blank at either end, control characters escaped, the rest UTF-8.
QByteArray EncodedValue(const QString& value) {
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;  // after \0 or \xNN a following hex digit would join it
    for (int i = 0; i < text.size(); ++i) {
        const ushort ch = text.at(i).unicode();
        needsQuotes = needsQuotes || ch == ';' || ch == ',' || ch == '=';
        if (escapeNextIfDigit && ch < 0x80 && HexValue(static_cast<char>(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        const char letter = ch < 0x80 ? EscapeLetter(static_cast<char>(ch)) : 0;
        if (ch == 0) {
            result += "\\0";
            escapeNextIfDigit = true;
        } else if (letter) {
            result += '\\';
            result += letter;
        } else if (ch <= 0x1F) {
            result += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else if (ch < 0x80) {
            result += static_cast<char>(ch);
        } else {
            const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                              text.at(i + 1).isLowSurrogate();
            result += text.mid(i, pair ? 2 : 1).toUtf8();
            i += pair ? 1 : 0;
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        result = '"' + result + '"';
    }
    return result;
}

// The items of a value as QSettings reads them: quotes and escapes undone, unquoted commas
// separating list items, blanks around unquoted items dropped. Text between escapes is
// decoded as UTF-8.
QStringList UnescapedItems(const QByteArray& raw, bool& isList) {
    QStringList items;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    int chopLimit = 0;  // blanks that an escape or a quote produced are kept
    int i = 0;
    const int to = raw.size();
    const auto skipBlanks = [&] {
        while (i < to && IsBlank(raw.at(i))) ++i;
        chopLimit = current.size();
    };
    const auto chopBlanks = [&] {
        int size = current.size();
        while (size > chopLimit && (current.at(size - 1) == ' ' || current.at(size - 1) == '\t')) {
            --size;
        }
        current.truncate(size);
    };
    const auto numberEscape = [&](int base, int first) {
        int value = first;
        while (i < to) {
            const int digit = HexValue(raw.at(i));
            if (digit < 0 || digit >= base) break;
            // Any number of digits may follow; the character is the last 16 bits of them.
            value = (value * base + digit) & 0xFFFF;
            ++i;
        }
        current += QChar(static_cast<ushort>(value));
        chopLimit = current.size();
    };
    isList = false;
    skipBlanks();
    while (i < to) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            if (++i >= to) {
                items << current;  // a backslash at the very end keeps the blanks before it
                return items;
            }
            const char escaped = raw.at(i++);
            if (const char named = EscapedCharacter(escaped)) {
                current += QLatin1Char(named);
                chopLimit = current.size();
            } else if (escaped == 'x' && i < to && HexValue(raw.at(i)) >= 0) {
                numberEscape(16, 0);
            } else if (escaped >= '0' && escaped <= '7') {
                numberEscape(8, escaped - '0');
            } else {
                chopLimit = current.size();  // any other escaped character is dropped
            }
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
            }
        } else if (ch == ',' && !inQuotes) {
            if (!quoted) chopBlanks();
            items << current;
            current.clear();
            quoted = false;
            isList = true;
            ++i;
            skipBlanks();
        } else {
            int j = i + 1;
            while (j < to && raw.at(j) != '\\' && raw.at(j) != '"' && raw.at(j) != ',') ++j;
            current += QString::fromUtf8(raw.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted) chopBlanks();
    items << current;
    return items;
}

// The text of a value; nullopt for what QSettings reads as no text (an invalid or binary
// variant).
std::optional<QString> ValueText(const QByteArray& raw) {
    bool isList = false;
    QStringList items = UnescapedItems(raw, isList);
    if (isList) {
        for (QString& item : items) {
            if (item.startsWith(QLatin1String("@@"))) {
                item.remove(0, 1);
            } else if (item.startsWith(QLatin1Char('@'))) {
                return std::nullopt;
            }
        }
        return items.join(QStringLiteral(", "));  // as hand-written lists always read
    }
    const QString& text = items.first();
    if (text.startsWith(QLatin1String("@@"))) {
        return text.mid(1);
    }
    if (!text.startsWith(QLatin1Char('@')) || !text.endsWith(QLatin1Char(')'))) {
        return text;
    }
    if (text.startsWith(QLatin1String("@String("))) {
        return text.mid(8, text.size() - 9);
    }
    if (text.startsWith(QLatin1String("@ByteArray("))) {
        return QString::fromUtf8(text.mid(11, text.size() - 12).toLatin1());
    }
    return std::nullopt;
}

}  // namespace

IniDocument::IniDocument(const QByteArray& bytes) {
    QString section;
    int start = 0;
    while (start < bytes.size()) {
        int newline = bytes.indexOf('\n', start);
        QByteArray end = "\n";
        if (newline < 0) {
            newline = bytes.size();
            end.clear();
        }
        QByteArray text = bytes.mid(start, newline - start);
        if (text.endsWith('\r')) {
            text.chop(1);
            end.prepend('\r');
        }
        m_lines.push_back(ParseLine(std::move(text), std::move(end), section));
        if (m_lines.back().header) {
            section = m_lines.back().name;
        }
        start = newline + 1;
    }
}

IniDocument::Line IniDocument::ParseLine(QByteArray text, QByteArray end, const QString& section) {
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const QByteArray& t = line.text;
    int first = 0;
    while (first < t.size() && IsBlank(t.at(first))) ++first;
    if (first == t.size() || t.at(first) == ';') {
        return line;
    }
    if (t.at(first) == '[') {
        const int close = t.indexOf(']', first);
        if (close >= 0) {
            line.header = true;
            line.name = SectionName(t.mid(first + 1, close - first - 1).trimmed());
        }
        return line;
    }
    const int equals = t.indexOf('=', first);
    if (equals < 0) {
        return line;
    }
    int keyEnd = equals;
    while (keyEnd > first && IsBlank(t.at(keyEnd - 1))) --keyEnd;
    const QString key = UnescapedKey(t.mid(first, keyEnd - first));
    line.name = NormalizedKey(section.isEmpty() ? key : section + QLatin1Char('/') + key);

    // The value runs to the end of the line or to a comment outside quotes.
    int valueEnd = equals + 1;
    bool inQuotes = false;
    for (; valueEnd < t.size(); ++valueEnd) {
        const char ch = t.at(valueEnd);
        if (ch == '\\') {
            ++valueEnd;
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';' && !inQuotes) {
            break;
        }
    }
    valueEnd = std::min(valueEnd, static_cast<int>(t.size()));
    line.valueStart = equals + 1;
    while (line.valueStart < valueEnd && IsBlank(t.at(line.valueStart))) ++line.valueStart;
    while (valueEnd > line.valueStart && IsBlank(t.at(valueEnd - 1))) --valueEnd;
    line.valueEnd = valueEnd;
    return line;
}

QByteArray IniDocument::Bytes() const {
    QByteArray bytes;
    for (const Line& line : m_lines) {
        bytes += line.text + line.end;
    }
    return bytes;
}

int IniDocument::LastEntry(const QString& key) const {
    for (int i = static_cast<int>(m_lines.size()) - 1; i >= 0; --i) {
        const Line& line = m_lines[static_cast<size_t>(i)];
        if (line.valueStart >= 0 && line.name == key) {
            return i;  // a key given twice has its last value, as in QSettings
        }
    }
    return -1;
}

std::optional<QString> IniDocument::Value(const QString& key) const {
    const int index = LastEntry(NormalizedKey(key));
    if (index < 0) {
        return std::nullopt;
    }
    const Line& line = m_lines[static_cast<size_t>(index)];
    return ValueText(line.text.mid(line.valueStart, line.valueEnd - line.valueStart));
}

bool IniDocument::Contains(const QString& key) const { return LastEntry(NormalizedKey(key)) >= 0; }

QByteArray IniDocument::LineEnd() const {
    return !m_lines.empty() && m_lines.front().end == "\r\n" ? "\r\n" : "\n";
}

void IniDocument::SetValue(const QString& key, const QString& text) {
    const QString name = NormalizedKey(key);
    const QByteArray value = EncodedValue(text);
    const int existing = LastEntry(name);
    if (existing >= 0) {
        Line& line = m_lines[static_cast<size_t>(existing)];
        line.text = line.text.left(line.valueStart) + value + line.text.mid(line.valueEnd);
        line.valueEnd = line.valueStart + value.size();
        return;
    }

    // A new key goes after the last line of its section, or into a new section at the end.
    const int slash = name.indexOf(QLatin1Char('/'));
    const QString section = slash < 0 ? QString() : name.left(slash);
    QString current;
    int after = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        current = line.header ? line.name : current;
        if ((line.header || line.valueStart >= 0) && current == section) {
            after = static_cast<int>(i);
        }
    }
    const QByteArray end = LineEnd();
    std::vector<Line> added;
    if (after < 0) {
        after = static_cast<int>(m_lines.size()) - 1;
        if (after >= 0 && !m_lines.back().text.trimmed().isEmpty()) {
            added.push_back(ParseLine(QByteArray(), end, current));
        }
        added.push_back(ParseLine(SectionHeader(section), end, current));
    }
    const QString inSection = slash < 0 ? name : name.mid(slash + 1);
    added.push_back(ParseLine(EscapedKey(inSection) + '=' + value, end, section));
    // The line before the new ones must end, and a last line may end in nothing or in "\r"
    // alone, which no reader takes for a line end.
    if (after >= 0) {
        QByteArray& previous = m_lines[static_cast<size_t>(after)].end;
        if (!previous.endsWith('\n')) {
            previous = previous.isEmpty() ? end : previous + '\n';
        }
    }
    m_lines.insert(m_lines.begin() + (after + 1), added.begin(), added.end());
}

void IniDocument::Remove(const QString& key) {
    const QString name = NormalizedKey(key);
    const QString group = name + QLatin1Char('/');
    std::vector<Line> kept;
    for (Line& line : m_lines) {
        const bool removed =
            line.valueStart >= 0 && (line.name == name || line.name.startsWith(group));
        if (!removed) {
            kept.push_back(std::move(line));
        }
    }
    m_lines = std::move(kept);
}

QString IniDocument::NormalizedKey(const QString& key) {
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

}  // namespace Quorvel::App::Internal
