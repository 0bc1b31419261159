#include "cli/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace kestrel::cli {

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is not one.
std::size_t utf8Length(const std::string& s, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    if (n == 3 && c == 0xE0 && byte(i + 1) < 0xA0) return 0;  // overlong
    if (n == 3 && c == 0xED && byte(i + 1) >= 0xA0) return 0;  // surrogate
    if (n == 4 && c == 0xF0 && byte(i + 1) < 0x90) return 0;
    if (n == 4 && c == 0xF4 && byte(i + 1) >= 0x90) return 0;
    return n;
}

std::string base64(const std::string& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += digits[(v >> 18) & 63];
        out += digits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[v & 63] : '=';
    }
    return out;
}

}  // namespace

std::string JsonWriter::quote(const std::string& text) {
    std::string out = "\"";
    char buf[8];
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
                case '"': out += "\\\""; break;
                case '\\': out += "\\\\"; break;
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    if (c < 0x20) {
                        std::snprintf(buf, sizeof buf, "\\u%04x", c);
                        out += buf;
                    } else {
                        out += static_cast<char>(c);
                    }
            }
            ++i;
            continue;
        }
        if (std::size_t n = utf8Length(text, i)) {
            out.append(text, i, n);
            i += n;
        } else {
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
            ++i;
        }
    }
    return out + "\"";
}

void JsonWriter::newline(int indent) {
    out_ << '\n' << std::string(static_cast<std::size_t>(indent) * 2, ' ');
}

void JsonWriter::writeScalar(const PlistValue& value) {
    switch (value.type()) {
        case PlistValue::Type::String: out_ << quote(*value.getString()); break;
        case PlistValue::Type::Integer: out_ << *value.getInteger(); break;
        case PlistValue::Type::Boolean: out_ << (*value.getBoolean() ? "true" : "false"); break;
        case PlistValue::Type::Real: {
            double r = *value.getReal();
            if (!std::isfinite(r)) {
                out_ << "null";
            } else {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%.17g", r);
                out_ << buf;
            }
            break;
        }
        case PlistValue::Type::Date: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.3f", value.getDate()->seconds);
            out_ << quote(buf);
            break;
        }
        case PlistValue::Type::Data: out_ << quote(base64(value.getData()->bytes)); break;
        case PlistValue::Type::Array:
        case PlistValue::Type::Dictionary: break;
    }
}

// Containers are opened on a stack of positions, not by recursion: values nest as deep as
// whatever made them.
void JsonWriter::write(const PlistValue& top, int indent) {
    struct Open {
        const PlistValue* container;
        std::size_t next = 0;
        int indent = 0;
    };
    std::vector<Open> open;
    auto begin = [&](const PlistValue& value, int level) {
        const bool isArray = value.isArray();
        if (!isArray && !value.isDict()) return writeScalar(value);
        if (isArray ? value.getArray()->empty() : value.getDict()->empty()) {
            out_ << (isArray ? "[]" : "{}");
            return;
        }
        out_ << (isArray ? '[' : '{');
        open.push_back({&value, 0, level});
    };
    begin(top, indent);
    while (!open.empty()) {
        Open& at = open.back();
        const bool isArray = at.container->isArray();
        const std::size_t size = isArray ? at.container->getArray()->size() : at.container->getDict()->size();
        if (at.next == size) {
            newline(at.indent);
            out_ << (isArray ? ']' : '}');
            open.pop_back();
            continue;
        }
        if (at.next) out_ << ',';
        newline(at.indent + 1);
        const std::size_t i = at.next++;
        const int level = at.indent + 1;
        if (isArray) {
            begin((*at.container->getArray())[i], level);
        } else {
            const auto& [key, item] = at.container->getDict()->entries()[i];
            out_ << quote(key) << ": ";
            begin(item, level);
        }
    }
}

}  // namespace kestrel::cli
