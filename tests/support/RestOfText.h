#pragma once
// The commands a reader left in buffer, joined by "|": where an analyser stopped reading.
// "int x;\nnext" read up to ";" leaves "\n|next|" (or "next|" without the line ends).
#include <string>

#include "core/parse/TextBuffer.h"

namespace kestrel::test {

inline std::string restOf(TextBuffer& buffer, bool withLineEnds = true) {
    std::string rest;
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status))
        if (withLineEnds || (status != kCR && status != kLF)) rest += *command + "|";
    return rest;
}

}  // namespace kestrel::test
