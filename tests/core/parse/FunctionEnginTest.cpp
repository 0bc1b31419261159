// Cases beyond the golden headers (tests/data/functions_extern, inline_bodies).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/HeaderAnalyser.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Hook = FunctionRecords (HeaderAnalyser::*)(TextBuffer&, CMacroEngin*);

struct Result {
    std::optional<std::string> name;  // of the first record; none: no record
    std::vector<std::string> names;   // of every record
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
    FunctionRecords found = (analyser.*hook)(buffer, &macro);
    EXPECT_EQ(records.functionsWasChanged, !found.empty());
    for (const auto& record : found) result.names.push_back(record->getName().value_or("<no name>"));
    if (!found.empty()) result.name = result.names.front();
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status))
        if (status == kWord && !command->empty()) {
            result.nextWord = *command;
            break;
        }
    return result;
}

void expectNames(Hook hook, std::initializer_list<std::pair<const char*, std::optional<std::string>>> cases) {
    for (const auto& [text, name] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(run(hook, text).name, name);
    }
}

// Comments are no text, attributes leave it, and each name declared is one record.
TEST(FunctionEnginTest, ExternAndAppkitExtern) {
    expectNames(&HeaderAnalyser::analyseExtern, {
        {" int a /* the count\n   of things */;", "int a"},
        {" id x // a line comment\n;", "id x"},
        {" int\tcount;", "int count"},
        {" \"C\" int f(void);", "int f(void)"},
        {" \"C\" {\nint f(void);", std::nullopt},  // a block opens; its declarations are the driver's
        {" \"C++\" {\nint f(void);", std::nullopt},
        {" void f(void) __attribute__((noreturn)) NS_SWIFT_NAME(g());", "void f(void)"},
        {" int;", std::nullopt},  // no name
        {";", std::nullopt},
    });
    EXPECT_EQ(run(&HeaderAnalyser::analyseExtern, " NSString *const A API_AVAILABLE(macos(10.0)), *B, C[2];").names,
              (std::vector<std::string>{"NSString* const A", "NSString* B", "NSString C[2]"}));
    expectNames(&HeaderAnalyser::analyseAPPKIT_EXTERN, {
        {" id x /* note */;", "id x"},
        {" NSString *\n#ifdef __OBJC__\nNSObjcName\n#else\nNSOtherName\n#endif\n;", "NSString* NSObjcName"},
        // A function defined here: its body is skipped, and only its head is kept.
        {" int f(void) { }", "int f(void)"},
        {" int f(void) {\n  if (x) { g(); }\n}", "int f(void)"},
        {"\tint\tx;", "int x"},
    });
    // An export macro before an @interface declares nothing and leaves the class to the driver.
    Result interface = run(&HeaderAnalyser::analyseAPPKIT_EXTERN, " API_AVAILABLE(macos(10.11))\n@interface Foo : NSObject");
    EXPECT_TRUE(interface.names.empty());
    EXPECT_EQ(interface.nextWord, "Foo");  // "@interface" itself went back to the driver
}

TEST(FunctionEnginTest, InlineFunctions) {
    expectNames(&HeaderAnalyser::analyseCG_INLINE, {
        {" CGPoint *CGFoo (void);", "CGPoint *CGFoo (void)"},  // no pointer or parenthesis rule here
        {" CGFloat __CGFooGetX(CGFoo f);", "CGFloat __CGFooGetX(CGFoo f)"},  // names as written
        {" ;", std::nullopt},
    });
    // The body is skipped; braces in comments do not count, and reading goes on after it.
    Result result = run(&HeaderAnalyser::analyseCG_INLINE,
                        " CGPoint\nf(float x)\n{\n    if (x) { p.x = x; }\n    /* } */ // }\n    return p;\n} next\n");
    EXPECT_EQ(result.name, "CGPoint f(float x)");
    EXPECT_EQ(result.nextWord, "next");

    expectNames(&HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE, {
        {" NSString *NSFoo(void) { return nil; }", "NSString* NSFoo(void)"},
        {" int\tf(int x) {\n    if (x) { return 1; }\n    return 0;\n}", "int f(int x)"},
        {" BOOL\nNSEqual(NSRange a)\n{\n}", "BOOL NSEqual(NSRange a)"},
        {" int f(void);\nint g(void) { }", "int f(void)"},  // a prototype ends at its ";"
    });
}

TEST(FunctionEnginTest, FoundationExportReadsTheWholeDeclaration) {
    expectNames(&HeaderAnalyser::analyseFOUNDATION_EXPORT, {
        {" NSString * const NSMultiLine\n    API_AVAILABLE(macos(10.0));\n", "NSString* const NSMultiLine"},
        {"\nNSString *NSOnTheNextLine;", "NSString* NSOnTheNextLine"},
        {"\r\n", std::nullopt},
    });
    EXPECT_EQ(run(&HeaderAnalyser::analyseFOUNDATION_EXPORT, " int x; extern int y;\nnext").nextWord, "extern");
}

// Each handler ends at the end of the text wherever the declaration is cut. Left behind:
// nothing for a cut head; the complete head of a function whose body is cut.
TEST(FunctionEnginTest, CutOffDeclarations) {
    // The golden cases are cut at every byte too; these bodies hold what they do not.
    const std::pair<Hook, std::string> samples[] = {
        {&HeaderAnalyser::analyseAPPKIT_EXTERN, " int f(void) {\n#ifdef X\n a;\n#endif\n { b; }\n};"},
        {&HeaderAnalyser::analyseCG_INLINE, " CGPoint\nf(float x)\n{\n /* } */ if (x) { y; }\n return p;\n}"},
    };
    for (const auto& [hook, text] : samples)
        for (std::size_t n = 0; n < text.size(); ++n) run(hook, text.substr(0, n));  // must return

    expectNames(&HeaderAnalyser::analyseExtern, {{" int NSFoo", std::nullopt}});
    expectNames(&HeaderAnalyser::analyseAPPKIT_EXTERN, {{" int f(void) {\n a", "int f(void)"}});
    expectNames(&HeaderAnalyser::analyseCG_INLINE,
                {{" CGPoint f(float x)", std::nullopt}, {" CGPoint f(float x)\n{\n p.x = x;", "CGPoint f(float x)"}});
    expectNames(&HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE,
                {{" int f(void)", std::nullopt}, {" int f(void) {\n if (x) {", "int f(void)"}});
    expectNames(&HeaderAnalyser::analyseFOUNDATION_EXPORT, {{"", std::nullopt}, {" NSString *NSFoo", std::nullopt}});
}

}  // namespace
