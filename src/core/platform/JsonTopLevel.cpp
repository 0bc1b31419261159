#include "core/platform/JsonTopLevel.h"

#include <cctype>

namespace kestrel {

namespace {

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::optional<std::string> JsonTopLevel::stringOf(std::string_view key) {
    at = 0;
    if (!take('{') || take('}')) return std::nullopt;
    for (;;) {
        std::optional<std::string> name = string();
        if (!name || !take(':')) return std::nullopt;
        skipBlanks();
        if (*name == key) {
            if (at < text.size() && text[at] == '"') return string();
            return std::nullopt;
        }
        if (!skipValue(0) || !take(',')) return std::nullopt;  // "}" or worse: the key is not there
    }
}

void JsonTopLevel::skipBlanks() {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
}

bool JsonTopLevel::take(char c) {
    skipBlanks();
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
}

std::optional<unsigned> JsonTopLevel::hex4() {
    if (at + 4 > text.size()) return std::nullopt;
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = text[at++];
        value <<= 4;
        if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
    }
    return value;
}

std::optional<std::string> JsonTopLevel::string() {
    if (!take('"')) return std::nullopt;
    std::string out;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '"') return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (at >= text.size()) return std::nullopt;
        const char e = text[at++];
        switch (e) {
            case '"': case '\\': case '/': out += e; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::optional<unsigned> code = hex4();
                if (!code) return std::nullopt;
                if (*code >= 0xD800 && *code < 0xDC00) {  // a surrogate pair
                    if (at + 1 >= text.size() || text[at] != '\\' || text[at + 1] != 'u') return std::nullopt;
                    at += 2;
                    std::optional<unsigned> low = hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
                    *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                } else if (*code >= 0xDC00 && *code <= 0xDFFF) {
                    return std::nullopt;
                }
                appendUtf8(out, *code);
                break;
            }
            default: return std::nullopt;
        }
    }
    return std::nullopt;
}

bool JsonTopLevel::skipValue(int depth) {
    if (depth > kMaxDepth) return false;
    skipBlanks();
    if (at >= text.size()) return false;
    const char c = text[at];
    if (c == '"') return string().has_value();
    if (c == '{' || c == '[') {
        const char close = c == '{' ? '}' : ']';
        ++at;
        if (take(close)) return true;
        for (;;) {
            if (c == '{' && (!string() || !take(':'))) return false;
            if (!skipValue(depth + 1)) return false;
            if (take(close)) return true;
            if (!take(',')) return false;
        }
    }
    // A number, true, false or null.
    const std::size_t start = at;
    while (at < text.size() && (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '-' ||
                                text[at] == '+' || text[at] == '.'))
        ++at;
    return at > start;
}

}  // namespace kestrel
