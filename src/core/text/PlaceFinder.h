#pragma once
// A place of the history (NavigationHistory::Place) in the tree as it is now, found by name: a
// class by its name, a method by its class's name and its sign and selector among what the
// class responds to (its own methods, its categories', protocols' and superclasses'), a
// function by its name. The records found are those to show: after a rebuild, the method's
// and the function's texts as the new tree has them.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/NavigationHistory.h"

namespace kestrel {

class ClassData;
class FunctionMacrosData;

class PlaceFinder {
public:
    struct Found {
        std::shared_ptr<ClassData> classRecord;        // Class, Method (none for a method shown without one)
        std::optional<std::string> method;             // Method
        std::shared_ptr<FunctionMacrosData> function;  // Function
    };

    PlaceFinder(const std::vector<std::shared_ptr<ClassData>>& classes,
                const std::vector<std::shared_ptr<FunctionMacrosData>>& functions)
        : classes_(classes), functions_(functions) {}

    std::optional<Found> find(const NavigationHistory::Place& place) const;
    bool exists(const NavigationHistory::Place& place) const { return find(place).has_value(); }

private:
    std::shared_ptr<ClassData> classNamed(const std::string& name) const;

    const std::vector<std::shared_ptr<ClassData>>& classes_;
    const std::vector<std::shared_ptr<FunctionMacrosData>>& functions_;
};

}  // namespace kestrel
