// Fuzz target: arbitrary bytes as one header, as a build reads it. The define pass's reader
// records the header's defines first (imports lead nowhere: the frameworks root is an empty
// folder), then the analysis driver hands every keyword to its analyser, and the records are
// linked into a tree.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/app/AppAction2.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
    const std::string text = fuzz::bytesOf(data, size);
    const std::filesystem::path root = home.path() / "Frameworks";
    const std::filesystem::path header = home.path() / "Fuzz.h";
    fuzz::FuzzHome::write(header, text);

    ProcessState::reset();
    ProcessState::frameworksRoot() = root.string();
    DefineMacroEngin(nullptr, "Fuzz.h").calcHeaderFile(header.string(), "Fuzz.h");
    {
        AppAction2 app;
        TextBuffer buffer(text);
        app.doAnalyseHedderFile(buffer, "Fuzz.h", "Fuzz.framework", size % 2 == 1);
        app.getLinker().linkTree();
    }
    ProcessState::reset();
    return 0;
}
