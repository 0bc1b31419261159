#pragma once
// What an analyser asks of the driver while it reads a header: the driver keyword that a word
// stands for as a macro of that header ("GS_EXPORT" -> "extern", see MacroKeywordResolver).
#include <optional>
#include <string>

namespace kestrel {

class MacroKeywordSource {
public:
    virtual ~MacroKeywordSource() = default;

    // The keyword, or none: the word stands for none, or no header is under analysis.
    virtual std::optional<std::string> macroKeywordFor(const std::string& word) = 0;
};

}  // namespace kestrel
