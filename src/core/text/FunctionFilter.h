#pragma once
// The function browser's narrowing of the function list, without the window:
//   createFuncList(functions, kind tag, filter): kind 0 all, else records of that kind (8..13);
//     filter 0 everything, 1 only names with "(", any other value only names without "(".
//   frameworks / headers: the titles of the pop-ups, "showAllMenu"'s text first, then each
//     framework (or header) name of the list once, in the order first met.
//   byFramework / byHeader: the records whose framework (header) name is the title.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

class FunctionMacrosData;

class FunctionFilter {
public:
    using List = std::vector<std::shared_ptr<FunctionMacrosData>>;

    static List createFuncList(const List& functions, std::int32_t kindTag, std::int32_t filterSelectIndex);
    // No titles for an empty list.
    static std::vector<std::string> frameworkTitles(const List& list);
    static std::vector<std::string> headerTitles(const List& list);
    static List byFramework(const List& list, const std::string& framework);
    static List byHeader(const List& list, const std::string& header);
};

}  // namespace kestrel
