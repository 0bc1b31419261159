// The define records read as macros: definitions looked up through imports, words standing for
// driver keywords, and class names written through a macro. The golden cases macro_keywords
// and generic_class pin the common forms; these are the corners they do not reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/parse/CMacroEngin.h"
#include "core/parse/ClassNameMacro.h"
#include "core/parse/DeclarationLine.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/HeaderAnalyser.h"
#include "core/parse/MacroKeywordResolver.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;

class MacroRecordsTest : public testing::Test {
protected:
    void SetUp() override { ProcessState::reset(); }
    void TearDown() override { ProcessState::reset(); }

    // Files a record: name imports the headers listed and defines the (macro, text) pairs.
    static std::shared_ptr<DefineData> record(const std::string& name, const Strings& imports,
                                              const std::vector<std::pair<std::string, std::string>>& defines) {
        auto data = std::make_shared<DefineData>(name);
        for (const auto& header : imports) data->addImportHeader(header);
        for (const auto& [macro, text] : defines) data->addDefine(text, macro);
        ProcessState::defineList()[name] = data;
        return data;
    }
    static std::optional<std::string> definition(const std::string& header, const std::string& symbol) {
        return DefineLookup::findDefinition(*ProcessState::defineList().at(header), symbol, ProcessState::defineList());
    }
    std::optional<std::string> keywordFor(const std::string& header, const std::string& word) {
        names.refresh(ProcessState::defineList());
        auto found = ProcessState::defineList().find(header);
        auto data = found == ProcessState::defineList().end() ? nullptr : found->second;
        return MacroKeywordResolver(data, names, &HeaderAnalyser::isKeyword).keywordFor(word);
    }
    // The declaration after the header's imports (each a "#import" line of its own, read by
    // the evaluator as the driver does).
    static DeclarationLine declaration(const std::string& text, const std::string& header,
                                       const std::string& imports = "#import <Kit/Runtime.h>\n") {
        TextBuffer buffer(imports + text);
        CMacroEngin macro(&buffer, header);
        int status = 0;
        for (std::size_t lines = std::count(imports.begin(), imports.end(), '\n'); lines > 0; --lines) {
            buffer.getCommandWithStatus(status);  // "#"
            macro.doCalc();
        }
        return DeclarationLine::read(buffer, &macro, true);
    }

    DefinedNames names;
};

}  // namespace

TEST_F(MacroRecordsTest, DefinitionsAreFoundThroughImportsInCheckDefineOrder) {
    record("App.h", {"Missing.h", "A.h", "B.h"}, {{"OWN", "own\n"}});
    record("A.h", {"Deep.h", "App.h"}, {});
    record("Deep.h", {"A.h"}, {{"SHARED", "deep\n"}});
    record("B.h", {}, {{"SHARED", "b\n"}, {"ONLY_B", "b\n"}});
    EXPECT_EQ(definition("App.h", "OWN"), "own\n");
    EXPECT_EQ(definition("App.h", "SHARED"), "deep\n");  // depth first: A.h's import before B.h
    EXPECT_EQ(definition("App.h", "ONLY_B"), "b\n");
    EXPECT_EQ(definition("App.h", "NOWHERE"), std::nullopt);  // the cycle App -> A -> App ends
    EXPECT_EQ(definition("B.h", "OWN"), std::nullopt);        // imports are followed one way only
}

TEST_F(MacroRecordsTest, WordsStandingForDriverKeywords) {
    // As the define records keep them: parameters first, the blanks that part tokens kept.
    record("Defs.h", {}, {{"GS_EXPORT", "extern\n"}, {"APPKIT_EXTERN", "extern\"C\"\n"}, {"MY_STRUCT", "struct_Foo\n"},
                          {"MY_TYPEDEF", "typedef\n"}, {"C_BEGIN", "extern\"C\"{\n"}, {"BEGIN_THROUGH", "C_BEGIN\n"},
                          {"ATTR_FIRST", "__attribute__((visibility(\"default\")))extern\n"},
                          {"DECLSPEC", "__declspec(dllexport)APPKIT_EXTERN\n"}, {"WRAP", "(k)k __attribute__((used))\n"},
                          {"WRAPPED", "WRAP(extern)\n"}, {"ARGUMENT", "(x)extern x\n"},
                          {"NS_INLINE", "static __inline__ __attribute__((always_inline))\n"},
                          {"STATIC_ONLY", "static\n"}, {"EMPTY_ATTR", "\n"}, {"THROUGH_EMPTY", "EMPTY_ATTR extern\n"}});
    record("App.h", {"Defs.h"}, {});
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"APPKIT_EXTERN", "extern"},
        {"MY_STRUCT", std::nullopt},      // "struct_Foo" is no keyword
        {"MY_TYPEDEF", "typedef"},
        {"BEGIN_THROUGH", std::nullopt},  // a block opens: no prefix of the next declaration
        {"ATTR_FIRST", "extern"},         // an attribute before extern
        {"DECLSPEC", "extern"},           // through a keyword that is a macro too
        {"WRAPPED", "extern"},            // through a function-like macro
        {"ARGUMENT", std::nullopt},       // a use with arguments is a declaration of its own
        {"NS_INLINE", "CG_INLINE"},
        {"STATIC_ONLY", std::nullopt},
        {"THROUGH_EMPTY", "extern"},
    };
    for (const auto& [word, keyword] : cases) EXPECT_EQ(keywordFor("App.h", word), keyword) << word;
    EXPECT_EQ(keywordFor("Unknown.h", "GS_EXPORT"), std::nullopt);  // no record at all
}

// The golden case method_attributes holds the common attribute macros; these are the corners
// of telling an attribute from a value.
TEST_F(MacroRecordsTest, AttributeMacrosAndWhatIsNone) {
    record("Defs.h", {}, {{"EMPTY", "\n"}, {"ATTR", "__attribute__((unused))\n"}, {"FORMAT", "(F,A)__attribute__((format(F,A)))\n"},
                          {"VARIADIC", "(...)\n"}, {"THROUGH", "FORMAT(1,2)\n"}, {"LOOP_A", "LOOP_B\n"},
                          {"LOOP_B", "LOOP_A\n"}, {"VALUE", "(0x7fffffff)\n"}, {"SUM", "(a+b)\n"},
                          {"TYPE", "(T)id\n"}, {"WINDOWS", "__declspec(dllimport)\n"}, {"UNSEEN", "ELSEWHERE\n"},
                          {"PICK", "(A,B,NAME,...)NAME\n"}, {"AVAIL", "(...)PICK(__VA_ARGS__,X,Y)\n"}});
    record("App.h", {"Defs.h"}, {});
    record("Elsewhere.h", {}, {{"ELSEWHERE", "\n"}});
    names.refresh(ProcessState::defineList());
    MacroKeywordResolver resolver(ProcessState::defineList().at("App.h"), names, &HeaderAnalyser::isKeyword);
    for (const char* yes : {"EMPTY", "ATTR", "FORMAT", "VARIADIC", "THROUGH", "WINDOWS"})
        EXPECT_EQ(resolver.isAttribute(yes), true) << yes;
    // A loop, a value, a type.
    for (const char* no : {"LOOP_A", "VALUE", "SUM", "TYPE"}) EXPECT_EQ(resolver.isAttribute(no), false) << no;
    EXPECT_EQ(resolver.isAttribute("ELSEWHERE"), std::nullopt);  // defined, but not for App.h
    EXPECT_EQ(resolver.isAttribute("UNSEEN"), std::nullopt);     // standing for a macro App.h cannot see
    EXPECT_EQ(resolver.isAttribute("AVAIL"), std::nullopt);      // it picks among its arguments
    EXPECT_EQ(resolver.isAttribute("NOWHERE"), std::nullopt);
}

TEST_F(MacroRecordsTest, DefinedNamesFollowTheDefineList) {
    record("A.h", {}, {{"FIRST", "1\n"}});
    names.refresh(ProcessState::defineList());
    EXPECT_TRUE(names.contains("FIRST") && !names.contains("SECOND"));
    record("B.h", {}, {{"SECOND", "2\n"}});  // a record added later
    names.refresh(ProcessState::defineList());
    EXPECT_TRUE(names.contains("SECOND"));
    ProcessState::reset();
    record("A.h", {}, {{"OTHER", "1\n"}});  // a new list, as many records
    record("B.h", {}, {{"MORE", "1\n"}});
    names.refresh(ProcessState::defineList());
    EXPECT_TRUE(!names.contains("FIRST") && names.contains("OTHER"));
}

TEST_F(MacroRecordsTest, MacrosStandingForTheirFirstArgument) {
    for (const char* yes : {"(clz,...)clz\n", "(c)c"}) EXPECT_TRUE(ClassNameMacro::standsForFirstArgument(yes)) << yes;
    for (const char* no : {"(clz)clz_t\n", "(...)__VA_ARGS__\n", "NSObject\n", "()\n", "(clz"})
        EXPECT_FALSE(ClassNameMacro::standsForFirstArgument(no)) << no;
    EXPECT_EQ(ClassNameMacro::aliasIn("NSConstantString"), "NSConstantString");
    EXPECT_EQ(ClassNameMacro::protocolListIn("<P1,P2>\n"), (Strings{"P1", "P2"}));
    for (const char* no : {"<>\n", "(x)<x>\n", "<a+b>\n", "<P1,>\n", "<1P>\n", "P\n", ""})
        EXPECT_EQ(ClassNameMacro::protocolListIn(no), std::nullopt) << no;
    for (const char* no : {"1\n", "(x)x\n", "\n", "id<P>\n"}) EXPECT_EQ(ClassNameMacro::aliasIn(no), std::nullopt) << no;
}

TEST_F(MacroRecordsTest, DeclarationLinesThroughAClassNameMacro) {
    record("Runtime.h", {}, {{"GENERIC", "(clz,...)clz<__VA_ARGS__>\n"}, {"OldString", "NewString\n"},
                             {"SELF_NAMED", "SELF_NAMED\n"}});
    record("List.h", {"Runtime.h"}, {});

    // A line end after the arguments ends the declaration unless ":" or "<" follows (arguments
    // over lines and a superclass on the next: golden case generic_class).
    DeclarationLine line = declaration("GENERIC(KitRoot, T)\n- (id) x;\n", "List.h");
    EXPECT_EQ(line.name, "KitRoot");
    EXPECT_FALSE(line.superName || line.categoryName);

    // An object-like macro for another name, as superclass or extended class too.
    line = declaration("OldString : OldString\n", "List.h");
    EXPECT_EQ(line.name, "NewString");
    EXPECT_EQ(line.superName, "NewString");
    line = declaration("OldString (Extras)\n", "List.h");
    EXPECT_EQ(line.name, "NewString");
    EXPECT_EQ(line.categoryName, "Extras");
    EXPECT_EQ(declaration("SELF_NAMED : NSObject\n", "List.h").name, "SELF_NAMED");

    // The text ending inside the arguments ends the declaration.
    for (const char* cut : {"GENERIC(", "GENERIC(KitCut", "GENERIC(KitCut, T", "GENERIC(KitCut, T) :"})
        EXPECT_EQ(declaration(cut, "List.h").name, std::string(cut).size() > 8 ? "KitCut" : "GENERIC") << cut;
}
