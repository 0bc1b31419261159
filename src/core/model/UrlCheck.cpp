#include "core/model/UrlCheck.h"

#include <cctype>
#include <string>

namespace kestrel {

namespace {

bool isAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool isUnreserved(char c) { return isAlpha(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
bool isSubDelim(char c) { return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos; }

// The length of the UTF-8 sequence of a letter beyond ASCII at text[i], 0 when it is none.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Whether every character of part is one of `allowed` (beside the unreserved ones), a
// percent-encoded byte, or a letter beyond ASCII.
bool consistsOf(std::string_view part, std::string_view allowed) {
    for (std::size_t i = 0; i < part.size();) {
        const char c = part[i];
        if (isUnreserved(c) || isSubDelim(c) || allowed.find(c) != std::string_view::npos) {
            ++i;
        } else if (c == '%') {
            if (i + 2 >= part.size() || !isHex(part[i + 1]) || !isHex(part[i + 2])) return false;
            i += 3;
        } else if (std::size_t length = utf8Length(part, i)) {
            i += length;
        } else {
            return false;
        }
    }
    return true;
}

bool isPath(std::string_view path) { return consistsOf(path, ":@/"); }

bool isHost(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        std::string_view literal = host.substr(1, host.size() - 2);
        if (literal.find(':') == std::string_view::npos) return false;
        for (char c : literal)
            if (!isHex(c) && c != ':' && c != '.') return false;
        return true;
    }
    return consistsOf(host, "");
}

// authority = [userinfo "@"] host [":" port]
bool isAuthority(std::string_view authority, bool needsHost) {
    if (std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        if (!consistsOf(authority.substr(0, at), ":")) return false;
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
        std::string_view port = authority.substr(colon + 1);
        host = authority.substr(0, colon);
        if (port.size() > 5) return false;
        for (char c : port)
            if (!isDigit(c)) return false;
        if (!port.empty() && std::stoul(std::string(port)) > 65535) return false;
    }
    if (needsHost && host.empty()) return false;
    return isHost(host);
}

// Each address of a mailto URL: something, an @, something.
bool isMailAddressList(std::string_view path) {
    if (path.empty() || !isPath(path)) return false;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(',', start);
        if (end == std::string_view::npos) end = path.size();
        std::string_view address = path.substr(start, end - start);
        const std::size_t at = address.rfind('@');
        if (at == std::string_view::npos || at == 0 || at + 1 == address.size()) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool UrlCheck::isOpenable(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isAlpha(url[0])) return false;
    std::string scheme;
    for (char c : url.substr(0, colon)) {
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
        scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string_view rest = url.substr(colon + 1);

    // The fragment after the first #, the query after the first ? before it.
    if (std::size_t hash = rest.find('#'); hash != std::string_view::npos) {
        if (!consistsOf(rest.substr(hash + 1), ":@/?")) return false;
        rest = rest.substr(0, hash);
    }
    if (std::size_t question = rest.find('?'); question != std::string_view::npos) {
        if (!consistsOf(rest.substr(question + 1), ":@/?")) return false;
        rest = rest.substr(0, question);
    }

    if (scheme == "mailto") return isMailAddressList(rest);
    if (scheme != "http" && scheme != "https" && scheme != "file") return false;

    std::string_view path = rest;
    const bool hasAuthority = rest.substr(0, 2) == "//";
    if (hasAuthority) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (!isAuthority(rest.substr(0, slash), scheme != "file")) return false;
        path = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    } else if (scheme != "file") {
        return false;  // http:/x has no host
    }
    if (scheme == "file" && (path.empty() || path.front() != '/')) return false;
    return isPath(path);
}

}  // namespace kestrel
