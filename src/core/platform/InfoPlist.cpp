#include "core/platform/InfoPlist.h"

#include <cstddef>
#include <optional>

namespace kestrel {

// Generated at build time from resources/InfoPlist.strings.
extern const unsigned char kInfoPlistStrings[];
extern const std::size_t kInfoPlistStringsSize;

namespace {

class StringsReader {
public:
    explicit StringsReader(std::string_view text) : text_(text) {}

    bool atEnd() {
        skipBlanks();
        return pos_ >= text_.size();
    }
    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // A quoted string or a plain word; none when neither starts here.
    std::optional<std::string> token() {
        skipBlanks();
        if (pos_ >= text_.size()) return std::nullopt;
        if (text_[pos_] == '"') return quoted();
        std::string word;
        while (pos_ < text_.size() && isWordChar(text_[pos_])) word += text_[pos_++];
        if (word.empty()) return std::nullopt;
        return word;
    }
    // Recovery after a malformed entry: everything up to and including the next ";".
    void skipEntry() {
        while (pos_ < text_.size() && text_[pos_] != ';') {
            if (text_[pos_] == '"') {
                quoted();
            } else {
                ++pos_;
            }
        }
        if (pos_ < text_.size()) ++pos_;
    }

private:
    static bool isWordChar(char c) {
        unsigned char u = static_cast<unsigned char>(c);
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
               c == '_' || c == '.' || c == '$' || c == '/' || c == ':' || c == '-' || u >= 0x80;
    }
    void skipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "/*") {
                std::size_t end = text_.find("*/", pos_ + 2);
                pos_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else if (text_.substr(pos_, 2) == "//") {
                std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }
    // At the opening quote; an unterminated string ends at the end of the text.
    std::string quoted() {
        std::string out;
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\' || pos_ >= text_.size()) {
                out += c;
                continue;
            }
            char e = text_[pos_++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'U':
                case 'u': appendCodePoint(out); break;
                default: out += e; break;  // \" \\ and anything else stand for themselves
            }
        }
        if (pos_ < text_.size()) ++pos_;
        return out;
    }
    // After "\U": up to four hex digits, written as UTF-8.
    void appendCodePoint(std::string& out) {
        unsigned cp = 0;
        int digits = 0;
        while (digits < 4 && pos_ < text_.size()) {
            char h = text_[pos_];
            int v = (h >= '0' && h <= '9') ? h - '0'
                    : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                    : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                              : -1;
            if (v < 0) break;
            cp = cp * 16 + static_cast<unsigned>(v);
            ++digits;
            ++pos_;
        }
        if (digits == 0) {
            out += 'U';
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

const std::map<std::string, std::string>& table() {
    static const std::map<std::string, std::string> entries = InfoPlist::parseStrings(
        std::string_view(reinterpret_cast<const char*>(kInfoPlistStrings), kInfoPlistStringsSize));
    return entries;
}

}  // namespace

std::map<std::string, std::string> InfoPlist::parseStrings(std::string_view text) {
    std::map<std::string, std::string> entries;
    StringsReader reader(text);
    while (!reader.atEnd()) {
        std::optional<std::string> key = reader.token();
        std::optional<std::string> value;
        if (key && reader.take('=')) value = reader.token();
        if (key && value && reader.take(';')) {
            entries[*key] = *value;
        } else {
            reader.skipEntry();
        }
    }
    return entries;
}

std::string InfoPlist::localizedString(std::string_view key) {
    auto it = table().find(std::string(key));
    return it == table().end() ? std::string(key) : it->second;
}

}  // namespace kestrel
