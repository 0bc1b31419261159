// Cases beyond the golden headers (tests/data/functions_extern, inline_bodies).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/HeaderAnalyser.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Hook = std::shared_ptr<FunctionMacrosData> (HeaderAnalyser::*)(TextBuffer&, CMacroEngin*);

struct Result {
    std::optional<std::string> name;  // none: no record
    std::string nextWord;             // the first word read after the handler
};

// Runs one handler over text, which starts right after the keyword. A record must come with
// functionsWasChanged (its kind shows in the golden dumps).
Result run(Hook hook, const std::string& text) {
    ProcessState::reset();
    RecordLists records;
    HeaderAnalyser analyser(records);
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Result result;
    auto record = (analyser.*hook)(buffer, &macro);
    EXPECT_EQ(records.functionsWasChanged, record != nullptr);
    if (record) result.name = record->getName().value_or("<no name>");
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status))
        if (status == kWord && !command->empty()) return {result.name, *command};
    return result;
}

void expectNames(Hook hook, std::initializer_list<std::pair<const char*, std::optional<std::string>>> cases) {
    for (const auto& [text, name] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(run(hook, text).name, name);
    }
}

TEST(FunctionEnginTest, ExternAndAppkitExtern) {
    expectNames(&HeaderAnalyser::analyseExtern, {
        {" int a /* the count\n   of things */;", "int a"},
        {" id x // a line comment is text here\n;", "id x // a line comment is text here"},
        {" int\tcount;", "int count"},
        {"\tint\tcount;", std::nullopt},  // no space at all
        {";", std::nullopt},
    });
    expectNames(&HeaderAnalyser::analyseAPPKIT_EXTERN, {
        {" id x /* note */;", "id x /* note* /"},  // comments are text, and the pointer rule reaches them
        {" NSString *\n#ifdef __OBJC__\nNSObjcName\n#else\nNSOtherName\n#endif\n;", "NSString* NSObjcName"},
        // A body ends at its closing brace, or at its first ";"; of it only "{" is kept.
        {" int f(void) { }", "int f(void) {"},
        {" int f(void) { g(); }", "int f(void) {"},
        {"\tint\tx;", std::nullopt},
    });
}

TEST(FunctionEnginTest, InlineFunctions) {
    expectNames(&HeaderAnalyser::analyseCG_INLINE, {
        {" CGPoint *CGFoo (void);", "CGPoint *CGFoo (void)"},  // no pointer or parenthesis rule here
        {" ;", ""},                                            // the text may be empty
    });
    // The body is skipped up to the line of its closing brace; braces in comments do not count.
    Result result = run(&HeaderAnalyser::analyseCG_INLINE,
                        " CGPoint\nf(float x)\n{\n    if (x) { p.x = x; }\n    /* } */ // }\n    return p;\n} int hidden;\nnext\n");
    EXPECT_EQ(result.name, "CGPoint f(float x)");
    EXPECT_EQ(result.nextWord, "next");

    expectNames(&HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE, {
        {" NSString *NSFoo(void) { return nil; }", "NSString* NSFoo(void)"},
        {" int\tf(int x) {\n    if (x) { return 1; }\n    return 0;\n}", "int f(int x)"},
        {"\tint\tf(void){}", std::nullopt},
    });
    // The text after the closing brace on its line is read on.
    EXPECT_EQ(run(&HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE, " int f(void) { return 0; } after\n").nextWord,
              "after");
}

TEST(FunctionEnginTest, FoundationExportTakesOneLine) {
    expectNames(&HeaderAnalyser::analyseFOUNDATION_EXPORT, {
        {" NSString * const NSMultiLine\n    = nil;\n", "NSString* const NSMultiLine"},
        {"\r\n", ""},  // a record even when the line holds nothing
    });
    EXPECT_EQ(run(&HeaderAnalyser::analyseFOUNDATION_EXPORT, " int x; extern int y;\nnext").nextWord, "next");
}

// Each handler ends at the end of the text wherever the declaration is cut. Left behind:
// nothing for a cut head; the complete head of an inline function whose body is cut.
TEST(FunctionEnginTest, CutOffDeclarations) {
    // The golden cases are cut at every byte too; these bodies hold what they do not.
    const std::pair<Hook, std::string> samples[] = {
        {&HeaderAnalyser::analyseAPPKIT_EXTERN, " int f(void) {\n#ifdef X\n a;\n#endif\n { b; }\n};"},
        {&HeaderAnalyser::analyseCG_INLINE, " CGPoint\nf(float x)\n{\n /* } */ if (x) { y; }\n return p;\n}"},
    };
    for (const auto& [hook, text] : samples)
        for (std::size_t n = 0; n < text.size(); ++n) run(hook, text.substr(0, n));  // must return

    expectNames(&HeaderAnalyser::analyseExtern, {{" int NSFoo", std::nullopt}});
    expectNames(&HeaderAnalyser::analyseAPPKIT_EXTERN, {{" int f(void) {\n a", std::nullopt}});
    expectNames(&HeaderAnalyser::analyseCG_INLINE,
                {{" CGPoint f(float x)", std::nullopt}, {" CGPoint f(float x)\n{\n p.x = x;", "CGPoint f(float x)"}});
    expectNames(&HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE,
                {{" int f(void)", std::nullopt}, {" int f(void) {\n if (x) {", "int f(void)"}});
    expectNames(&HeaderAnalyser::analyseFOUNDATION_EXPORT,
                {{"", std::nullopt}, {" NSString *NSFoo", "NSString* NSFoo"}});  // a last line is whole without its end
}

}  // namespace
