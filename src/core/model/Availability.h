#pragma once
// What a declaration's availability attributes say, per platform: the versions it was
// introduced, deprecated and obsoleted in, whether it is unavailable, and a message or the
// name of its replacement.
//
//   __attribute__((availability(macos,introduced=10.7,deprecated=10.14,message="Use -newThing")))
//     -> macos {introduced 10.7, deprecated 10.14}, message "Use -newThing"
//   __attribute__((deprecated))  -> "*" {deprecated ""}   (deprecated everywhere, no version)
//   __attribute__((unavailable)) -> "*" {unavailable}
//
// Platforms are named as the attribute names them, made canonical: "macosx" -> "macos",
// "xros" -> "visionos", "macCatalyst" -> "maccatalyst", "macOSApplicationExtension" ->
// "macos_app_extension"; Swift's availability says nothing about the C or Objective-C
// declaration and is not kept.
//
// The stored form (a dictionary in the record's "availability" key):
//   {"macos": {"introduced": "10.7", "deprecated": "10.14"}, "ios": {"unavailable": true},
//    "message": "Use -newThing"}
// A stored value of another type, or a version that is not a version, is passed over.
//
// The short form, a string, for an availability without a message or a replacement (the notes
// file of an SDK holds some 20,000): each platform in its order, its name, the version it was
// introduced in, and what else it says, separated by ", ":
//   "macos 10.7 deprecated 10.14, ios unavailable"
//   "macos 10.0 deprecated 10.8 obsoleted 10.9"
//   "* deprecated"                     (deprecated everywhere, no version)
// A platform of another shape is passed over when read.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

class PlistXmlWriter;

class PlistDict;
class PlistValue;

class Availability {
public:
    static constexpr std::string_view anyPlatform = "*";
    static constexpr std::string_view defaultPlatform = "macos";

    struct Platform {
        std::optional<std::string> introduced;
        std::optional<std::string> deprecated;  // "" deprecated without a version
        std::optional<std::string> obsoleted;
        bool unavailable = false;

        bool empty() const { return !introduced && !deprecated && !obsoleted && !unavailable; }
        bool operator==(const Platform&) const = default;
    };
    using Entry = std::pair<std::string, Platform>;

    // The platform's canonical name; "" for a platform whose availability is not kept (swift)
    // or a name that is no identifier.
    static std::string canonicalPlatform(std::string_view written);
    // "10_7" -> "10.7", " 10.14 " -> "10.14"; none for what is not digits and dots.
    static std::optional<std::string> normalVersion(std::string_view written);
    // Numerically, component by component, a missing component as 0: "10.10" > "10.9",
    // "10.7" == "10.7.0". Answers <0, 0 or >0.
    static int compareVersions(std::string_view a, std::string_view b);
    // The SDKs' "to be deprecated" placeholder (API_TO_BE_DEPRECATED is 100000): a deprecation
    // announced for a future version, not made yet.
    static bool isFutureVersion(std::string_view version);

    // Setters take the platform as written and versions as written; a platform that is not
    // kept, or a version that is none, changes nothing.
    void introduce(std::string_view platform, std::string_view version);
    void deprecate(std::string_view platform, std::string_view version = {});  // {}: no version
    void obsolete(std::string_view platform, std::string_view version);
    void makeUnavailable(std::string_view platform);
    // The first message and replacement given are kept; an empty text is none.
    void setMessage(std::string_view text);
    void setReplacement(std::string_view text);

    // Another attribute on the same declaration: what this one does not say is taken from it,
    // unavailability from either.
    void merge(const Availability& other);

    bool empty() const { return !said || (said->platforms.empty() && said->message.empty() && said->replacement.empty()); }
    const std::vector<Entry>& entries() const { return data().platforms; }
    const Platform* find(std::string_view platform) const;
    const std::string& getMessage() const { return data().message; }
    const std::string& getReplacement() const { return data().replacement; }

    // Deprecated on the platform (or everywhere), a future deprecation not counted.
    bool isDeprecated(std::string_view platform = defaultPlatform) const;
    // Unavailable or obsoleted on the platform, or unavailable everywhere.
    bool isUnavailable(std::string_view platform = defaultPlatform) const;

    PlistDict toPlist() const;
    // The same dictionary written as it goes (the notes file of a whole SDK holds some 20,000).
    void writeTo(PlistXmlWriter& writer) const;
    // The short form; none where it cannot say all (a message, a replacement).
    std::optional<std::string> shortText() const;
    static Availability fromShortText(std::string_view text);
    // Whatever in the value (either form) is well formed; an empty availability from anything
    // else.
    static Availability fromPlist(const PlistValue& value);
    static Availability fromPlist(const PlistDict& dict);

    bool operator==(const Availability& other) const { return said == other.said || data() == other.data(); }

private:
    struct Data {
        std::vector<Entry> platforms;  // in the order first named
        std::string message;
        std::string replacement;
        bool operator==(const Data&) const = default;
    };
    static const Data& none();
    const Data& data() const { return said ? *said : none(); }
    // What this one says, alone: copied first while another shares it.
    Data& own();
    Platform* slot(std::string_view platform);  // made on first use; null for a platform not kept

    // Shared by the copies until one changes: the declarations of a header, and of an SDK, say
    // the same few things over and over ("macos 10.15, ios 13.0" on every method of a class),
    // and each note holds its own copy.
    std::shared_ptr<Data> said;
};

}  // namespace kestrel
