#include "core/platform/PlistXmlReader.h"

#include <array>
#include <cstdint>
#include <utility>

#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

constexpr std::array<std::pair<std::string_view, char>, 5> kEntities{{
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<PlistValue> PlistXmlReader::read(std::string_view xml) {
    // libplist's reading of a NUL byte is its own, wherever it stands (a text ends there, a
    // comparison in the prologue stops there).
    if (xml.find('\0') != std::string_view::npos) return std::nullopt;
    PlistXmlReader reader(xml);
    PlistValue value;
    if (!reader.document(value)) return std::nullopt;
    return value;
}

void PlistXmlReader::skipBlanks() {
    while (at_ < xml_.size() && isBlank(xml_[at_])) ++at_;
}

bool PlistXmlReader::take(std::string_view expected) {
    if (!startsWith(expected)) return false;
    at_ += expected.size();
    return true;
}

// <?xml ...?> and <!DOCTYPE ...> in any number, then <plist ...>: as libplist passes over them,
// which takes what stands between double quotes as a whole ("?>" or ">" inside them ends
// nothing). None of them may hold a "<": the nesting check before libplist counts the tags it
// sees anywhere.
bool PlistXmlReader::skipPrologue() {
    for (skipBlanks();; skipBlanks()) {
        if (startsWith("<?")) {
            std::size_t end = at_ + 1;
            while ((end = quotedFind(end, "?")) < xml_.size() && !(end + 1 < xml_.size() && xml_[end + 1] == '>')) ++end;
            if (end >= xml_.size() || holdsTag(at_ + 2, end)) return false;
            at_ = end + 2;
        } else if (startsWith("<!DOCTYPE")) {
            const std::size_t end = quotedFind(at_ + 9, "[>");
            if (end >= xml_.size() || xml_[end] == '[' || holdsTag(at_ + 9, end)) return false;  // '[': an inner DTD
            at_ = end + 1;
        } else {
            break;
        }
    }
    if (!take("<plist") || at_ >= xml_.size() || !(xml_[at_] == '>' || isBlank(xml_[at_]))) return false;
    const std::size_t end = quotedFind(at_, "<>");
    if (end >= xml_.size() || xml_[end] != '>' || xml_[end - 1] == '/' || holdsTag(at_, end)) return false;
    at_ = end + 1;
    return true;
}

bool PlistXmlReader::holdsTag(std::size_t from, std::size_t to) const {
    return xml_.substr(from, to - from).find('<') != std::string_view::npos;
}

// The first of stops at or after from outside double quotes; xml_.size() for none, or where a
// quote is not closed.
std::size_t PlistXmlReader::quotedFind(std::size_t from, std::string_view stops) const {
    for (std::size_t at = from; at < xml_.size(); ++at) {
        if (xml_[at] == '"') {
            at = xml_.find('"', at + 1);
            if (at == std::string_view::npos) return xml_.size();
        } else if (stops.find(xml_[at]) != std::string_view::npos) {
            return at;
        }
    }
    return xml_.size();
}

bool PlistXmlReader::document(PlistValue& out) {
    if (!skipPrologue()) return false;
    skipBlanks();
    if (!startsWith("<dict") && !startsWith("<array")) return false;  // libplist ends a scalar root early
    if (!value(out, 0)) return false;
    skipBlanks();
    if (!take("</plist>")) return false;
    skipBlanks();
    return at_ == xml_.size();
}

bool PlistXmlReader::value(PlistValue& out, int depth) {
    if (depth >= kMaxDepth) return false;
    if (take("<string>")) {
        std::string body;
        if (!text("</string>", body)) return false;
        out = PlistValue(std::move(body));
        return true;
    }
    if (take("<integer>")) return integer(out);
    if (take("<dict>")) return dict(out, depth);
    if (take("<array>")) return array(out, depth);
    if (take("<true/>")) {
        out = PlistValue(true);
        return true;
    }
    if (take("<false/>")) {
        out = PlistValue(false);
        return true;
    }
    if (take("<dict/>")) {
        out = PlistValue(PlistDict());
        return true;
    }
    if (take("<array/>")) {
        out = PlistValue(PlistArray());
        return true;
    }
    return false;
}

bool PlistXmlReader::dict(PlistValue& out, int depth) {
    out = PlistValue(PlistDict());
    PlistDict& entries = *out.getDict();
    for (;;) {
        skipBlanks();
        if (take("</dict>")) break;
        if (!take("<key>")) return false;
        std::string key;
        if (!text("</key>", key)) return false;
        skipBlanks();
        PlistValue item;
        if (!value(item, depth + 1)) return false;
        if (entries.contains(key)) return false;  // a key written twice: libplist decides which stays
        entries.append(std::move(key), std::move(item));
    }
    // {"CF$UID": n} is an archiver's reference, which libplist reads as a UID.
    if (entries.size() == 1 && entries.begin()->first == "CF$UID" && entries.begin()->second.isInteger()) return false;
    return true;
}

bool PlistXmlReader::array(PlistValue& out, int depth) {
    out = PlistValue(PlistArray());
    PlistArray& elements = *out.getArray();
    for (;;) {
        skipBlanks();
        if (take("</array>")) return true;
        if (!value(elements.emplace_back(), depth + 1)) return false;
    }
}

bool PlistXmlReader::text(std::string_view close, std::string& out) {
    for (;;) {
        const std::size_t stop = ByteScan::firstOf(xml_, at_, '<', '&');
        if (stop >= xml_.size()) return false;
        out.append(xml_.substr(at_, stop - at_));
        at_ = stop;
        if (xml_[stop] == '<') return take(close);
        bool named = false;
        for (const auto& [entity, byte] : kEntities) {
            if (take(entity)) {
                out += byte;
                named = true;
                break;
            }
        }
        if (!named) return false;
    }
}

// -?(0|[1-9][0-9]{0,17}): no sign but a minus, no base prefix or leading zero, no overflow.
bool PlistXmlReader::integer(PlistValue& out) {
    std::string digits;
    if (!text("</integer>", digits)) return false;
    std::string_view rest(digits);
    const bool negative = rest.starts_with('-');
    if (negative) rest.remove_prefix(1);
    if (rest.empty() || rest.size() > 18 || (rest[0] == '0' && rest.size() > 1)) return false;
    std::int64_t number = 0;
    for (const char c : rest) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    out = PlistValue(negative ? -number : number);
    return true;
}

}  // namespace kestrel
