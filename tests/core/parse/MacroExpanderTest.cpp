// Macro expansion as a header sees it: the C rules, the built-in queries of conditions, the
// limits that keep bad definitions from running away, and where definitions come from.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/parse/CompileTarget.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/MacroExpander.h"
#include "core/parse/MacroScope.h"
#include "core/platform/ProcessState.h"
#include "support/TempDir.h"

using namespace kestrel;

namespace {

class MacroExpanderTest : public testing::Test {
protected:
    void SetUp() override { ProcessState::reset(); }
    void TearDown() override { ProcessState::reset(); }

    // A scope of the default target whose own record holds these "#define" lines.
    MacroScope scopeWith(const std::vector<std::string>& defines, const std::string& root = "/nowhere") {
        MacroScope scope(CompileTarget::forFrameworksRoot(root), ProcessState::defineList(), &names);
        scope.setOwnRecord(std::make_shared<DefineData>("Own.h"));
        for (const std::string& line : defines) {
            auto parsed = MacroDefinition::parse(line);
            EXPECT_TRUE(parsed) << line;
            if (parsed) scope.define(parsed->first, parsed->second);
        }
        return scope;
    }
    std::string expand(const std::vector<std::string>& defines, const std::string& text) {
        MacroScope scope = scopeWith(defines);
        return MacroExpander(scope).expand(text);
    }
    std::string condition(MacroScope& scope, const std::string& text) {
        return PreprocessorLexer::spell(MacroExpander(scope).expandCondition(PreprocessorLexer::tokenize(text)));
    }

    DefinedNames names;
};

}  // namespace

TEST_F(MacroExpanderTest, ObjectAndFunctionLikeMacros) {
    EXPECT_EQ(expand({"ONE 1", "TWO ONE + ONE"}, "TWO * 2"), "1 + 1 * 2");
    EXPECT_EQ(expand({"SQ(x) ((x) * (x))"}, "SQ(1 + 2)"), "((1 + 2) * (1 + 2))");
    EXPECT_EQ(expand({"F(a, b) a - b", "G(x) F(x, 1)"}, "G(F(3, 2))"), "3 - 2 - 1");
    EXPECT_EQ(expand({"F(a) [a]"}, "F() F(()) F((1, 2))"), "[] [()] [(1, 2)]");
    EXPECT_EQ(expand({"F(x) x"}, "F"), "F");  // a function-like name alone stays
    EXPECT_EQ(expand({"F (x) x"}, "F(1)"), "(x) x(1)");  // object-like: a blank before "("
    EXPECT_EQ(expand({"F(x) x", "G F"}, "G(7)"), "7");  // the arguments follow the expansion
}

TEST_F(MacroExpanderTest, StringsPastingAndVariadics) {
    EXPECT_EQ(expand({"STR(x) #x"}, "STR(a \"b\" 'c')"), "\"a \\\"b\\\" 'c'\"");
    EXPECT_EQ(expand({"CAT(a, b) a ## b", "X 1"}, "CAT(X, Y) CAT(, Y) CAT(X, ) CAT(1, 2)"), "XY Y 1 12");  // X alone is rescanned
    EXPECT_EQ(expand({"CAT(a, b) a ## b", "AB done"}, "CAT(A, B)"), "done");  // rescanned after pasting
    EXPECT_EQ(expand({"V(...) f(__VA_ARGS__)"}, "V() V(1) V(1, 2)"), "f() f(1) f(1, 2)");
    EXPECT_EQ(expand({"N(fmt, args...) g(fmt, args)"}, "N(a, b, c)"), "g(a, b, c)");
    EXPECT_EQ(expand({"L(fmt, ...) g(fmt, ## __VA_ARGS__)"}, "L(a) L(a, b)"), "g(a) g(a, b)");
    // The availability macros of the SDKs are built of these: a count picks a macro, a paste
    // makes the platform's.
    EXPECT_EQ(expand({"API_AVAILABLE(...) GET(__VA_ARGS__, AV2, AV1, 0)(__VA_ARGS__)", "GET(_1, _2, NAME, ...) NAME",
                      "AV1(x) A(x)", "AV2(x, y) A(x) A(y)", "A(x) __attribute__((availability(PLATFORM_##x)))",
                      "PLATFORM_macos(v) macos,introduced=v", "PLATFORM_ios(v) ios,introduced=v"},
                     "API_AVAILABLE(macos(10.7), ios(4.0))"),
              "__attribute__((availability(macos,introduced=10.7))) __attribute__((availability(ios,introduced=4.0)))");
}

TEST_F(MacroExpanderTest, RecursionStopsAndGrowthIsBounded) {
    EXPECT_EQ(expand({"A A"}, "A"), "A");
    EXPECT_EQ(expand({"A B", "B A"}, "A B"), "A B");
    EXPECT_EQ(expand({"F(x) F(x) + x"}, "F(1)"), "F(1) + 1");
    EXPECT_EQ(expand({"f(x) x"}, "f(f(1))"), "1");  // not disabled in its own arguments

    // Each level doubles: 2^40 tokens would follow.
    std::vector<std::string> doubling;
    for (int i = 0; i < 40; ++i) {
        std::string next = std::to_string(i + 1), line = "M";  // appended: GCC 12 warns wrongly on a + chain
        line.append(std::to_string(i)).append(" M").append(next).append(" M").append(next);
        doubling.push_back(line);
    }
    MacroScope scope = scopeWith(doubling);
    MacroExpander expander(scope, {1000, 50});
    expander.expand("M0");
    EXPECT_EQ(expander.getError(), "the expansion grows past 1000 tokens");
    // Arguments nested through macros deeper than the limit.
    MacroScope nested = scopeWith({"F(x) x"});
    MacroExpander shallow(nested, {1 << 18, 20});
    std::string text;
    for (int i = 0; i < 40; ++i) text += "F(";
    text += "1" + std::string(40, ')');
    shallow.expand(text);
    EXPECT_EQ(shallow.getError(), "macro arguments nest deeper than 20");
    MacroExpander open(nested);
    open.expand("F(1");
    EXPECT_EQ(open.getError(), "the arguments of F are never closed");
    open.expand("F(1, 2)");
    EXPECT_EQ(open.getError(), "F takes 1 argument, 2 given");
}

TEST_F(MacroExpanderTest, ConditionsAnswerTheBuiltInQueriesForTheTarget) {
    test::TempDir tmp;
    tmp.write("SDK.sdk/System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");
    tmp.write("SDK.sdk/usr/include/os/availability.h", "");
    const std::string root = tmp.str() + "/SDK.sdk/System/Library/Frameworks";
    MacroScope scope = scopeWith({"HEADER <os/availability.h>", "FLAG 1"}, root);
    EXPECT_EQ(condition(scope, "defined FLAG + defined(FLAG) + defined(NONE) + defined(__has_include)"), "1 + 1 + 0 + 1");
    EXPECT_EQ(condition(scope, "__has_include(<Kit/Kit.h>) __has_include(<os/availability.h>) __has_include(<Kit/No.h>)"),
              "1 1 0");
    EXPECT_EQ(condition(scope, "__has_include(HEADER) __has_include(\"os/availability.h\")"), "1 1");
    EXPECT_EQ(condition(scope, "__has_feature(objc_arc) __has_feature(nullability) __has_extension(blocks)"), "0 1 1");
    EXPECT_EQ(condition(scope, "__has_attribute(availability) __has_attribute(__swift_name__) __has_attribute(no_such)"),
              "1 1 0");
    EXPECT_EQ(condition(scope, "__has_builtin(__is_target_os) __is_target_os(macos) __is_target_os(ios)"), "1 1 0");
    EXPECT_EQ(condition(scope, "__is_target_arch(x86_64) __is_target_vendor(apple) __building_module(Kit)"), "1 1 0");
    MacroExpander expander(scope);
    expander.expandCondition(PreprocessorLexer::tokenize("__has_feature"));
    EXPECT_EQ(expander.getError(), "__has_feature needs its operand in parentheses");
    expander.expandCondition(PreprocessorLexer::tokenize("defined(A B)"));
    EXPECT_EQ(expander.getError(), "defined needs one macro name");
    expander.expandCondition(PreprocessorLexer::tokenize("__has_include(<Kit/Kit.h>"));
    EXPECT_EQ(expander.getError(), "the operand of __has_include is never closed");
}

TEST_F(MacroExpanderTest, DefinitionsComeFromTheImportsInOrderThenTheTargetThenAnyHeader) {
    auto record = [&](const std::string& name, const std::vector<std::string>& imports,
                      const std::vector<std::pair<std::string, std::string>>& defines) {
        auto data = std::make_shared<DefineData>(name);
        for (const auto& header : imports) data->addImportHeader(header);
        for (const auto& [macro, text] : defines) data->addDefine(text, macro);
        ProcessState::defineList()[name] = data;
    };
    record("A.h", {"Deep.h"}, {});
    record("Deep.h", {}, {{"SHARED", "deep\n"}, {"__LP64__", "0\n"}});
    record("B.h", {}, {{"SHARED", "b\n"}, {"GONE", "1\n"}});
    record("C.h", {"B.h"}, {});
    record("Undef.h", {}, {});
    ProcessState::defineList()["Undef.h"]->addDefine(MacroDefinition::undefinedMark(), "GONE");
    record("Elsewhere.h", {}, {{"ELSEWHERE", "7\n"}, {"ELSEWHERE_FLAG", "1\n"}});
    names.refresh(ProcessState::defineList());
    for (const DefinedNames* index : {static_cast<const DefinedNames*>(&names), static_cast<const DefinedNames*>(nullptr)}) {
        MacroScope scope(CompileTarget::forFrameworksRoot("/nowhere"), ProcessState::defineList(), index);
        scope.setOwnRecord(std::make_shared<DefineData>("Own.h"));
        for (const char* key : {"A.h", "Missing.h", "B.h", "Undef.h"}) scope.addImport(key);
        MacroExpander expander(scope);
        EXPECT_EQ(expander.expand("SHARED __LP64__ __OBJC__"), "deep 0 1");  // depth first; over the target's
        EXPECT_EQ(expander.expand("GONE"), "1");  // B.h comes before Undef.h
        EXPECT_FALSE(scope.isDefined("ELSEWHERE"));
        // What no visible header defines is taken from any header (as a compiler would have met
        // it through the headers an umbrella includes first) when expanded, not when asked about.
        EXPECT_EQ(expander.expand("ELSEWHERE"), index ? "7" : "ELSEWHERE");
        MacroScope fresh(CompileTarget::forFrameworksRoot("/nowhere"), ProcessState::defineList(), index);
        fresh.setOwnRecord(std::make_shared<DefineData>("Own.h"));
        fresh.addImport("Undef.h");
        EXPECT_EQ(MacroExpander(fresh).expand("GONE"), "GONE");  // an #undef it sees holds
    }
}
