// Fuzz target: any bytes as a stored documentation comment, read and written as plain text at
// a width taken from the first byte, and as attribute text read for its availability. Wrapped
// lines stay within the width unless one word is longer, a summary is one line, and the
// availability's stored form reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/model/Availability.h"
#include "core/parse/AvailabilityReader.h"
#include "core/platform/PlistValue.h"
#include "core/text/AvailabilityText.h"
#include "core/text/DocCommentParser.h"
#include "core/text/DocCommentText.h"

using namespace kestrel;

namespace {

std::size_t codePoints(const std::string& s) {
    std::size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t width = data[0] % 2 ? 0 : 10 + data[0] % 90;
    const std::string body = fuzz::bytesOf(data + 1, size - 1);

    DocComment doc = DocCommentParser::parse(body);
    (void)DocCommentText::plain(doc, {width});
    if (width) {
        // Wrapping the raw text as one paragraph: a line past the width is one word.
        const std::string text = DocCommentText::wrap(body, width, "", "");
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            KESTREL_FUZZ_CHECK(codePoints(line) <= width || line.find(' ') == std::string::npos,
                               "a wrapped line is past the width with a blank to break at");
            start = end + 1;
        }
    }
    const std::string summary = DocCommentText::summary(doc, width ? width : 160);
    KESTREL_FUZZ_CHECK(summary.find('\n') == std::string::npos, "a summary is more than one line");

    Availability a = AvailabilityReader::read(body);
    KESTREL_FUZZ_CHECK(Availability::fromPlist(PlistValue(a.toPlist())) == a,
                       "an availability does not read back from its stored form");
    (void)AvailabilityText::brackets(a);
    (void)AvailabilityText::lines(a, "ios");
    (void)AvailabilityText::allPlatforms(a);
    return 0;
}
