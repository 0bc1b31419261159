#pragma once
// Lists of method declarations over the tree.
//
// makeMethodListAndCategory: every class's own methods in flat-list order, with (c) each of its
// categories' methods after its own, then (p) every protocol's methods; duplicates stay.
//
// inheritedMethods: what a class responds to, nearest first -- its own methods, its categories',
// its protocols' (and theirs), then the same for its superclass, and so on up. A selector met
// again further up is left out (the nearest declaration stands for it); each entry says where
// it comes from:
//   NSButton  -(void)setTitle:(NSString*)aString          from "NSButton"
//             -(void)drawRect:(NSRect)rect                from "NSView"
//             -(void)encodeWithCoder:(NSCoder*)aCoder     from "<NSCoding>" (adopted by NSView)
//             -(id)copy                                   from "NSObject (Copying)"
// Loops (superclass or protocol cycles in a damaged tree) are walked once.
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

class ClassData;
class ProtocolData;

struct InheritedMethod {
    std::string method;  // the stored declaration
    std::string source;  // "NSView", "NSView (Drawing)", "<NSCoding>"
    int distance = 0;    // 0 the class itself, 1 its superclass, ...
};

class MethodLists {
public:
    static std::vector<std::string> makeMethodListAndCategory(
        const std::vector<std::shared_ptr<ClassData>>& classStraightList,
        const std::vector<std::shared_ptr<ProtocolData>>& protocolList, bool withCategories, bool withProtocols);

    static std::vector<InheritedMethod> inheritedMethods(const ClassData& record);
};

}  // namespace kestrel
