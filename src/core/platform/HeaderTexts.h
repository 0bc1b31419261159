#pragma once
// The headers' texts that the define pass read and the analysis is about to read again: kept
// from one to the other instead of read twice. Only paths expected are kept (the frameworks'
// headers, which the analysis reads; not the SDK's own headers, which it does not), and each is
// handed out once. Shared by the pass and the analysis's threads.
//
//   texts.expect({"/F.framework/Headers/A.h"});
//   texts.keep("/F.framework/Headers/A.h", bytes);   // kept
//   texts.keep("/usr/include/stdio.h", bytes);        // not expected: dropped
//   texts.take("/F.framework/Headers/A.h")  -> bytes, then none
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kestrel {

class HeaderTexts {
public:
    void expect(const std::vector<std::string>& paths);
    void keep(const std::string& path, std::string text);
    std::optional<std::string> take(const std::string& path);
    // Drops what is kept and expected: what the analysis did not take goes with the build.
    void clear();

private:
    std::mutex mutex;
    std::unordered_set<std::string> expected;
    std::unordered_map<std::string, std::string> texts;
};

}  // namespace kestrel
