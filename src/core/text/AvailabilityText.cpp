#include "core/text/AvailabilityText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrel {

namespace {

struct Name {
    std::string_view platform, display;
};
// In the order Apple's documentation lists them.
constexpr std::array<Name, 8> platformNames{{
    {"ios", "iOS"},
    {"maccatalyst", "Mac Catalyst"},
    {"macos", "macOS"},
    {"tvos", "tvOS"},
    {"visionos", "visionOS"},
    {"watchos", "watchOS"},
    {"driverkit", "DriverKit"},
    {"bridgeos", "bridgeOS"},
}};
constexpr std::string_view appExtension = "_app_extension";

std::size_t rank(std::string_view platform) {
    for (std::size_t i = 0; i < platformNames.size(); ++i)
        if (platformNames[i].platform == platform) return i;
    return platformNames.size();
}

std::string withAdvice(std::string text, const Availability& a) {
    std::string advice = AvailabilityText::advice(a);
    return advice.empty() ? text : text + ": " + advice;
}

// what="Deprecated", joint=" in " -> "Deprecated in macOS 10.14", "Deprecated in macOS", "Deprecated";
// what="deprecated", joint=" " -> "deprecated macOS 10.14".
std::string wordsFor(std::string_view what, std::string_view joint, std::string_view platform, std::string_view version) {
    std::string text(what);
    const std::string name = AvailabilityText::platformName(platform);
    if (name.empty()) return text;
    text.append(joint).append(name);
    if (!version.empty()) text.append(1, ' ').append(version);
    return text;
}
std::string inPlatform(std::string_view what, std::string_view platform, std::string_view version) {
    return wordsFor(what, " in ", platform, version);
}
std::string bracketWords(std::string_view what, std::string_view platform, std::string_view version) {
    return wordsFor(what, " ", platform, version);
}

// The platform's own deprecation, else the one for every platform.
std::pair<std::string_view, const Availability::Platform*> deprecation(const Availability& a, std::string_view platform) {
    const Availability::Platform* p = a.find(platform);
    if (p && p->deprecated) return {platform, p};
    const Availability::Platform* any = a.find(Availability::anyPlatform);
    if (any && any->deprecated) return {Availability::anyPlatform, any};
    return {platform, nullptr};
}

}  // namespace

std::string AvailabilityText::platformName(std::string_view platform) {
    if (platform == Availability::anyPlatform) return {};
    if (platform.size() > appExtension.size() && platform.ends_with(appExtension))
        return platformName(platform.substr(0, platform.size() - appExtension.size())) + " app extension";
    for (const Name& n : platformNames)
        if (n.platform == platform) return std::string(n.display);
    return std::string(platform);
}

std::string AvailabilityText::advice(const Availability& a) {
    if (!a.getReplacement().empty()) return "use " + a.getReplacement();
    std::string message = a.getMessage();
    // "Use -newThing" -> "use -newThing", but "NSFoo is gone" and "iOS only" stay
    if (message.size() >= 2 && std::isupper(static_cast<unsigned char>(message[0])) &&
        std::islower(static_cast<unsigned char>(message[1])))
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    while (!message.empty() && (message.back() == '.' || message.back() == ' ')) message.pop_back();
    return message;
}

std::string AvailabilityText::introduced(const Availability& a, std::string_view platform) {
    const Availability::Platform* p = a.find(platform);
    if (!p || !p->introduced || platform == Availability::anyPlatform) return {};
    return platformName(platform) + " " + *p->introduced + "+";
}

std::string AvailabilityText::deprecated(const Availability& a, std::string_view platform) {
    auto [where, p] = deprecation(a, platform);
    if (!p) return {};
    if (Availability::isFutureVersion(*p->deprecated)) return withAdvice(inPlatform("To be deprecated", where, ""), a);
    return withAdvice(inPlatform("Deprecated", where, *p->deprecated), a);
}

std::string AvailabilityText::unavailable(const Availability& a, std::string_view platform) {
    if (!a.isUnavailable(platform)) return {};
    const Availability::Platform* p = a.find(platform);
    if (p && !p->unavailable && p->obsoleted) return withAdvice(inPlatform("Obsoleted", platform, *p->obsoleted), a);
    const bool here = p && p->unavailable;
    std::string text = inPlatform("Unavailable", here ? platform : Availability::anyPlatform, "");
    // A deprecation already gave the advice.
    return deprecated(a, platform).empty() ? withAdvice(text, a) : text;
}

std::vector<std::string> AvailabilityText::lines(const Availability& a, std::string_view platform) {
    std::vector<std::string> out;
    for (std::string line : {introduced(a, platform), deprecated(a, platform), unavailable(a, platform)})
        if (!line.empty()) out.push_back(std::move(line));
    return out;
}

std::string AvailabilityText::brackets(const Availability& a, std::string_view platform) {
    std::vector<std::string> parts;
    if (std::string intro = introduced(a, platform); !intro.empty()) parts.push_back(intro);
    auto [where, p] = deprecation(a, platform);
    if (p && !Availability::isFutureVersion(*p->deprecated)) {
        std::string text = bracketWords("deprecated", where, *p->deprecated);
        std::string said = advice(a);
        parts.push_back(said.empty() ? text : text + ": " + said);
    }
    if (a.isUnavailable(platform)) {
        const Availability::Platform* own = a.find(platform);
        const bool here = own && (own->unavailable || own->obsoleted);
        parts.push_back(bracketWords("unavailable", here ? platform : Availability::anyPlatform, ""));
    }
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "[" : " [") + part + "]";
    return out;
}

std::string AvailabilityText::allPlatforms(const Availability& a) {
    std::vector<const Availability::Entry*> shown;
    for (const Availability::Entry& e : a.entries())
        if (e.first != Availability::anyPlatform && e.second.introduced && !e.second.unavailable) shown.push_back(&e);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const auto* x, const auto* y) { return rank(x->first) < rank(y->first); });
    std::string out;
    for (const Availability::Entry* e : shown) {
        out += (out.empty() ? "" : ", ") + platformName(e->first) + " " + *e->second.introduced;
        const auto& dep = e->second.deprecated;
        out += dep && !dep->empty() && !Availability::isFutureVersion(*dep) ? "\u2013" + *dep : "+";
    }
    return out;
}

}  // namespace kestrel
