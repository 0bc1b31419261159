#pragma once
// Reads the XML property lists that PlistXmlWriter writes (and libplist too: the same form),
// straight into a PlistValue, several times faster than libplist's reader and the conversion of
// its nodes: loading a stored tree is mostly reading these files.
//
// It reads only what it is sure libplist reads the same way, and answers none for anything else
// -- a comment, CDATA, a real, a date, data, an entity other than the five named ones, a key
// written twice, a tag with attributes or blanks, an integer written with a sign, leading zeros
// or more than eighteen digits, a NUL byte, nesting deeper than kMaxDepth -- so that the caller
// hands those bytes to libplist, which decides (PlistFile::parse does). None never means "no
// property list", only "not read here".
//
//   <plist version="1.0"><dict><key>a</key><integer>2</integer></dict></plist>  -> {a: 2}
//   <plist version="1.0"><real>1.5</real></plist>                               -> none
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/PlistValue.h"

namespace kestrel {

class PlistXmlReader {
public:
    static constexpr int kMaxDepth = 256;  // as PlistFile's conversions

    static std::optional<PlistValue> read(std::string_view xml);

private:
    explicit PlistXmlReader(std::string_view xml) : xml_(xml) {}

    bool document(PlistValue& out);
    bool value(PlistValue& out, int depth);
    bool dict(PlistValue& out, int depth);
    bool array(PlistValue& out, int depth);
    // The text up to "</tag>" (close), its entities decoded, the position after close.
    bool text(std::string_view close, std::string& out);
    bool integer(PlistValue& out);
    bool skipPrologue();
    std::size_t quotedFind(std::size_t from, std::string_view stops) const;
    bool holdsTag(std::size_t from, std::size_t to) const;  // a "<" in [from, to)

    void skipBlanks();
    bool take(std::string_view expected);  // moves past expected where it stands here
    bool startsWith(std::string_view expected) const { return xml_.substr(at_, expected.size()) == expected; }

    std::string_view xml_;
    std::size_t at_ = 0;
};

}  // namespace kestrel
