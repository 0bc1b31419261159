#include <gtest/gtest.h>

#include <memory>

#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/ImportOrder.h"
#include "core/parse/CompileTarget.h"
#include "core/parse/MacroScope.h"
#include "core/parse/MacroDefinition.h"

using namespace kestrel;

// The definition found through the import order is the one the walk finds, for every header
// and name: own lines first, then the record met first depth first in import order, an #undef
// met first hiding what lies behind it; cycles, missing and numbered or unnumbered records alike.
TEST(ImportOrder, FindsWhatTheWalkFinds) {
    DefineList group;
    auto add = [&](const std::string& name) { return group[name] = std::make_shared<DefineData>(name); };
    auto app = add("App.h"), a = add("A.h"), b = add("B.h"), deep = add("Deep.h"), other = add("Other.h");
    group["Null.h"] = nullptr;
    for (auto [from, to] : {std::pair{app, "A.h"}, {app, "B.h"}, {a, "Deep.h"}, {a, "Missing.h"}, {b, "Deep.h"},
                            {b, "App.h"}, {deep, "A.h"}, {b, "Null.h"}})
        from->addImportHeader(to);
    deep->addDefine("1\n", "X");   // met before B's
    b->addDefine("2\n", "X");
    b->addDefine("3\n", "Y");
    other->addDefine("4\n", "Y");  // not imported by App.h
    app->addDefine("5\n", "OWN");
    a->addDefine(MacroDefinition::undefinedMark(), "GONE");  // met before Deep's definition
    deep->addDefine("6\n", "GONE");
    std::size_t ordinal = 0;
    for (auto& [name, record] : group)
        if (record && name != "B.h") record->setOrdinal(ordinal++);  // B.h stays unnumbered
    DefinedNames names;
    names.refresh(group);

    for (const auto& [name, record] : group) {
        if (!record) continue;
        const ImportOrder order(*record, group, &names);
        // An evaluator's scope of the same header, its imports met one by one, finds the same.
        MacroScope scope(CompileTarget::current(), group, &names);
        scope.setOwnRecord(record);
        if (record->getImportList())
            for (const std::string& key : *record->getImportList()) scope.addImport(key);
        for (const std::string symbol : {"X", "Y", "OWN", "GONE", "NONE"}) {
            const MacroDefinition* walked = DefineLookup::findMacro(*record, symbol, group, &names);
            const MacroDefinition* ordered = DefineLookup::findMacro(*record, symbol, names, order);
            EXPECT_EQ(walked, ordered) << name << " " << symbol;
            EXPECT_EQ(scope.importedDefinition(symbol), ordered) << name << " " << symbol;
        }
    }
    const ImportOrder order(*app, group, &names);
    EXPECT_EQ(DefineLookup::findMacro(*app, "X", names, order)->recordText(), "1\n");
    EXPECT_EQ(DefineLookup::findMacro(*app, "GONE", names, order), nullptr);
    EXPECT_EQ(DefineLookup::findMacro(*app, "Y", names, order)->recordText(), "3\n");
    EXPECT_EQ(order.placeOf(*other), 0u);
    EXPECT_EQ(order.placeOf(*app), 0u);

    EXPECT_TRUE(order.current(*app, group));
    app->addImportHeader("Other.h");  // the header read on: the order is made again
    EXPECT_FALSE(order.current(*app, group));
}

// A walk from nothing, kept per record: the record, then depth first in import order, each
// once (a cycle back to the record included). While the list changes, one through an import
// without a record holds until that record comes.
TEST(ImportOrder, ClosureFromNothingIsTheWalkAndHoldsForOneList) {
    DefineList group;
    auto add = [&](const std::string& name) { return group[name] = std::make_shared<DefineData>(name); };
    auto app = add("App.h"), a = add("A.h"), b = add("B.h"), deep = add("Deep.h");
    for (auto [from, to] : {std::pair{app, "A.h"}, {app, "B.h"}, {a, "Deep.h"}, {a, "Missing.h"}, {b, "Deep.h"},
                            {deep, "App.h"}})
        from->addImportHeader(to);
    std::size_t ordinal = 0;
    for (auto& [name, record] : group) record->setOrdinal(ordinal++);
    DefinedNames names;
    names.refresh(group);

    const auto closure = names.closureOf(*app, group);
    ASSERT_TRUE(closure);
    EXPECT_EQ(*closure, (DefinedNames::Closure{app.get(), a.get(), deep.get(), b.get()}));
    EXPECT_EQ(names.closureOf(*app, group), closure);  // worked out once
    for (std::size_t i = 0; i < closure->size(); ++i)  // numbered 1 up in walk order, by ordinal
        EXPECT_EQ(closure->placeOf((*closure)[i]->getOrdinal()), i + 1);
    EXPECT_EQ(closure->placeOf(99), 0u);
    EXPECT_TRUE(closure->holds(*deep));
    EXPECT_FALSE(closure->holds(DefineData("Elsewhere.h")));
    EXPECT_EQ(*names.closureOf(*b, group), (DefinedNames::Closure{b.get(), deep.get(), app.get(), a.get()}));

    add("New.h")->setOrdinal(ordinal++);
    const auto again = names.closureOf(*app, group);  // the names no longer describe the list
    EXPECT_EQ(*again, *closure);
    EXPECT_EQ(names.closureOf(*app, group), again);  // every record read whole: kept while Missing.h has none
    auto missing = add("Missing.h");
    missing->setOrdinal(ordinal++);
    EXPECT_EQ(*names.closureOf(*app, group), (DefinedNames::Closure{app.get(), a.get(), deep.get(), missing.get(), b.get()}));
    b->addImportHeader("New.h");
    names.refresh(group);
    EXPECT_EQ(names.closureOf(*b, group)->back(), group["New.h"].get());
}

// The walks worked out while the define pass filled the list stay when it settles the names
// as the list's, where the list as it ends gives the same walk; the others are worked out again.
TEST(ImportOrder, WalksThatHoldForTheFinishedListOutlastTheSettling) {
    DefineList group;
    auto add = [&](const std::string& name) { return group[name] = std::make_shared<DefineData>(name); };
    auto app = add("App.h"), a = add("A.h"), deep = add("Deep.h");
    app->addImportHeader("A.h");
    app->addImportHeader("Missing.h");
    a->addImportHeader("Deep.h");
    std::size_t ordinal = 0;
    for (auto& [name, record] : group) record->setOrdinal(ordinal++);
    DefinedNames names;
    names.refresh(group);
    add("Other.h")->setOrdinal(ordinal++);  // the pass goes on: the names no longer describe the list
    const auto fromA = names.closureOf(*a, group);
    const auto fromApp = names.closureOf(*app, group);
    auto missing = add("Missing.h");  // comes after the walks were worked out
    missing->setOrdinal(ordinal++);
    names.noteImports(*missing, group);

    names.settle(group);
    ASSERT_TRUE(names.describes(group));
    EXPECT_EQ(names.closureOf(*a, group), fromA);  // nothing it met has changed
    const auto settledApp = names.closureOf(*app, group);
    EXPECT_NE(settledApp, fromApp);
    EXPECT_EQ(*settledApp, (DefinedNames::Closure{app.get(), a.get(), deep.get(), missing.get()}));

    group["A.h"] = std::make_shared<DefineData>("A.h");  // a list read again: no walk outlasts it
    group["A.h"]->setOrdinal(a->getOrdinal());
    names.refresh(group);
    EXPECT_NE(names.closureOf(*a, group), fromA);
}

// A later import whose walk some header began with is taken whole: what it meets that was
// visible already keeps its place, the rest comes after it in its order, as the walk finds.
//   App.h: First.h (Shared.h), Second.h (Mid.h, Shared.h, Cycle.h (App.h))
TEST(ImportOrder, LaterImportsTakeTheWalksOthersBeganWith) {
    DefineList group;
    auto add = [&](const std::string& name) { return group[name] = std::make_shared<DefineData>(name); };
    auto app = add("App.h"), first = add("First.h"), second = add("Second.h"), shared = add("Shared.h"),
         mid = add("Mid.h"), cycle = add("Cycle.h"), starter = add("Starter.h");
    for (auto [from, to] : {std::pair{app, "First.h"}, {app, "Second.h"}, {first, "Shared.h"}, {second, "Mid.h"},
                            {second, "Shared.h"}, {starter, "Second.h"}, {starter, "Cycle.h"}, {cycle, "App.h"}})
        from->addImportHeader(to);
    shared->addDefine("shared\n", "X");
    mid->addDefine("mid\n", "X");
    mid->addDefine("mid\n", "Y");
    app->addDefine("app\n", "Z");
    cycle->addDefine("cycle\n", "Z");
    std::size_t ordinal = 0;
    for (auto& [name, record] : group) record->setOrdinal(ordinal++);
    DefinedNames names;
    names.refresh(group);
    auto scopeOf = [&](const std::shared_ptr<DefineData>& record) {
        auto scope = std::make_unique<MacroScope>(CompileTarget::current(), group, &names);
        scope->setOwnRecord(record);
        if (record->getImportList())
            for (const std::string& key : *record->getImportList()) scope->addImport(key);
        return scope;
    };
    auto began = scopeOf(starter);  // begins with Second.h: its walk is kept
    EXPECT_EQ(began->importedDefinition("X")->recordText(), "mid\n");
    ASSERT_TRUE(names.keptClosureOf(*second, group));
    auto scope = scopeOf(app);
    EXPECT_EQ(scope->importedDefinition("X")->recordText(), "shared\n");  // met through First.h first
    EXPECT_EQ(scope->importedDefinition("Y")->recordText(), "mid\n");
    EXPECT_EQ(scope->importedDefinition("Z")->recordText(), "app\n");
    for (const auto& [name, record] : group) {
        auto again = scopeOf(record);
        for (const std::string symbol : {"X", "Y", "Z"})
            EXPECT_EQ(again->importedDefinition(symbol), DefineLookup::findMacro(*record, symbol, group, &names))
                << name << " " << symbol;
    }
}
