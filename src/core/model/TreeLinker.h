#pragma once
// Linking, numbering and look-ups over the record lists (which it does not own):
// turns the flat lists of a build or a load into the class tree.
//
// After a build or a load, linkTree runs the steps in this order:
//   classStraightList = copyToStraightList();  makeTreeList();  buildProtocolList();
//   buildCategoryList();  setupDataID();
//
//   classes A, B : A, C : B, D : X (X never analysed)
//     -> classList [A, D]; A.subClass [B]; B.subClass [C]; C.superClass B
//   numbers: classes 1000, 1200, ..., then categories, then protocols, 200 apart;
//     a method is addressed by its owner's number plus its index (0..199).
//
// Every step costs time linear in the number of records (name and number indexes instead
// of scans), so that 20,000 classes cost about ten times what 2,000 do.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/RecordIndex.h"

namespace kestrel {

class CategoryData;
class ClassData;
class EnumData;
class HasMethodsData;
class ProtocolData;
class StructData;

class TreeLinker {
public:
    using ClassList = std::vector<std::shared_ptr<ClassData>>;
    using ProtocolList = std::vector<std::shared_ptr<ProtocolData>>;
    using CategoryList = std::vector<std::shared_ptr<CategoryData>>;
    using StructList = std::vector<std::shared_ptr<StructData>>;
    using EnumList = std::vector<std::shared_ptr<EnumData>>;

    // The lists must outlive the linker. Replacing their contents (a rebuild) is fine.
    TreeLinker(ClassList& classList, ClassList& classStraightList, ProtocolList& protocolList,
               CategoryList& categoryList, StructList& structList, EnumList& enumList);
    TreeLinker(const TreeLinker&) = delete;
    TreeLinker& operator=(const TreeLinker&) = delete;

    // The steps of linkTree, in their order.
    enum class Step { StraightList, TreeList, Protocols, Categories, Numbers };
    // The whole linking of freshly filled lists: classStraightList becomes a copy of classList,
    // then the tree, the protocols, the categories and the numbers are made. progress, when
    // given, is told of each step once it is done (the build and the load move their progress
    // bars, and the load shows the tree, between the steps).
    void linkTree(const std::function<void(Step done)>& progress = {});

    // A shallow copy of classList: same records, same order.
    ClassList copyToStraightList() const;
    // Gives every class its superclass record and subclasses, then keeps only the roots in
    // classList. Subclasses come in list order; with two classes of one name, both get the
    // subclasses and a subclass's superClass is the later one. A class naming itself as its
    // superclass stays a root. Superclass loops (A : B, B : A) are cut where a walk from the
    // start of the list first closes them, so that every class hangs below exactly one root
    // path and walks down the tree end.
    void makeTreeList();
    // Resolves protocolNames to protocol records (first of that name; unknown names skipped)
    // for every class, category and protocol. Adds to existing arrays: once per set of records.
    void buildProtocolList();
    // Attaches each category to the class it extends (of two classes of that name, the one of
    // the category's header, else the first), wherever it was declared: NSObject (NSMenuValidation)
    // in NSMenu.h goes to NSObject. A category of a class never read stays unattached.
    void buildCategoryList();
    // Numbers classes, then categories, then protocols, from 1000 in steps of 200, and sets the
    // three maxima (an empty group repeats the previous maximum; 800 with no classes).
    void setupDataID();

    // "NSString*" finds NSString (only the first "*" is dropped); "NSString *" finds nothing.
    std::shared_ptr<ClassData> findClassByName(const std::string& name);
    std::shared_ptr<ProtocolData> findProtocolByName(const std::string& name);
    std::shared_ptr<StructData> findStructByName(const std::string& name);
    std::shared_ptr<EnumData> findEnumByName(const std::string& name);
    // The class, category or protocol with exactly this number (a method address must first be
    // rounded down to a multiple of 200); none otherwise.
    std::shared_ptr<HasMethodsData> findDataByID(std::int32_t value);

    // Clears every class's selection. Posts ClassDidUnselectedMessage (no object) on the
    // default notification centre.
    void unSelectAll();
    // Removes the class and, below it, its whole subtree from classStraightList (each record
    // wherever it stands there). Their own links are left as they are.
    void removeClass(const std::shared_ptr<ClassData>& record);
    // The list work of the tree view's cut: every selected class leaves classStraightList with
    // its subtree, and its superclass's subClass (or classList, for a root). Answers whether
    // anything was removed. The caller drops the view's selection first, and afterwards lays
    // the tree out again and marks the tree as changed.
    bool removeSelectedClass();

    std::int32_t getClassMaxId() const { return classMaxId; }
    std::int32_t getCategoryMaxId() const { return categoryMaxId; }
    std::int32_t getProtocolMaxId() const { return protocolMaxId; }

    // Empties every subClass, categoryList and protocolObjects array and clears every
    // superClass, over all records the lists hold. Call it before the lists are dropped (a
    // rebuild, the controller's end): records that refer to each other in a loop (protocols
    // adopting each other) are then freed with the lists.
    void unlinkAll();
    // Forget the indexes. Linking does it; otherwise only needed after records were renamed or
    // renumbered in place.
    void reindex();

private:
    ClassList& classList;
    ClassList& classStraightList;
    ProtocolList& protocolList;
    CategoryList& categoryList;
    StructList& structList;
    EnumList& enumList;

    std::int32_t classMaxId = 0;
    std::int32_t categoryMaxId = 0;
    std::int32_t protocolMaxId = 0;

    RecordIndex<ClassData, std::string_view> classNames;
    RecordIndex<ProtocolData, std::string_view> protocolNames;
    RecordIndex<StructData, std::string_view> structNames;
    RecordIndex<EnumData, std::string_view> enumNames;
    RecordIndex<ClassData, std::int32_t> classNumbers;
    RecordIndex<CategoryData, std::int32_t> categoryNumbers;
    RecordIndex<ProtocolData, std::int32_t> protocolNumbers;
};

}  // namespace kestrel
