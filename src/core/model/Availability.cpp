#include "core/model/Availability.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

#include "core/platform/AsciiClass.h"
#include "core/platform/PlistValue.h"
#include "core/platform/PlistXmlWriter.h"

namespace kestrel {

namespace {

struct Alias {
    std::string_view written;  // lower case
    std::string_view canonical;
};
// Names the attributes and the availability macros write for one platform.
constexpr std::array<Alias, 4> platformAliases{{
    {"macosx", "macos"},
    {"osx", "macos"},
    {"xros", "visionos"},
    {"swift", ""},  // Swift's own availability: says nothing about this declaration
}};
constexpr std::string_view appExtension = "applicationextension";
constexpr std::size_t longestName = 64;
constexpr std::size_t longestVersion = 32;

bool isIdentifier(std::string_view s) {
    if (s.empty() || s.size() > longestName) return false;
    if (!(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// One numeric component of a version at pos, moving pos past it and its dot.
std::uint64_t nextComponent(std::string_view v, std::size_t& pos) {
    std::uint64_t n = 0;
    while (pos < v.size() && v[pos] != '.') {
        if (n < (std::uint64_t(1) << 60)) n = n * 10 + static_cast<std::uint64_t>(v[pos] - '0');
        ++pos;
    }
    if (pos < v.size()) ++pos;
    return n;
}

// A version from a stored value: a string, or an integer written by hand.
std::optional<std::string> storedVersion(const PlistValue* value, bool allowEmpty) {
    if (!value) return std::nullopt;
    if (const std::string* s = value->getString()) {
        if (s->empty()) return allowEmpty ? std::optional<std::string>("") : std::nullopt;
        return Availability::normalVersion(*s);
    }
    if (auto i = value->getInteger(); i && *i >= 0) return std::to_string(*i);
    return std::nullopt;
}

}  // namespace

std::string Availability::canonicalPlatform(std::string_view written) {
    if (written == anyPlatform) return std::string(anyPlatform);
    if (!isIdentifier(written)) return {};
    std::string name = lower(written);
    // "macOSApplicationExtension" -> "macos_app_extension"
    if (name.size() > appExtension.size() && name.ends_with(appExtension)) {
        std::string base = canonicalPlatform(name.substr(0, name.size() - appExtension.size()));
        return base.empty() ? std::string() : base + "_app_extension";
    }
    for (const Alias& alias : platformAliases)
        if (name == alias.written) return std::string(alias.canonical);
    if (name.starts_with("macosx_")) return "macos" + name.substr(6);
    return name;
}

std::optional<std::string> Availability::normalVersion(std::string_view written) {
    while (!written.empty() && std::isspace(static_cast<unsigned char>(written.front()))) written.remove_prefix(1);
    while (!written.empty() && std::isspace(static_cast<unsigned char>(written.back()))) written.remove_suffix(1);
    if (written.empty() || written.size() > longestVersion) return std::nullopt;
    std::string out(written);
    std::replace(out.begin(), out.end(), '_', '.');
    bool digitBefore = false;
    for (char c : out) {
        if (c == '.') {
            if (!digitBefore) return std::nullopt;  // ".7", "10..7"
            digitBefore = false;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digitBefore = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digitBefore) return std::nullopt;  // "10."
    return out;
}

int Availability::compareVersions(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        std::uint64_t x = nextComponent(a, i), y = nextComponent(b, j);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool Availability::isFutureVersion(std::string_view version) {
    return !version.empty() && compareVersions(version, "100000") >= 0;
}

const Availability::Data& Availability::none() {
    static const Data nothing;
    return nothing;
}

Availability::Data& Availability::own() {
    if (!said) said = std::make_shared<Data>();
    else if (said.use_count() > 1) said = std::make_shared<Data>(*said);
    return *said;
}

Availability::Platform* Availability::slot(std::string_view platform) {
    std::string name = canonicalPlatform(platform);
    if (name.empty()) return nullptr;
    std::vector<Entry>& platforms = own().platforms;
    for (Entry& entry : platforms)
        if (entry.first == name) return &entry.second;
    platforms.emplace_back(std::move(name), Platform{});
    return &platforms.back().second;
}

void Availability::introduce(std::string_view platform, std::string_view version) {
    auto v = normalVersion(version);
    if (!v) return;
    if (Platform* p = slot(platform)) p->introduced = std::move(v);
}

void Availability::deprecate(std::string_view platform, std::string_view version) {
    std::optional<std::string> v = version.empty() ? std::optional<std::string>("") : normalVersion(version);
    if (!v) return;
    Platform* p = slot(platform);
    if (!p) return;
    // A version says more than none; of two versions the earlier deprecation stands.
    if (!p->deprecated || p->deprecated->empty() || (!v->empty() && compareVersions(*v, *p->deprecated) < 0))
        p->deprecated = std::move(v);
}

void Availability::obsolete(std::string_view platform, std::string_view version) {
    auto v = normalVersion(version);
    if (!v) return;
    if (Platform* p = slot(platform)) p->obsoleted = std::move(v);
}

void Availability::makeUnavailable(std::string_view platform) {
    if (Platform* p = slot(platform)) p->unavailable = true;
}

void Availability::setMessage(std::string_view text) {
    if (text.empty() || !data().message.empty()) return;
    own().message = std::string(text);
}

void Availability::setReplacement(std::string_view text) {
    if (text.empty() || !data().replacement.empty()) return;
    own().replacement = std::string(text);
}

void Availability::merge(const Availability& other) {
    const std::shared_ptr<Data> theirsHeld = other.said;  // kept while this one changes
    if (!theirsHeld) return;
    for (const auto& [name, theirs] : theirsHeld->platforms) {
        Platform* mine = slot(name);
        if (!mine) continue;
        if (!mine->introduced) mine->introduced = theirs.introduced;
        if (theirs.deprecated) deprecate(name, *theirs.deprecated);
        if (!mine->obsoleted) mine->obsoleted = theirs.obsoleted;
        mine->unavailable = mine->unavailable || theirs.unavailable;
    }
    setMessage(theirsHeld->message);
    setReplacement(theirsHeld->replacement);
}

const Availability::Platform* Availability::find(std::string_view platform) const {
    const std::vector<Entry>& platforms = data().platforms;
    std::string name = canonicalPlatform(platform);
    for (const Entry& entry : platforms)
        if (entry.first == name) return &entry.second;
    return nullptr;
}

bool Availability::isDeprecated(std::string_view platform) const {
    if (const Platform* any = find(anyPlatform); any && any->deprecated) return true;
    const Platform* p = find(platform);
    return p && p->deprecated && !isFutureVersion(*p->deprecated);
}

bool Availability::isUnavailable(std::string_view platform) const {
    if (const Platform* any = find(anyPlatform); any && any->unavailable) return true;
    const Platform* p = find(platform);
    return p && (p->unavailable || (p->obsoleted && !isFutureVersion(*p->obsoleted)));
}

PlistDict Availability::toPlist() const {
    const std::vector<Entry>& platforms = data().platforms;
    const std::string& message = data().message;
    const std::string& replacement = data().replacement;
    PlistDict dict;
    for (const auto& [name, p] : platforms) {
        if (p.empty()) continue;
        PlistDict entry;
        if (p.introduced) entry.set("introduced", PlistValue(*p.introduced));
        if (p.deprecated) entry.set("deprecated", PlistValue(*p.deprecated));
        if (p.obsoleted) entry.set("obsoleted", PlistValue(*p.obsoleted));
        if (p.unavailable) entry.set("unavailable", PlistValue(true));
        dict.set(name, PlistValue(std::move(entry)));
    }
    if (!message.empty()) dict.set("message", PlistValue(message));
    if (!replacement.empty()) dict.set("replacement", PlistValue(replacement));
    return dict;
}

void Availability::writeTo(PlistXmlWriter& writer) const {
    const std::vector<Entry>& platforms = data().platforms;
    const std::string& message = data().message;
    const std::string& replacement = data().replacement;
    // A name twice, or one of the other keys', makes one key of toPlist's dictionary.
    for (std::size_t i = 0; i < platforms.size(); ++i) {
        const std::string& name = platforms[i].first;
        bool clash = name == "message" || name == "replacement";
        for (std::size_t j = 0; j < i && !clash; ++j) clash = platforms[j].first == name && !platforms[j].second.empty();
        if (clash && !platforms[i].second.empty()) return writer.value(PlistValue(toPlist()));
    }
    writer.beginDict();
    auto version = [&writer](const char* key, const std::optional<std::string>& value) {
        if (!value) return;
        writer.key(key);
        writer.string(*value);
    };
    for (const auto& [name, p] : platforms) {
        if (p.empty()) continue;
        writer.key(name);
        writer.beginDict();
        version("introduced", p.introduced);
        version("deprecated", p.deprecated);
        version("obsoleted", p.obsoleted);
        if (p.unavailable) {
            writer.key("unavailable");
            writer.value(PlistValue(true));
        }
        writer.endDict();
    }
    if (!message.empty()) {
        writer.key("message");
        writer.string(message);
    }
    if (!replacement.empty()) {
        writer.key("replacement");
        writer.string(replacement);
    }
    writer.endDict();
}

Availability Availability::fromPlist(const PlistValue& value) {
    if (const std::string* text = value.getString()) return fromShortText(*text);
    const PlistDict* dict = value.getDict();
    return dict ? fromPlist(*dict) : Availability();
}

std::optional<std::string> Availability::shortText() const {
    const std::vector<Entry>& platforms = data().platforms;
    const std::string& message = data().message;
    const std::string& replacement = data().replacement;
    if (!message.empty() || !replacement.empty()) return std::nullopt;
    auto plain = [](std::string_view word, bool dots) {
        return !word.empty() && std::all_of(word.begin(), word.end(), [dots](char c) {
            return isAsciiAlnum(c) || c == '_' || c == '*' || (dots && c == '.');
        });
    };
    std::string text;
    for (std::size_t i = 0; i < platforms.size(); ++i) {
        const auto& [name, p] = platforms[i];
        if (p.empty()) continue;
        for (std::size_t j = 0; j < i; ++j)
            if (platforms[j].first == name && !platforms[j].second.empty()) return std::nullopt;
        if (!plain(name, false)) return std::nullopt;
        if (!text.empty()) text += ", ";
        text += name;
        auto version = [&](const char* word, const std::optional<std::string>& value, bool mayBeEmpty) {
            if (!value) return true;
            if (word) (text += ' ') += word;
            if (value->empty()) return mayBeEmpty;
            if (!plain(*value, true)) return false;
            (text += ' ') += *value;
            return true;
        };
        if (!version(nullptr, p.introduced, false) || !version("deprecated", p.deprecated, true) ||
            !version("obsoleted", p.obsoleted, false))
            return std::nullopt;
        if (p.unavailable) text += " unavailable";
    }
    return text;
}

Availability Availability::fromShortText(std::string_view text) {
    Availability a;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view entry = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        std::vector<std::string_view> words;
        for (std::size_t at = 0; at < entry.size();) {
            if (std::isspace(static_cast<unsigned char>(entry[at]))) {
                ++at;
                continue;
            }
            std::size_t end = at;
            while (end < entry.size() && !std::isspace(static_cast<unsigned char>(entry[end]))) ++end;
            words.push_back(entry.substr(at, end - at));
            at = end;
        }
        if (words.empty()) continue;
        Platform p;
        std::size_t i = 1;
        auto versionAt = [&](std::size_t at) { return at < words.size() ? normalVersion(words[at]) : std::nullopt; };
        if ((p.introduced = versionAt(i))) ++i;
        bool sound = true;
        while (sound && i < words.size()) {
            const std::string_view word = words[i++];
            if (word == "deprecated" && !p.deprecated) {
                p.deprecated = versionAt(i);
                if (p.deprecated) ++i;
                else p.deprecated = "";
            } else if (word == "obsoleted" && !p.obsoleted && (p.obsoleted = versionAt(i))) {
                ++i;
            } else if (word == "unavailable" && !p.unavailable) {
                p.unavailable = true;
            } else {
                sound = false;
            }
        }
        std::string name = canonicalPlatform(words[0]);
        if (!sound || p.empty() || name.empty()) continue;
        Availability one;
        one.own().platforms.emplace_back(std::move(name), std::move(p));
        a.merge(one);
    }
    return a;
}

Availability Availability::fromPlist(const PlistDict& dict) {
    Availability a;
    for (const auto& [key, value] : dict) {
        if (key == "message" || key == "replacement") {
            if (const std::string* s = value.getString()) key == "message" ? a.setMessage(*s) : a.setReplacement(*s);
            continue;
        }
        const PlistDict* entry = value.getDict();
        if (!entry) continue;
        Platform p;
        p.introduced = storedVersion(entry->find("introduced"), false);
        p.deprecated = storedVersion(entry->find("deprecated"), true);
        p.obsoleted = storedVersion(entry->find("obsoleted"), false);
        p.unavailable = entry->boolValue("unavailable").value_or(false);
        if (p.empty()) continue;
        std::string name = canonicalPlatform(key);
        if (name.empty()) continue;
        Availability one;
        one.own().platforms.emplace_back(std::move(name), std::move(p));
        a.merge(one);  // "macosx" and "macos" in one file make one platform
    }
    return a;
}

}  // namespace kestrel
