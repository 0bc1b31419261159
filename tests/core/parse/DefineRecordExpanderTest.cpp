// The define records read back as macros and expanded: the words of definitions kept without
// their blanks, and the expansion rules the enum macros rely on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/DefineRecordExpander.h"
#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Tokens = std::vector<std::string>;

class DefineRecordExpanderTest : public testing::Test {
protected:
    void SetUp() override { ProcessState::reset(); }
    void TearDown() override { ProcessState::reset(); }

    // One header's record with the (macro, stored text) pairs, stored as the define pass does.
    std::optional<Tokens> expand(const std::vector<std::pair<std::string, std::string>>& defines, const Tokens& input) {
        auto data = std::make_shared<DefineData>("Defines.h");
        for (const auto& [macro, text] : defines) data->addDefine(text + "\n", macro);
        ProcessState::defineList()["Defines.h"] = data;
        names.refresh(ProcessState::defineList());
        DefineRecordExpander::ParsedDefinitions parsed;
        return DefineRecordExpander(data, names, parsed).expand(input);
    }
    static Tokens body(const std::string& stored, const Tokens& known = {}) {
        return DefineRecordExpander::parse(stored, [&](const std::string& w) {
                   return std::find(known.begin(), known.end(), w) != known.end();
               }).body;
    }

    DefinedNames names;
};

}  // namespace

TEST_F(DefineRecordExpanderTest, GluedWordsAreCutWhereKnownWordsFitAndOtherwiseKeptWhole) {
    EXPECT_EQ(body("(_type,_name)enum__X_ATTRIBUTES_name:_type_name;enum_name:_type", {"__X_ATTRIBUTES"}),
              (Tokens{"enum", "__X_ATTRIBUTES", "_name", ":", "_type", "_name", ";", "enum", "_name", ":", "_type"}));
    // An unknown word before a parameter is cut off it; a keyword inside a word is not.
    EXPECT_EQ(body("(_domain,_name)enum_name:NSInteger_name"),
              (Tokens{"enum", "_name", ":", "NSInteger", "_name"}));
    EXPECT_EQ(body("enumerateObjects"), Tokens{"enumerateObjects"});
    EXPECT_EQ(body("typedefunsignedint"), (Tokens{"typedef", "unsigned", "int"}));
    // Blanks kept by the records split words too; quotes and "##" stay whole.
    EXPECT_EQ(body("(a) a ## _t 'x y' \"s, t\""), (Tokens{"a", "##", "_t", "'x y'", "\"s, t\""}));
    // "(0x7f)" is a value, not a parameter list.
    DefineRecordExpander::Definition value = DefineRecordExpander::parse("(0x7f)", nullptr);
    EXPECT_FALSE(value.functionLike);
    EXPECT_EQ(value.body, (Tokens{"(", "0x7f", ")"}));
}

TEST_F(DefineRecordExpanderTest, CallsAreExpandedWithTheirArgumentsAndRescanned) {
    const std::vector<std::pair<std::string, std::string>> defines{
        {"GET", "(_1,_2,NAME,...)NAME"},
        {"NAMED", "(_type,_name)enum_name:_type"},
        {"ANON", "(_type)enum:_type"},
        {"PICK", "(...)GET(__VA_ARGS__,NAMED,ANON,)(__VA_ARGS__)"},
        {"PASTE", "(n)n##_t"},
        {"QUOTE", "(n)#n"},
    };
    EXPECT_EQ(expand(defines, {"PICK", "(", "int", ",", "Foo", ")"}), (Tokens{"enum", "Foo", ":", "int"}));
    EXPECT_EQ(expand(defines, {"PICK", "(", "int", ")"}), (Tokens{"enum", ":", "int"}));
    EXPECT_EQ(expand(defines, {"PASTE", "(", "size", ")", "x"}), (Tokens{"size_t", "x"}));
    EXPECT_EQ(expand(defines, {"QUOTE", "(", "a", ")"}), Tokens{"\"a\""});
    // A function-like macro without a call stays a word.
    EXPECT_EQ(expand(defines, {"NAMED", ";"}), (Tokens{"NAMED", ";"}));
}

TEST_F(DefineRecordExpanderTest, ExpansionsThatCannotEndOrDoNotFitAreRefused) {
    // A macro is not expanded again inside its own expansion, directly or through another.
    EXPECT_EQ(expand({{"SELF", "SELF+1"}}, {"SELF"}), (Tokens{"SELF", "+", "1"}));
    EXPECT_EQ(expand({{"A", "B"}, {"B", "A"}}, {"A"}), Tokens{"A"});
    // A call never closed, or with arguments the macro cannot take.
    EXPECT_EQ(expand({{"F", "(x)x"}}, {"F", "(", "1"}), std::nullopt);
    EXPECT_EQ(expand({{"F", "(x)x"}}, {"F", "(", "1", ",", "2", ")"}), std::nullopt);
    // Doubling at every level: 2^40 tokens are not made.
    std::vector<std::pair<std::string, std::string>> doubling{{"D0", "x"}};
    auto name = [](int i) {
        std::string n = "D";
        n += std::to_string(i);
        return n;
    };
    for (int i = 1; i <= 40; ++i) doubling.push_back({name(i), name(i - 1) + " " + name(i - 1)});
    EXPECT_EQ(expand(doubling, {"D40"}), std::nullopt);
}

// An expansion kept from one header serves the next only where each macro it met has the same
// definition there: a header importing another NS_ENUM, or seeing none of an inner macro, gets
// its own.
TEST_F(DefineRecordExpanderTest, AnExpansionKeptServesOnlyHeadersThatSeeTheSameDefinitions) {
    auto record = [](const std::string& name, const std::vector<std::pair<std::string, std::string>>& defines) {
        auto data = std::make_shared<DefineData>(name);
        for (const auto& [macro, text] : defines) data->addDefine(text + "\n", macro);
        ProcessState::defineList()[name] = data;
        return data;
    };
    record("Base.h", {{"MY_ENUM", "(_t,_n)enum _n : _t INNER"}, {"INNER", "__attribute__((x))"}});
    record("Other.h", {{"MY_ENUM", "(_t,_n)enum _n : _t"}});
    auto importing = [&](const std::string& name, const std::string& imported) {
        auto data = record(name, {});
        data->addImportHeader(imported);
        return data;
    };
    auto a = importing("A.h", "Base.h"), b = importing("B.h", "Base.h"), c = importing("C.h", "Other.h");
    names.refresh(ProcessState::defineList());
    DefineRecordExpander::ParsedDefinitions parsed;  // kept across the headers, as the analysis keeps it
    const Tokens call{"MY_ENUM", "(", "int", ",", "E", ")"};
    const Tokens withInner{"enum", "E", ":", "int", "__attribute__", "(", "(", "x", ")", ")"};
    EXPECT_EQ(DefineRecordExpander(a, names, parsed).expand(call), withInner);
    EXPECT_EQ(DefineRecordExpander(b, names, parsed).expand(call), withInner);
    EXPECT_EQ(DefineRecordExpander(c, names, parsed).expand(call), (Tokens{"enum", "E", ":", "int"}));
    // A header of its own that defines INNER otherwise: the same MY_ENUM, another inner macro.
    auto d = importing("D.h", "Base.h");
    d->addDefine("__attribute__((y))\n", "INNER");
    names.refresh(ProcessState::defineList());
    EXPECT_EQ(DefineRecordExpander(d, names, parsed).expand(call),
              (Tokens{"enum", "E", ":", "int", "__attribute__", "(", "(", "y", ")", ")"}));
    EXPECT_EQ(DefineRecordExpander(a, names, parsed).expand(call), withInner);
}
