#pragma once
// The words that a directive evaluator (CMacroEngin or DefineMacroEngin) lets through when
// reading text as header: "#ifdef A\nyes\n#endif\nno" gives "yes no" when A counts as defined.
#include <optional>
#include <string>

#include "core/parse/TextBuffer.h"

namespace kestrel::test {

template <typename Engin>
std::string visibleWords(const std::string& text, const std::optional<std::string>& header) {
    TextBuffer buffer(text);
    Engin macro(&buffer, header);
    std::string words;
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kHash) macro.doCalc();
        else if (status == kWord) words += (words.empty() ? "" : " ") + *command;
    }
    return words;
}

}  // namespace kestrel::test
