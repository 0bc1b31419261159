// Fuzz target: arbitrary bytes as one header's directives, read by the conditional-compilation
// evaluator as the analysis reads them (its #define, #undef, #import and every condition), then
// each of its first lines once more as a condition and as text to expand, with the macros the
// header defined. Nothing may crash or hang (the expansions of a header are bounded); a
// condition that could not be evaluated is false, and so is one without a macro name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ConditionExpression.h"
#include "core/parse/MacroExpander.h"
#include "core/parse/MultiComment.h"
#include "core/parse/PreprocessorLexer.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

constexpr std::size_t kLinesAgain = 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::bytesOf(data, size);
    ProcessState::reset();
    ProcessState::frameworksRoot() = fuzz::FuzzHome::get().path().string() + "/Frameworks";  // empty: the default target
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::string("Fuzz.h"));
    macro.setDecisionObserver([](const CMacroEngin::Decision& decision) {
        KESTREL_FUZZ_CHECK(!(decision.reason && decision.value), "a condition that failed was taken");
    });
    MultiComment comment(&buffer, &macro);
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kHash) macro.doCalc();
        else if (status == kLineComment) buffer.deleteLineBuffer();
        else if (status == kBlockOpen) comment.doAnalyse(*command);
    }

    std::size_t start = 0;
    for (std::size_t line = 0; line < kLinesAgain && start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string piece = text.substr(start, end - start);
        start = end + 1;
        MacroExpander::Limits limits;
        limits.maxTokens = 1 << 14;
        MacroExpander expander(macro.getScope(), limits);
        PreprocessorTokens expanded = expander.expandCondition(PreprocessorLexer::tokenize(piece));
        ConditionExpression::Result result = ConditionExpression::evaluate(expanded);
        KESTREL_FUZZ_CHECK(!(result.error && result.value), "an expression that failed was true");
        macro.expand(piece);
    }
    ProcessState::reset();
    return 0;
}
