#pragma once
// Writes property-list values as JSON, for the terminal commands and the golden tests.
//
//   {"kind": 2, "name": "NSView", "customFlag": false}  ->
//   {
//     "kind": 2,
//     "name": "NSView",
//     "customFlag": false
//   }
//
// Integers are JSON numbers, booleans true/false, dictionaries keep their key order. Header
// text is bytes, not always UTF-8: a byte that does not start a valid UTF-8 sequence is written
// as the Latin-1 character of that value (\u00XX), so the output is always valid JSON.
#include <ostream>
#include <string>

#include "core/platform/PlistValue.h"

namespace kestrel::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    void write(const PlistValue& value, int indent = 0);
    static std::string quote(const std::string& text);

private:
    void newline(int indent);
    void writeScalar(const PlistValue& value);
    std::ostream& out_;
};

}  // namespace kestrel::cli
