// The define records read as macros: definitions looked up through imports, words standing for
// driver keywords, and class names written through a macro.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/model/AppAction.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ClassNameMacro.h"
#include "core/parse/DeclarationLine.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
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
        return MacroKeywordResolver(data, names, &AppAction::isKeyword).keywordFor(word);
    }
    static DeclarationLine declaration(const std::string& text, const std::string& header) {
        TextBuffer buffer(text);
        CMacroEngin macro(&buffer, header);
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

TEST_F(MacroRecordsTest, LeadingWordOfADefinitionWithoutItsBlanks) {
    EXPECT_EQ(MacroKeywordResolver::leadingWord("extern\n"), "extern");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("extern__declspec(dllimport)\n"), "extern");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("extern\"C\"\n"), "extern");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("APPKIT_EXTERN\n"), "APPKIT_EXTERN");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("__declspec(dllexport)APPKIT_EXTERN\n"), "__declspec");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("externals\n"), "externals");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("__VA_ARGS__\n"), "__VA_ARGS__");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("@interface\n"), "@interface");
    EXPECT_EQ(MacroKeywordResolver::leadingWord("(x)externx\n"), "");
    EXPECT_EQ(MacroKeywordResolver::leadingWord(""), "");
}

TEST_F(MacroRecordsTest, WordsStandingForDriverKeywords) {
    record("Defs.h", {},
           {{"GS_EXPORT", "extern\n"},
            {"DLL_EXPORT", "extern__declspec(dllimport)\n"},
            {"APPKIT_EXTERN", "extern\"C\"\n"},
            {"APPKIT_EXPORT", "APPKIT_EXTERN\n"},
            {"FOUNDATION_EXPORT", "GS_EXPORT\n"},
            {"MY_INLINE", "CG_INLINE\n"},
            {"MY_STRUCT", "struct_Foo\n"},
            {"MY_TYPEDEF", "typedef\n"},
            {"EMPTY", "\n"},
            {"EXTERNALS", "externals\n"},
            {"DECLARE", "(name)externidname\n"},
            {"LOOP_A", "LOOP_B\n"},
            {"LOOP_B", "LOOP_A\n"},
            {"C_BEGIN", "extern\"C\"{\n"},
            {"BEGIN_THROUGH", "C_BEGIN\n"},
            {"DECLARE_X", "externintx;\n"}});
    record("App.h", {"Defs.h"}, {});
    record("Alone.h", {}, {});
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"GS_EXPORT", "extern"},
        {"DLL_EXPORT", "extern"},
        {"APPKIT_EXPORT", "extern"},  // through APPKIT_EXTERN, itself a keyword, to its end
        {"FOUNDATION_EXPORT", "extern"},
        {"MY_INLINE", "CG_INLINE"},   // no record of CG_INLINE: the keyword itself
        {"MY_STRUCT", std::nullopt},  // "struct_Foo" is no keyword
        {"MY_TYPEDEF", "typedef"},
        {"EMPTY", std::nullopt},
        {"EXTERNALS", std::nullopt},
        {"DECLARE", std::nullopt},
        {"LOOP_A", std::nullopt},
        {"C_BEGIN", std::nullopt},  // a block opens: no prefix of the next declaration
        {"BEGIN_THROUGH", std::nullopt},
        {"DECLARE_X", std::nullopt},  // a whole declaration
        {"NSString", std::nullopt},
    };
    for (const auto& [word, keyword] : cases) {
        SCOPED_TRACE(word);
        EXPECT_EQ(keywordFor("App.h", word), keyword);
    }
    EXPECT_EQ(keywordFor("Alone.h", "GS_EXPORT"), std::nullopt);    // not among its imports
    EXPECT_EQ(keywordFor("Unknown.h", "GS_EXPORT"), std::nullopt);  // no record at all
}

TEST_F(MacroRecordsTest, DefinedNamesFollowTheDefineList) {
    record("A.h", {}, {{"FIRST", "1\n"}});
    names.refresh(ProcessState::defineList());
    EXPECT_TRUE(names.contains("FIRST"));
    EXPECT_FALSE(names.contains("SECOND"));
    record("B.h", {}, {{"SECOND", "2\n"}});  // a record added later
    names.refresh(ProcessState::defineList());
    EXPECT_TRUE(names.contains("SECOND"));
    ProcessState::reset();
    record("A.h", {}, {{"OTHER", "1\n"}});  // a new list, as many records
    record("B.h", {}, {{"MORE", "1\n"}});
    names.refresh(ProcessState::defineList());
    EXPECT_FALSE(names.contains("FIRST"));
    EXPECT_TRUE(names.contains("OTHER"));
}

TEST_F(MacroRecordsTest, MacrosStandingForTheirFirstArgument) {
    EXPECT_TRUE(ClassNameMacro::standsForFirstArgument("(clz,...)clz<__VA_ARGS__>\n"));
    EXPECT_TRUE(ClassNameMacro::standsForFirstArgument("(clz,...)clz\n"));
    EXPECT_TRUE(ClassNameMacro::standsForFirstArgument("(c)c"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("(clz)clz_t\n"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("(a,b)b\n"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("(...)__VA_ARGS__\n"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("NSObject\n"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("()\n"));
    EXPECT_FALSE(ClassNameMacro::standsForFirstArgument("(clz"));

    EXPECT_EQ(ClassNameMacro::aliasIn("NSConstantString\n"), "NSConstantString");
    EXPECT_EQ(ClassNameMacro::aliasIn("NSConstantString"), "NSConstantString");
    EXPECT_EQ(ClassNameMacro::aliasIn("1\n"), std::nullopt);
    EXPECT_EQ(ClassNameMacro::aliasIn("(x)x\n"), std::nullopt);
    EXPECT_EQ(ClassNameMacro::aliasIn("\n"), std::nullopt);
    EXPECT_EQ(ClassNameMacro::aliasIn("id<P>\n"), std::nullopt);
}

TEST_F(MacroRecordsTest, DeclarationLinesThroughAClassNameMacro) {
    record("Runtime.h", {}, {{"GENERIC", "(clz,...)clz<__VA_ARGS__>\n"}, {"SECOND", "(a,b)b\n"},
                             {"OldString", "NewString\n"}, {"SELF_NAMED", "SELF_NAMED\n"}});
    record("List.h", {"Runtime.h"}, {});

    DeclarationLine line = declaration("GENERIC(KitList, __covariant T) : NSObject <NSCopying>\n- (id) x;\n", "List.h");
    EXPECT_EQ(line.name, "KitList");
    EXPECT_EQ(line.superName, "NSObject");
    EXPECT_EQ(line.protocolList, Strings{"NSCopying"});
    EXPECT_FALSE(line.categoryName);

    line = declaration("GENERIC(KitMutable, T) :\n  GENERIC(KitList, T)\n+ (id) list;\n", "List.h");
    EXPECT_EQ(line.name, "KitMutable");
    EXPECT_EQ(line.superName, "KitList");

    line = declaration("GENERIC(KitMap,\n  KeyT:id<NSCopying>, // keys\n  ValT)\n  : NSObject\n- (id) x;\n", "List.h");
    EXPECT_EQ(line.name, "KitMap");
    EXPECT_EQ(line.superName, "NSObject");

    line = declaration("GENERIC(KitList, T) (Sorting)\n", "List.h");
    EXPECT_EQ(line.name, "KitList");
    EXPECT_EQ(line.categoryName, "Sorting");

    // A line end after the arguments ends the declaration unless ":" or "<" follows.
    line = declaration("GENERIC(KitRoot, T)\n- (id) x;\n", "List.h");
    EXPECT_EQ(line.name, "KitRoot");
    EXPECT_FALSE(line.superName);
    EXPECT_FALSE(line.categoryName);

    // Other macros, unknown macros and plain categories read as before.
    line = declaration("SECOND(A, B) : NSObject\n", "List.h");
    EXPECT_EQ(line.name, "SECOND");
    EXPECT_EQ(line.categoryName, "A");
    line = declaration("GENERIC(KitList, T) : NSObject\n", "Alone.h");
    EXPECT_EQ(line.name, "GENERIC");
    EXPECT_EQ(line.categoryName, "KitList");
    line = declaration("NSString (Extras)\n", "List.h");
    EXPECT_EQ(line.categoryName, "Extras");

    // An object-like macro for another name, as class, superclass or extended class.
    line = declaration("OldString : OldString\n", "List.h");
    EXPECT_EQ(line.name, "NewString");
    EXPECT_EQ(line.superName, "NewString");
    line = declaration("OldString (Extras)\n", "List.h");
    EXPECT_EQ(line.name, "NewString");
    EXPECT_EQ(line.categoryName, "Extras");
    EXPECT_EQ(declaration("SELF_NAMED : NSObject\n", "List.h").name, "SELF_NAMED");
    EXPECT_EQ(declaration("OldString : NSObject\n", "Alone.h").name, "OldString");

    // The text ending inside the arguments ends the declaration.
    for (const char* cut : {"GENERIC(", "GENERIC(KitCut", "GENERIC(KitCut, T", "GENERIC(KitCut, T) :"}) {
        SCOPED_TRACE(cut);
        line = declaration(cut, "List.h");
        EXPECT_EQ(line.name, std::string(cut).size() > 8 ? "KitCut" : "GENERIC");
    }
}
