#pragma once
// The names of a list of records, in list order; "?" stands for a record without one.
#include <memory>
#include <string>
#include <vector>

namespace kestrel::test {

template <class Record>
std::vector<std::string> namesOf(const std::vector<std::shared_ptr<Record>>& list) {
    std::vector<std::string> out;
    for (const auto& record : list) out.push_back(record->getName().value_or("?"));
    return out;
}

}  // namespace kestrel::test
