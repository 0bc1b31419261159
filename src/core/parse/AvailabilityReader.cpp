#include "core/parse/AvailabilityReader.h"

#include "core/parse/AvailabilityMacroForms.h"
#include "core/parse/MacroExpander.h"

namespace kestrel {

namespace {

using Range = std::pair<std::size_t, std::size_t>;

bool isOpen(const PreprocessorToken& t) {
    return t.kind == PreprocessorToken::Kind::Punctuator && (t.text == "(" || t.text == "[" || t.text == "{");
}
bool isClose(const PreprocessorToken& t) {
    return t.kind == PreprocessorToken::Kind::Punctuator && (t.text == ")" || t.text == "]" || t.text == "}");
}
bool punct(const PreprocessorTokens& t, std::size_t i, std::string_view p) {
    return i < t.size() && t[i].isPunctuator(p);
}

// "__deprecated__" -> "deprecated": the reserved spelling of an attribute's name.
std::string_view attributeName(std::string_view name) {
    if (name.size() > 4 && name.starts_with("__") && name.ends_with("__")) return name.substr(2, name.size() - 4);
    return name;
}

// The text of the tokens, with no blanks: a version is one number ("10.7") or, after a paste
// that went wrong, pieces ("10" "." "7").
std::string joined(const PreprocessorTokens& t, std::size_t begin, std::size_t end) {
    std::string s;
    for (std::size_t i = begin; i < end && s.size() <= 64; ++i) s += t[i].text;
    return s;
}

// availability(macos, introduced=10.7, deprecated=10.14, message="m", replacement="r")
void readAvailability(const PreprocessorTokens& t, const std::vector<Range>& args, Availability& into) {
    if (args.empty() || args[0].second != args[0].first + 1 || !t[args[0].first].isIdentifier()) return;
    const std::string& platform = t[args[0].first].text;
    Availability one;
    for (std::size_t a = 1; a < args.size(); ++a) {
        auto [b, e] = args[a];
        if (b >= e || !t[b].isIdentifier()) continue;
        const std::string& key = t[b].text;
        if (e == b + 1) {
            if (key == "unavailable") one.makeUnavailable(platform);
            continue;  // strict, and what clang adds later
        }
        if (!punct(t, b + 1, "=")) continue;
        if (key == "introduced") one.introduce(platform, joined(t, b + 2, e));
        else if (key == "deprecated" && b + 2 < e) one.deprecate(platform, joined(t, b + 2, e));
        else if (key == "obsoleted") one.obsolete(platform, joined(t, b + 2, e));
        else if (key == "message") one.setMessage(AvailabilityReader::stringText(t, b + 2, e));
        else if (key == "replacement") one.setReplacement(AvailabilityReader::stringText(t, b + 2, e));
    }
    // Swift's availability (a platform not kept) brings no message either.
    if (!one.entries().empty()) into.merge(one);
}

// One attribute of a list: deprecated, deprecated("m"), deprecated("m", "r"), unavailable("m"),
// availability(...); clang::availability(...) as in [[clang::availability(...)]].
void readAttribute(const PreprocessorTokens& t, std::size_t b, std::size_t e, Availability& into) {
    if (b + 2 < e && t[b].isIdentifier() && punct(t, b + 1, "::")) b += 2;
    else if (b + 3 < e && t[b].isIdentifier() && punct(t, b + 1, ":") && punct(t, b + 2, ":")) b += 3;
    if (b >= e || !t[b].isIdentifier()) return;
    std::string_view name = attributeName(t[b].text);
    std::vector<Range> args;
    if (punct(t, b + 1, "(")) {
        std::size_t close = AvailabilityReader::closing(t, b + 1);
        if (close >= e) return;
        args = AvailabilityReader::splitCommas(t, b + 2, close);
    }
    Availability one;
    if (name == "availability") {
        readAvailability(t, args, into);
        return;
    } else if (name == "deprecated") {
        one.deprecate(Availability::anyPlatform);
    } else if (name == "unavailable") {
        one.makeUnavailable(Availability::anyPlatform);
    } else {
        return;
    }
    if (args.size() > 0) one.setMessage(AvailabilityReader::stringText(t, args[0].first, args[0].second));
    if (args.size() > 1 && name == "deprecated")
        one.setReplacement(AvailabilityReader::stringText(t, args[1].first, args[1].second));
    into.merge(one);
}

void readList(const PreprocessorTokens& t, std::size_t b, std::size_t e, Availability& into) {
    for (auto [ib, ie] : AvailabilityReader::splitCommas(t, b, e)) readAttribute(t, ib, ie, into);
}

}  // namespace

std::size_t AvailabilityReader::closing(const PreprocessorTokens& tokens, std::size_t open) {
    std::size_t depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (isOpen(tokens[i])) ++depth;
        else if (isClose(tokens[i]) && depth > 0 && --depth == 0) return i;
    }
    return tokens.size();
}

std::vector<Range> AvailabilityReader::splitCommas(const PreprocessorTokens& tokens, std::size_t begin,
                                                   std::size_t end) {
    std::vector<Range> parts;
    std::size_t depth = 0, start = begin;
    for (std::size_t i = begin; i < end && i < tokens.size(); ++i) {
        if (isOpen(tokens[i])) ++depth;
        else if (isClose(tokens[i]) && depth > 0) --depth;
        else if (depth == 0 && tokens[i].isPunctuator(",")) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    if (start < end || !parts.empty()) parts.emplace_back(start, end);
    return parts;
}

std::string AvailabilityReader::stringText(const PreprocessorTokens& tokens, std::size_t begin, std::size_t end) {
    std::string out;
    for (std::size_t i = begin; i < end && i < tokens.size(); ++i) {
        const std::string& s = tokens[i].text;
        if (tokens[i].kind != PreprocessorToken::Kind::String) continue;
        std::size_t open = s.find('"');
        if (open == std::string::npos || s.size() < open + 2) continue;
        for (std::size_t k = open + 1; k + 1 < s.size(); ++k) {
            char c = s[k];
            if (c == '\\' && k + 2 < s.size()) {
                c = s[++k];
                if (c == 'n') c = '\n';
                else if (c == 't') c = '\t';
            }
            out += c;
        }
    }
    return out;
}

Availability AvailabilityReader::read(std::string_view text) { return read(PreprocessorLexer::tokenize(text)); }

Availability AvailabilityReader::read(const PreprocessorTokens& t) {
    Availability result;
    std::size_t i = 0;
    while (i < t.size()) {
        const PreprocessorToken& token = t[i];
        if (token.isIdentifier() && (token.text == "_Pragma" || token.text == "__pragma") && punct(t, i + 1, "(")) {
            i = closing(t, i + 1) + 1;  // clang attribute push(...): for the declarations that follow
        } else if (token.isIdentifier() && (token.text == "__attribute__" || token.text == "__attribute") &&
                   punct(t, i + 1, "(") && punct(t, i + 2, "(")) {
            std::size_t inner = closing(t, i + 2);
            if (inner < t.size()) readList(t, i + 3, inner, result);
            i = closing(t, i + 1) + 1;
        } else if (token.isIdentifier() && token.text == "__declspec" && punct(t, i + 1, "(")) {
            std::size_t close = closing(t, i + 1);
            if (close < t.size()) readList(t, i + 2, close, result);
            i = close + 1;
        } else if (token.isPunctuator("[") && punct(t, i + 1, "[")) {
            std::size_t close = closing(t, i + 1);
            if (close < t.size() && punct(t, close + 1, "]")) readList(t, i + 2, close, result);
            i = close + 1;
        } else if (token.isIdentifier()) {
            i = AvailabilityMacroForms::read(t, i, result);
        } else {
            ++i;
        }
    }
    return result;
}

Availability AvailabilityReader::readExpanding(std::string_view raw, MacroExpander& expander) {
    return read(expander.expand(PreprocessorLexer::tokenize(raw)));
}

}  // namespace kestrel
