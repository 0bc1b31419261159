#pragma once
// A tree's linked shape as text, for comparing a tree with the one its stored files load as.
#include <string>

#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"

namespace kestrel::fuzz {

// The tree as its linked shape: each class with its superclass, subclasses and categories.
inline std::string shapeOf(const AppAction2& app) {
    std::string shape;
    for (const auto& c : app.classStraightList) {
        shape += c->getName().value_or("?") + ":" +
                 (c->superClass() ? c->superClass()->getName().value_or("?") : std::string("-")) + " " +
                 std::to_string(c->getSubClassList().size()) + "/" + std::to_string(c->getCategoryList().size()) + ";";
    }
    return shape + std::to_string(app.categoryList.size()) + "," + std::to_string(app.protocolList.size()) + "," +
           std::to_string(app.structList.size()) + "," + std::to_string(app.enumList.size()) + "," +
           std::to_string(app.functions.size()) + "," + std::to_string(app.typedefList.size());
}

}  // namespace kestrel::fuzz
