#include "core/parse/AvailabilityMacroForms.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/parse/AvailabilityReader.h"

namespace kestrel {

namespace {

using Range = std::pair<std::size_t, std::size_t>;

struct Context {
    const PreprocessorTokens& t;
    std::vector<Range> args;
    Availability one;

    std::string text(const Range& r) const {
        std::string s;
        for (std::size_t i = r.first; i < r.second && s.size() <= 64; ++i) s += t[i].text;
        return s;
    }
    std::string message(std::size_t arg) const {
        return arg < args.size() ? AvailabilityReader::stringText(t, args[arg].first, args[arg].second) : std::string();
    }
};

// "__MAC_10_5", "__IPHONE_2_0", "10_7", "10.7" -> the version; "NA", "__MAC_NA" -> "NA".
std::string versionOf(std::string v) {
    for (std::string_view prefix : {"__MAC_", "__IPHONE_", "__TVOS_", "__WATCHOS_"})
        if (v.starts_with(prefix)) v.erase(0, prefix.size());
    if (v == "API_TO_BE_DEPRECATED" || v == "__API_TO_BE_DEPRECATED") return "100000";
    return v;
}

// One platform's introduction and, maybe, deprecation; "NA" introduced: not on the platform.
void introduce(Availability& a, std::string_view platform, const std::string& intro, const std::string& dep = {}) {
    if (intro == "NA") {
        a.makeUnavailable(platform);
        return;
    }
    a.introduce(platform, intro);
    if (!dep.empty() && dep != "NA") a.deprecate(platform, dep);
}

// API_AVAILABLE(macos(10.7)), API_DEPRECATED("m", macos(10.0, 10.14)), API_UNAVAILABLE(ios):
// from `first` on, each argument a platform with its versions in parentheses.
void platformList(Context& c, std::size_t first, bool deprecated) {
    for (std::size_t a = first; a < c.args.size(); ++a) {
        auto [b, e] = c.args[a];
        if (b >= e || !c.t[b].isIdentifier()) continue;
        const std::string& platform = c.t[b].text;
        if (e == b + 1) {
            c.one.makeUnavailable(platform);
            continue;
        }
        if (!c.t[b + 1].isPunctuator("(")) continue;
        std::size_t close = AvailabilityReader::closing(c.t, b + 1);
        if (close > e) continue;
        auto versions = AvailabilityReader::splitCommas(c.t, b + 2, close);
        std::string intro = versions.size() > 0 ? versionOf(c.text(versions[0])) : std::string();
        std::string dep = deprecated && versions.size() > 1 ? versionOf(c.text(versions[1])) : std::string();
        introduce(c.one, platform, intro, dep);
    }
}

// NS_AVAILABLE(mac, ios), NS_DEPRECATED(macIntro, macDep, iosIntro, iosDep, "m"), with _MAC or
// _IOS taking the one platform's versions.
bool nsForm(Context& c, std::string_view name) {
    if (name.starts_with("NS_") || name.starts_with("CF_")) name.remove_prefix(3);
    else return false;
    for (std::string_view middle : {"CLASS_", "ENUM_"})
        if (name.starts_with(middle)) name.remove_prefix(middle.size());
    bool deprecated = name.starts_with("DEPRECATED");
    if (!deprecated && !name.starts_with("AVAILABLE")) return false;
    name.remove_prefix(deprecated ? 10 : 9);
    const std::size_t per = deprecated ? 2 : 1;  // versions per platform
    std::vector<std::string_view> platforms;
    if (name.empty()) platforms = {"macos", "ios"};
    else if (name == "_MAC") platforms = {"macos"};
    else if (name == "_IOS" || name == "_IPHONE") platforms = {"ios"};
    else return false;
    if (c.args.size() < per * platforms.size()) return false;
    for (std::size_t p = 0; p < platforms.size(); ++p) {
        std::string intro = versionOf(c.text(c.args[p * per]));
        std::string dep = deprecated ? versionOf(c.text(c.args[p * per + 1])) : std::string();
        introduce(c.one, platforms[p], intro, dep);
    }
    if (deprecated) c.one.setMessage(c.message(per * platforms.size()));
    return true;
}

// __OSX_AVAILABLE(10.12), __IOS_DEPRECATED(2.0, 9.0, "m"), __TVOS_PROHIBITED, __OSX_UNAVAILABLE
bool shortForm(Context& c, std::string_view name) {
    struct Prefix {
        std::string_view prefix, platform;
    };
    static constexpr std::array<Prefix, 5> prefixes{{{"__OSX_", "macos"},
                                                     {"__MAC_", "macos"},
                                                     {"__IOS_", "ios"},
                                                     {"__TVOS_", "tvos"},
                                                     {"__WATCHOS_", "watchos"}}};
    for (const Prefix& p : prefixes) {
        if (!name.starts_with(p.prefix)) continue;
        std::string_view rest = name.substr(p.prefix.size());
        if (rest == "AVAILABLE" && c.args.size() == 1) {
            introduce(c.one, p.platform, versionOf(c.text(c.args[0])));
        } else if (rest == "DEPRECATED" && c.args.size() >= 2) {
            introduce(c.one, p.platform, versionOf(c.text(c.args[0])), versionOf(c.text(c.args[1])));
            c.one.setMessage(c.message(2));
        } else if ((rest == "UNAVAILABLE" || rest == "PROHIBITED") && c.args.empty()) {
            c.one.makeUnavailable(p.platform);
        } else {
            return false;
        }
        return true;
    }
    return false;
}

// __OSX_AVAILABLE_STARTING(__MAC_10_5, __IPHONE_2_0)
// __OSX_AVAILABLE_BUT_DEPRECATED(__MAC_10_0, __MAC_10_5, __IPHONE_NA, __IPHONE_NA)  (_MSG: a fifth, the message)
bool startingForm(Context& c, std::string_view name) {
    if (name == "__OSX_AVAILABLE_STARTING" && c.args.size() == 2) {
        introduce(c.one, "macos", versionOf(c.text(c.args[0])));
        introduce(c.one, "ios", versionOf(c.text(c.args[1])));
        return true;
    }
    if ((name == "__OSX_AVAILABLE_BUT_DEPRECATED" || name == "__OSX_AVAILABLE_BUT_DEPRECATED_MSG") &&
        c.args.size() >= 4) {
        introduce(c.one, "macos", versionOf(c.text(c.args[0])), versionOf(c.text(c.args[1])));
        introduce(c.one, "ios", versionOf(c.text(c.args[2])), versionOf(c.text(c.args[3])));
        c.one.setMessage(c.message(4));
        return true;
    }
    return false;
}

// "10_2" at the start of s, taken off it: "10_2_AND_LATER" -> "10_2", s = "_AND_LATER".
std::string leadingVersion(std::string_view& s) {
    std::size_t end = 0, parts = 0;
    while (end < s.size() && parts < 3) {
        std::size_t digits = end;
        while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
        if (digits == end) break;
        end = digits;
        ++parts;
        if (end + 1 < s.size() && s[end] == '_' && s[end + 1] >= '0' && s[end + 1] <= '9' && parts < 3) ++end;
        else break;
    }
    std::string v(s.substr(0, end));
    s.remove_prefix(end);
    return v;
}

// AvailabilityMacros.h: AVAILABLE_MAC_OS_X_VERSION_10_2_AND_LATER[_BUT_DEPRECATED[_IN_MAC_OS_X_VERSION_10_4]],
// DEPRECATED_IN_MAC_OS_X_VERSION_10_4_AND_LATER.
bool versionNameForm(Context& c, std::string_view name) {
    constexpr std::string_view available = "AVAILABLE_MAC_OS_X_VERSION_", deprecatedIn = "DEPRECATED_IN_MAC_OS_X_VERSION_";
    if (!c.args.empty()) return false;
    if (name.starts_with(deprecatedIn)) {
        name.remove_prefix(deprecatedIn.size());
        std::string v = leadingVersion(name);
        if (v.empty() || name != "_AND_LATER") return false;
        c.one.deprecate("macos", v);
        return true;
    }
    if (!name.starts_with(available)) return false;
    name.remove_prefix(available.size());
    std::string intro = leadingVersion(name);
    if (intro.empty() || !name.starts_with("_AND_LATER")) return false;
    name.remove_prefix(10);
    c.one.introduce("macos", intro);
    if (name.empty()) return true;
    if (name == "_BUT_DEPRECATED") {
        c.one.deprecate("macos");
        return true;
    }
    constexpr std::string_view butIn = "_BUT_DEPRECATED_IN_MAC_OS_X_VERSION_";
    if (!name.starts_with(butIn)) return false;
    name.remove_prefix(butIn.size());
    std::string dep = leadingVersion(name);
    if (dep.empty() || !name.empty()) return false;
    c.one.deprecate("macos", dep);
    return true;
}

bool plainForm(Context& c, std::string_view name) {
    if (name == "DEPRECATED_ATTRIBUTE" && c.args.empty()) {
        c.one.deprecate(Availability::anyPlatform);
    } else if (name == "DEPRECATED_MSG_ATTRIBUTE" && c.args.size() == 1) {
        c.one.deprecate(Availability::anyPlatform);
        c.one.setMessage(c.message(0));
    } else if ((name == "UNAVAILABLE_ATTRIBUTE" || name == "NS_UNAVAILABLE") && c.args.empty()) {
        c.one.makeUnavailable(Availability::anyPlatform);
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::size_t AvailabilityMacroForms::read(const PreprocessorTokens& tokens, std::size_t at, Availability& into) {
    const std::string& name = tokens[at].text;
    // Every form starts with one of these letters; most identifiers are gone at once.
    if (name.size() < 10 || (name[0] != 'A' && name[0] != 'N' && name[0] != 'C' && name[0] != '_' && name[0] != 'D' &&
                             name[0] != 'U'))
        return at + 1;
    Context c{tokens, {}, {}};
    std::size_t next = at + 1;
    if (next < tokens.size() && tokens[next].isPunctuator("(")) {
        std::size_t close = AvailabilityReader::closing(tokens, next);
        if (close >= tokens.size()) return at + 1;
        c.args = AvailabilityReader::splitCommas(tokens, next + 1, close);
        next = close + 1;
    }
    bool known = false;
    if (name == "API_AVAILABLE" || name == "API_UNAVAILABLE") {
        platformList(c, 0, false);
        known = true;
    } else if (name == "API_DEPRECATED" || name == "API_DEPRECATED_WITH_REPLACEMENT") {
        if (name == "API_DEPRECATED") c.one.setMessage(c.message(0));
        else c.one.setReplacement(c.message(0));
        platformList(c, 1, true);
        known = true;
    } else {
        known = nsForm(c, name) || shortForm(c, name) || startingForm(c, name) || versionNameForm(c, name) ||
                plainForm(c, name);
    }
    if (!known) return at + 1;
    into.merge(c.one);
    return next;
}

}  // namespace kestrel
