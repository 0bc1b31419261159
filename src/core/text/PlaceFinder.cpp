#include "core/text/PlaceFinder.h"

#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/SearchRank.h"
#include "core/text/MethodLists.h"

namespace kestrel {

using Place = NavigationHistory::Place;

std::shared_ptr<ClassData> PlaceFinder::classNamed(const std::string& name) const {
    for (const auto& record : classes_)
        if (record && record->getName() == name) return record;
    return nullptr;
}

std::optional<PlaceFinder::Found> PlaceFinder::find(const Place& place) const {
    switch (place.kind) {
        case Place::Kind::Class: {
            std::shared_ptr<ClassData> record = classNamed(place.className);
            if (!record) return std::nullopt;
            return Found{std::move(record), std::nullopt, nullptr};
        }
        case Place::Kind::Method: {
            if (place.className.empty()) return Found{nullptr, place.text, nullptr};
            std::shared_ptr<ClassData> record = classNamed(place.className);
            if (!record) return std::nullopt;
            const std::string key = place.key();
            std::optional<std::string> same;
            for (InheritedMethod& m : MethodLists::inheritedMethods(*record)) {
                if (m.method == place.text) return Found{record, std::move(m.method), nullptr};
                if (!same && Place::ofMethod(place.className, m.method).key() == key) same = std::move(m.method);
            }
            if (!same) return std::nullopt;
            return Found{std::move(record), std::move(same), nullptr};
        }
        case Place::Kind::Function: {
            const std::string key = place.key();
            std::shared_ptr<FunctionMacrosData> same;
            for (const auto& record : functions_) {
                if (!record || !record->getName()) continue;
                if (*record->getName() == place.text) return Found{nullptr, std::nullopt, record};
                if (!same && SearchRank::functionNameOf(*record->getName()) == key) same = record;
            }
            if (!same) return std::nullopt;
            return Found{nullptr, std::nullopt, std::move(same)};
        }
    }
    return std::nullopt;
}

}  // namespace kestrel
