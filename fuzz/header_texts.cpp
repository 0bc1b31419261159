// Fuzz target: any bytes as a header that the header viewer shows and "Show Header" scans, and
// each of its lines as a stored declaration turned into a snippet or an editor command. The
// scan answers a line of the text (or 0), the colours' spans stay inside their line, in order,
// without overlap, and nothing the texts make reads past what it was given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/app/HeaderLocation.h"
#include "core/platform/EditorCommand.h"
#include "core/platform/HedderText.h"
#include "core/text/HedderSyntax.h"
#include "core/text/SnippetText.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    HedderText::repairUtf8(text);
    HedderText::unixLineEnds(text);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const auto lineCount = static_cast<std::int32_t>(lines.size());

    // Names taken from the text itself, so that the scan has something to find.
    const std::string name = lines[0].substr(0, 24);
    using Kind = HeaderLocation::Target::Kind;
    for (Kind kind : {Kind::Class, Kind::Category, Kind::Protocol, Kind::Function, Kind::Struct, Kind::Enum}) {
        const std::int32_t line = HeaderLocation::lineOf(text, {kind, name, name});
        KESTREL_FUZZ_CHECK(line >= 0 && line <= lineCount, "the scan answered a line the text does not have");
    }
    const std::int32_t method = HeaderLocation::lineOfMethod(text, name, lines.size() > 1 ? lines[1] : lines[0]);
    KESTREL_FUZZ_CHECK(method >= 0 && method <= lineCount, "the method scan answered a line the text does not have");

    int state = HedderSyntax::kNormal;
    std::vector<HedderSyntax::Span> spans;
    for (const std::string& line : lines) {
        std::u16string wide(line.begin(), line.end());  // bytes as code units: positions are what matters
        spans.clear();
        state = HedderSyntax::spans(wide, state, spans);
        std::size_t from = 0;
        for (const HedderSyntax::Span& span : spans) {
            KESTREL_FUZZ_CHECK(span.start >= from && span.length > 0 && span.start + span.length <= wide.size(),
                               "a span outside its line, empty, or overlapping the one before");
            from = span.start + span.length;
        }
        (void)SnippetText::functionSnippet(line);
        (void)SnippetText::methodSnippet(line, name);
        (void)SnippetText::declaredName(line);
        std::string problem;
        if (auto launch = EditorCommand::launch(line, "/h/My File.h", 12, &problem))
            KESTREL_FUZZ_CHECK(!launch->program.empty(), "a launch without a program");
        else
            KESTREL_FUZZ_CHECK(!problem.empty(), "a command refused without a reason");
    }
    return 0;
}
