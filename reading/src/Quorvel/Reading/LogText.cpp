#include <Quorvel/Reading/LogText.h>

#include <Quorvel/Reading/Limits.h>

#include <QVector>

#include <algorithm>
#include <cstdio>

namespace Quorvel::Reading {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Marks that change how a terminal or an editor shows the text around them: the C0 and C1
// controls (ESC and CSI start terminal commands), the bidirectional overrides and isolates
// (which make a line read in another order), the Unicode line and paragraph separators, and a
// lone surrogate, which has no UTF-8 form.
bool IsHidden(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           (c >= 0xD800 && c <= 0xDFFF);
}

void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case 0x1B:
            out += "\\e";
            return;
        default:
            break;
    }
    if (!IsHidden(c)) {
        AppendUtf8(out, c);
        return;
    }
    char code[16];
    std::snprintf(code, sizeof code, c < 0x100 ? "\\x%02X" : "\\u{%04X}", static_cast<unsigned>(c));
    out += code;
}

void AppendCut(std::string& out, long long more, const char* unit) {
    if (more > 0) {
        out += " [cut: " + std::to_string(more) + ' ' + unit + " more]";
    }
}

// The code point of the valid UTF-8 sequence at the start of `s`, and its length; a length of
// 0 when the sequence is not valid (cut, overlong, a surrogate or beyond U+10FFFF).
int DecodeUtf8(const unsigned char* s, std::size_t n, char32_t& c) {
    if (s[0] < 0x80) {
        c = s[0];
        return 1;
    }
    int length = 0;
    char32_t least = 0;
    if ((s[0] & 0xE0) == 0xC0) {
        length = 2, least = 0x80, c = s[0] & 0x1F;
    } else if ((s[0] & 0xF0) == 0xE0) {
        length = 3, least = 0x800, c = s[0] & 0x0F;
    } else if ((s[0] & 0xF8) == 0xF0) {
        length = 4, least = 0x10000, c = s[0] & 0x07;
    } else {
        return 0;
    }
    if (n < static_cast<std::size_t>(length)) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (s[i] & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string LogText(const QString& text) {
    std::string out;
    const auto characters = text.toUcs4();  // QVector in Qt 5, QList in Qt 6
    const int shown = std::min<int>(characters.size(), Limits::kLoggedText);
    for (int i = 0; i < shown; ++i) {
        AppendEscaped(out, characters[i]);
    }
    AppendCut(out, characters.size() - shown, "characters");
    return out;
}

std::string LogText(const std::string& bytes) {
    std::string out;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    for (int shown = 0; i < bytes.size() && shown < Limits::kLoggedText; ++shown) {
        char32_t c = 0;
        const int length = DecodeUtf8(s + i, bytes.size() - i, c);
        if (length == 0) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", s[i]);
            out += code;
            ++i;
        } else {
            AppendEscaped(out, c);
            i += length;
        }
    }
    AppendCut(out, static_cast<long long>(bytes.size() - i), "bytes");
    return out;
}

std::string LogText(const QByteArray& bytes) { return LogText(bytes.toStdString()); }

}  // namespace Quorvel::Reading
