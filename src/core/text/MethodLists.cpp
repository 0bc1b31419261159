#include "core/text/MethodLists.h"

#include <set>
#include <unordered_set>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/DepthFirst.h"
#include "core/model/ProtocolData.h"
#include "core/text/DeclarationText.h"

namespace kestrel {

namespace {

void append(std::vector<std::string>& out, const std::optional<std::vector<std::string>>& methods) {
    if (methods) out.insert(out.end(), methods->begin(), methods->end());
}

// The walk up a class's chain; every record (class or protocol) is visited at most once.
class InheritedWalk {
public:
    std::vector<InheritedMethod> out;

    void addClass(const ClassData& record, int distance) {
        const std::string className = record.getName().value_or("");
        add(record, className, distance);
        for (const auto& category : record.getCategoryList())
            if (category) add(*category, className + " (" + category->getName().value_or("") + ")", distance);
        addProtocolsOf(record, distance);
        for (const auto& category : record.getCategoryList())
            if (category) addProtocolsOf(*category, distance);
    }

    // Whether the class is met for the first time.
    bool enter(const HasMethodsData& record) { return visited.insert(&record).second; }

private:
    void add(const HasMethodsData& record, const std::string& source, int distance) {
        const auto& methods = record.getMethodList();
        if (!methods) return;
        for (const auto& method : *methods)
            if (selectors.insert(DeclarationText::selectorOf(method)).second)
                out.push_back({method, source, distance});
    }

    // The protocols a record adopts, each before the ones it adopts in turn.
    void addProtocolsOf(const HasMethodsData& record, int distance) {
        depthFirst(
            record, [](const HasMethodsData& r) -> const auto& { return r.getProtocolObjects(); },
            [&](const HasMethodsData& protocol, std::size_t depth) {
                if (depth == 0) return true;  // the record itself
                if (!enter(protocol)) return false;
                std::string source("<");  // appended: GCC 12 warns falsely (-Wrestrict) on "<" + string
                add(protocol, source.append(protocol.getName().value_or("")).append(">"), distance);
                return true;
            });
    }

    std::unordered_set<std::string> selectors;
    std::set<const HasMethodsData*> visited;
};

}  // namespace

std::vector<std::string> MethodLists::makeMethodListAndCategory(
    const std::vector<std::shared_ptr<ClassData>>& classStraightList,
    const std::vector<std::shared_ptr<ProtocolData>>& protocolList, bool withCategories, bool withProtocols) {
    std::vector<std::string> out;
    for (const auto& record : classStraightList) {
        if (!record) continue;
        append(out, record->getMethodList());
        if (!withCategories) continue;
        for (const auto& category : record->getCategoryList())
            if (category) append(out, category->getMethodList());
    }
    if (withProtocols)
        for (const auto& protocol : protocolList)
            if (protocol) append(out, protocol->getMethodList());
    return out;
}

std::vector<InheritedMethod> MethodLists::inheritedMethods(const ClassData& record) {
    InheritedWalk walk;
    int distance = 0;
    for (const HasMethodsData* up = &record; up && walk.enter(*up); up = up->superClass(), ++distance)
        if (const auto* cls = dynamic_cast<const ClassData*>(up)) walk.addClass(*cls, distance);
    return std::move(walk.out);
}

}  // namespace kestrel
