#include <Quorvel/Core/PropertySerializer.h>

#include <cstdint>
#include <stdexcept>

namespace Quorvel::Core {

namespace {

// A small JSON reader of our own: Qt's JSON objects sort their members, while the order of
// the members is the order of the children here (title files list their languages in the
// order they are shown).
class JsonReader {
public:
    explicit JsonReader(const std::string& text) : m_text(text) {}

    Property ReadDocument() {
        Property root;
        // Files saved by Windows editors often start with a byte order mark.
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            m_pos = 3;
        }
        SkipBlanks();
        if (AtEnd()) {
            Fail("the document is empty; expected a JSON object");
        }
        if (Peek() != '{') {
            Fail("the document must be a JSON object, found " + Describe());
        }
        ReadObject(root, 0);
        SkipBlanks();
        if (!AtEnd()) {
            Fail("unexpected " + Describe() + " after the end of the object");
        }
        return root;
    }

private:
    // Deep enough for any real file, shallow enough that hostile input cannot exhaust the stack.
    static constexpr int kMaxDepth = 256;

    [[noreturn]] void Fail(const std::string& what) const { FailAt(m_pos, what); }

    [[noreturn]] void FailAt(size_t offset, const std::string& what) const {
        size_t line = 1;
        size_t column = 1;
        for (size_t i = 0; i < offset && i < m_text.size(); ++i) {
            if (m_text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        throw std::runtime_error("Invalid JSON at line " + std::to_string(line) + ", column " +
                                 std::to_string(column) + " (offset " + std::to_string(offset) +
                                 "): " + what);
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return m_text[m_pos]; }

    std::string Describe() const {
        if (AtEnd()) {
            return "end of text";
        }
        const auto c = static_cast<unsigned char>(Peek());
        if (c >= 0x20 && c < 0x7f) {
            return std::string("'") + static_cast<char>(c) + "'";
        }
        static const char digits[] = "0123456789ABCDEF";
        return std::string("byte 0x") + digits[c >> 4] + digits[c & 15];
    }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            ++m_pos;
        }
    }

    void Expect(char c, const char* context) {
        SkipBlanks();
        if (AtEnd() || Peek() != c) {
            Fail(std::string("expected '") + c + "' " + context + ", found " + Describe());
        }
        ++m_pos;
    }

    void ReadObject(Property& node, int depth) {
        if (depth > kMaxDepth) {
            Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        }
        Expect('{', "to open an object");
        SkipBlanks();
        if (!AtEnd() && Peek() == '}') {
            ++m_pos;
            return;
        }
        while (true) {
            SkipBlanks();
            if (AtEnd() || Peek() != '"') {
                Fail("expected a member name in double quotes, found " + Describe());
            }
            Property& child = node.AddChild(Property(ReadString()));
            Expect(':', "after the member name");
            ReadValue(child, depth);
            SkipBlanks();
            if (!AtEnd() && Peek() == ',') {
                ++m_pos;
                continue;
            }
            Expect('}', "or ',' after a member value");
            return;
        }
    }

    void ReadArray(Property& node, int depth) {
        if (depth > kMaxDepth) {
            Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        }
        Expect('[', "to open an array");
        SkipBlanks();
        if (!AtEnd() && Peek() == ']') {
            ++m_pos;
            return;
        }
        while (true) {
            Property& child = node.AddChild(Property());
            ReadValue(child, depth);
            SkipBlanks();
            if (!AtEnd() && Peek() == ',') {
                ++m_pos;
                continue;
            }
            Expect(']', "or ',' after an array element");
            return;
        }
    }

    void ReadValue(Property& node, int depth) {
        SkipBlanks();
        if (AtEnd()) {
            Fail("expected a value, found end of text");
        }
        const char c = Peek();
        if (c == '{') {
            ReadObject(node, depth + 1);
        } else if (c == '[') {
            ReadArray(node, depth + 1);
        } else if (c == '"') {
            node.SetValue(ReadString());
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            node.SetValue(ReadNumber());
        } else if (ReadWord("true")) {
            node.SetValue("true");
        } else if (ReadWord("false")) {
            node.SetValue("false");
        } else if (ReadWord("null")) {
            // No value: the child exists with an empty one.
        } else {
            Fail("expected a value, found " + Describe());
        }
    }

    bool ReadWord(const char* word) {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0) {
            return false;
        }
        m_pos += w.size();
        return true;
    }

    // Numbers keep their text as written, so "1.50" stays "1.50".
    std::string ReadNumber() {
        const size_t start = m_pos;
        const auto isDigit = [this] { return !AtEnd() && Peek() >= '0' && Peek() <= '9'; };
        if (Peek() == '-') {
            ++m_pos;
        }
        if (!isDigit()) {
            Fail("expected a digit, found " + Describe());
        }
        if (Peek() == '0') {
            ++m_pos;
        } else {
            while (isDigit()) ++m_pos;
        }
        if (!AtEnd() && Peek() == '.') {
            ++m_pos;
            if (!isDigit()) {
                Fail("expected a digit after the decimal point, found " + Describe());
            }
            while (isDigit()) ++m_pos;
        }
        if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
            ++m_pos;
            if (!AtEnd() && (Peek() == '+' || Peek() == '-')) {
                ++m_pos;
            }
            if (!isDigit()) {
                Fail("expected a digit in the exponent, found " + Describe());
            }
            while (isDigit()) ++m_pos;
        }
        return m_text.substr(start, m_pos - start);
    }

    unsigned ReadHex4() {
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            if (AtEnd()) {
                Fail("unterminated \\u escape");
            }
            const char c = Peek();
            value <<= 4;
            if (c >= '0' && c <= '9') {
                value |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                value |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                value |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                Fail("expected a hexadecimal digit in a \\u escape, found " + Describe());
            }
            ++m_pos;
        }
        return value;
    }

    static void AppendUtf8(std::string& out, uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Copies one UTF-8 sequence starting at the current position, checking that it is valid.
    void CopyUtf8Sequence(std::string& out) {
        const size_t start = m_pos;
        const auto lead = static_cast<unsigned char>(Peek());
        int length = 0;
        uint32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            Fail("invalid UTF-8 " + Describe());
        }
        for (int i = 1; i < length; ++i) {
            if (start + i >= m_text.size() ||
                (static_cast<unsigned char>(m_text[start + i]) & 0xC0) != 0x80) {
                FailAt(start, "invalid UTF-8 sequence");
            }
            cp = (cp << 6) | (static_cast<unsigned char>(m_text[start + i]) & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            FailAt(start, "invalid UTF-8 sequence");
        }
        out.append(m_text, start, static_cast<size_t>(length));
        m_pos = start + static_cast<size_t>(length);
    }

    std::string ReadString() {
        const size_t start = m_pos;
        ++m_pos;  // opening quote
        std::string out;
        while (true) {
            if (AtEnd()) {
                FailAt(start, "unterminated string");
            }
            const auto c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                ++m_pos;
                return out;
            }
            if (c < 0x20) {
                Fail("control character " + Describe() + " inside a string");
            }
            if (c >= 0x80) {
                CopyUtf8Sequence(out);
                continue;
            }
            ++m_pos;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (AtEnd()) {
                FailAt(start, "unterminated string");
            }
            const char e = Peek();
            ++m_pos;
            switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    const size_t escape = m_pos - 2;
                    uint32_t cp = ReadHex4();
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (!ReadWord("\\u")) {
                            FailAt(escape, "high surrogate escape without its low surrogate");
                        }
                        const uint32_t low = ReadHex4();
                        if (low < 0xDC00 || low > 0xDFFF) {
                            FailAt(escape, "high surrogate escape without its low surrogate");
                        }
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        FailAt(escape, "low surrogate escape without a high surrogate");
                    }
                    AppendUtf8(out, cp);
                    break;
                }
                default:
                    FailAt(m_pos - 2, "unknown escape sequence '\\" + std::string(1, e) + "'");
            }
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

void WriteString(std::string& out, const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += digits[c >> 4];
                    out += digits[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

bool IsArrayLike(const Property& node) {
    for (const Property& child : node.GetChildren()) {
        if (!child.GetName().empty()) {
            return false;
        }
    }
    return true;
}

void WriteNode(std::string& out, const Property& node, int depth, bool asObject);

void WriteChildren(std::string& out, const Property& node, int depth, bool asObject) {
    const std::string indent(static_cast<size_t>(depth + 1) * 4, ' ');
    out += asObject ? '{' : '[';
    bool first = true;
    for (const Property& child : node.GetChildren()) {
        out += first ? "\n" : ",\n";
        first = false;
        out += indent;
        if (asObject) {
            WriteString(out, child.GetName());
            out += ": ";
        }
        WriteNode(out, child, depth + 1, !IsArrayLike(child));
    }
    if (!first) {
        out += '\n';
        out.append(static_cast<size_t>(depth) * 4, ' ');
    }
    out += asObject ? '}' : ']';
}

void WriteNode(std::string& out, const Property& node, int depth, bool asObject) {
    if (node.GetChildren().empty()) {
        WriteString(out, node.GetValue());
    } else {
        // Unnamed children are what an array reads back as.
        WriteChildren(out, node, depth, asObject);
    }
}

}  // namespace

void PropertySerializer::Deserialize(Property& target,
                                     const std::shared_ptr<DataInputString>& input,
                                     bool clearTarget) {
    if (!input) {
        throw std::invalid_argument("PropertySerializer::Deserialize: no input");
    }
    Property parsed = JsonReader(input->GetBytes()).ReadDocument();
    if (clearTarget) {
        target.Clear();
    }
    for (const Property& child : parsed.GetChildren()) {
        target.AddChild(child);
    }
}

std::string PropertySerializer::Serialize(const Property& source) {
    std::string out;
    WriteChildren(out, source, 0, true);
    out += '\n';
    return out;
}

}  // namespace Quorvel::Core
