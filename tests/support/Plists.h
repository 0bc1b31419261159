#pragma once
// Short forms for property lists in tests: dict({{"kind", 2}, {"name", "NSView"}}), and the
// XML text a value is written as.
#include <initializer_list>
#include <string>
#include <utility>

#include "core/platform/PlistFile.h"
#include "core/platform/PlistValue.h"

namespace kestrel::test {

inline PlistDict dict(std::initializer_list<std::pair<const char*, PlistValue>> entries) {
    PlistDict d;
    for (const auto& [key, value] : entries) d.set(key, value);
    return d;
}

inline std::string xml(const PlistValue& value) { return *PlistFile::toXML(value); }

}  // namespace kestrel::test
