#pragma once
// The names of a list of records, in list order; "?" stands for a record without one. The texts
// of enum constants ("NAME" or "NAME = VALUE"), in order.
#include <memory>
#include <string>
#include <vector>

#include "core/model/EnumConstant.h"

namespace kestrel::test {

template <class Record>
std::vector<std::string> namesOf(const std::vector<std::shared_ptr<Record>>& list) {
    std::vector<std::string> out;
    for (const auto& record : list) out.push_back(record->getName().value_or("?"));
    return out;
}

inline std::vector<std::string> textsOf(const std::vector<EnumConstant>& constants) {
    std::vector<std::string> out;
    for (const auto& c : constants) out.push_back(c.text());
    return out;
}

}  // namespace kestrel::test
