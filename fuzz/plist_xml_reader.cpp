// Fuzz target: the reader of the stored files' own XML form against libplist. Whatever XML the
// reader takes, libplist must read as the same value (the reader leaves to libplist all it is
// not sure of); it must never crash, hang or read past the bytes.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PlistXmlReader.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::bytesOf(data, size);
    std::optional<PlistValue> ours = PlistXmlReader::read(bytes);
    if (!ours) return 0;
    std::optional<PlistValue> theirs = PlistFile::parseThroughLibplist(bytes);
    KESTREL_FUZZ_CHECK(theirs, "the reader took XML that libplist refuses");
    KESTREL_FUZZ_CHECK(*ours == *theirs, "the reader read the XML otherwise than libplist");
    return 0;
}
