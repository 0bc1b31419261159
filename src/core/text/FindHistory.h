#pragma once
// The find panel's history of typed texts: newest first, at most ten; a text typed again is
// added again (equal texts are not merged); a text picked from the history is not added.
#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

class FindHistory {
public:
    static constexpr std::size_t kLimit = 10;

    // picked: the text was chosen from the history, not typed.
    void record(const std::string& text, bool picked);
    const std::vector<std::string>& items() const { return items_; }

private:
    std::vector<std::string> items_;
};

}  // namespace kestrel
