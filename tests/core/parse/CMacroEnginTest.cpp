// The evaluator as the driver uses it: which branches of a header it lets through. Expressions
// and expansion have their own tests (ConditionExpressionTest, MacroExpanderTest); here the
// directives, the branches and what a header sees of its own defines and imports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/CMacroEngin.h"
#include "core/parse/DefineData.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

struct Case {
    const char* text;
    const char* visible;  // the words the evaluator lets through
};

class CMacroEnginTest : public testing::Test {
protected:
    // The default target: no frameworks root, so no SDK headers.
    void SetUp() override { ProcessState::reset(); }
    void TearDown() override { ProcessState::reset(); }

    // Reads a text as the driver does; answers the visible words, and the open conditionals
    // through stack.
    static std::string read(const std::string& text, std::size_t* stack = nullptr,
                            std::vector<CMacroEngin::Decision>* decisions = nullptr) {
        TextBuffer buffer(text);
        CMacroEngin macro(&buffer, std::string("Test.h"));
        if (decisions) macro.setDecisionObserver([&](const CMacroEngin::Decision& d) { decisions->push_back(d); });
        MultiComment comment(&buffer, &macro);
        std::string words;
        int status = 0;
        while (auto command = buffer.getCommandWithStatus(status)) {
            if (status == kHash) macro.doCalc();
            else if (status == kLineComment) buffer.deleteLineBuffer();
            else if (status == kBlockOpen) comment.doAnalyse(*command);
            else if (status == kWord) words += (words.empty() ? "" : " ") + *command;
        }
        if (stack) *stack = macro.getMacroStack().size();
        return words;
    }
    static void expectVisible(const std::vector<Case>& cases) {
        for (const Case& c : cases) EXPECT_EQ(read(c.text), c.visible) << c.text;
    }
};

}  // namespace

TEST_F(CMacroEnginTest, ConditionsAreExpressionsOverTheTargetsMacros) {
    expectVisible({
        {"#if 0\nzero\n#else\nelse0\n#endif\n#if 1\none\n#else\nelse1\n#endif\n", "else0 one"},
        {"#ifdef __OBJC__\nobjc\n#else\nplain\n#endif\n#ifndef __OBJC__\nnot\n#endif\n", "objc"},
        {"#if __LP64__ && !defined(__cplusplus)\nlp64\n#endif\n#if !__LP64__\nilp32\n#endif\n", "lp64"},
        {"#if __OBJC2__ && __clang_major__ >= 14 && defined __APPLE__\nmodern\n#endif\n", "modern"},
        // Every term counts, not the first one only.
        {"#if defined(__OBJC__) && 0\nobjc\n#endif\n#if 0 || defined(__OBJC__)\nsecond\n#endif\n", "second"},
        // A name no header defines is 0 in a condition, and not defined.
        {"#if UNKNOWN_FLAG\nflag\n#endif\n#if !defined(UNKNOWN_FLAG)\nundefined\n#endif\n", "undefined"},
        {"#ifdef WIN32\nwin\n#endif\n#ifndef TARGET_CPU_X86\nnot86\n#endif\n", "not86"},
        // The built-in queries count as defined, as a compiler has them; a stand-in for one
        // is no include guard.
        {"#if defined(__has_include) && __has_feature(objc_instancetype)\nqueries\n#endif\n", "queries"},
        // Nor is a fallback for a macro the header defined above (os/availability.h).
        {"#define API_AVAILABLE(...) real\n#ifndef API_AVAILABLE\n#define API_AVAILABLE(...)\nfallback\n#endif\nafter\n",
         "after"},
        {"#ifndef __has_feature\n#define __has_feature(x) 0\nstandin\n#endif\n#ifndef __OBJC__\n#define __OBJC__ 1\nobjc\n#endif\n",
         ""},
    });
}

TEST_F(CMacroEnginTest, ElifIsChosenByItsOwnCondition) {
    expectVisible({
        {"#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\ne\n", "b e"},
        {"#if 1\na\n#elif 1\nb\n#else\nc\n#endif\n", "a"},
        {"#if 0\na\n#elif 0\nb\n#else\nc\n#endif\n", "c"},
        {"#if 0\n#if 1\nnested\n#elif 1\nnestedElif\n#endif\n#elif 1\nouter\n#endif\n", "outer"},
        {"#ifdef __OBJC__\n#if 0\nx\n#elif 1\ninner\n#else\ny\n#endif\nafter\n#else\nz\n#endif\n", "inner after"},
        // An #elif after #else, or with nothing open, is dropped with its line.
        {"#if 0\n#else\nelse\n#elif 1\nlate\n#endif\n#elif 1\nstray\n", "else late stray"},
    });
}

TEST_F(CMacroEnginTest, DefinesAndUndefsAreSeenBelowThem) {
    expectVisible({
        {"#if LEVEL >= 2\nearly\n#endif\n#define LEVEL 2\n#if LEVEL >= 2\nlate\n#endif\n", "late"},
        {"#define FEATURE(x) ((x) & 4)\n#if FEATURE(6)\nsix\n#endif\n#if FEATURE(3)\nthree\n#endif\n", "six"},
        {"#define __OBJC__ 0\n#if __OBJC__\nobjc\n#endif\n#undef __OBJC__\n#ifdef __OBJC__\ndefined\n#endif\n", ""},
        // A define in a rejected branch is none.
        {"#if 0\n#define HIDDEN 1\n#endif\n#ifdef HIDDEN\nhidden\n#endif\n", ""},
        // "#define F (a)" is object-like, "#define G(a)" function-like.
        {"#define F (1)\n#define G(a) a\n#if F\nf\n#endif\n#if G(0)\ng\n#endif\n", "f"},
    });
}

TEST_F(CMacroEnginTest, WhatTheImportedHeadersDefineIsSeenFromTheirImport) {
    auto base = std::make_shared<DefineData>("Base.h");
    base->addDefine("2\n", "BASE_VERSION");
    base->addImportHeader("Deep.h");
    auto deep = std::make_shared<DefineData>("Deep.h");
    deep->addDefine("(a,b)((a)<=(b))\n", "BASE_AT_LEAST");
    ProcessState::defineList()["Base.h"] = base;
    ProcessState::defineList()["Deep.h"] = deep;
    expectVisible({
        {"#ifdef BASE_VERSION\nbefore\n#endif\n#import <Base/Base.h>\n#if BASE_VERSION >= 2 && BASE_AT_LEAST(1, BASE_VERSION)\n"
         "after\n#endif\n",
         "after"},
        {"#include \"Base.h\"\n#ifdef BASE_VERSION\nquoted\n#endif\n", "quoted"},
        // A macro for the header's name.
        {"#define BASE_HEADER <Base/Base.h>\n#include BASE_HEADER\n#if BASE_VERSION == 2\ncomputed\n#endif\n", "computed"},
    });
}

TEST_F(CMacroEnginTest, DirectivesAreConsumedWholeAndContinuedLinesWithThem) {
    expectVisible({
        {"#if 0\n// #endif\nhidden\n#endif\nafter\n", "after"},
        {"#if 0\n  #  else\nelse\n#endif\n", "else"},
        {"#if 0 // never\nx\n#endif /* closed */ y\nz\n", "z"},
        {"/* lead */ #ifdef __OBJC__ // why\nobjc\n#else /* no */\nplain\n#endif // done\n", "objc"},
        {"#if defined(__OBJC__) && \\\n    defined(NOT_DEFINED)\nboth\n#else\neither\n#endif\n", "either"},
        {"#if 1 /* a comment\n spanning lines */ && 0\nx\n#endif\nafter\n", "after"},
        {"#define MULTI(a) \\\n  typedef int a; \\\n  extern int a##_count;\nafter\n", "after"},
        {"#import <F/N.h>\n#include \"x.h\"\n#pragma mark x\n#error stop here\n#warning w\n#line 4\n#undef FOO\nkept\n",
         "kept"},
        // A "#" that starts no directive leaves its line to the reader.
        {"#unknown words\n", "words"},
    });
}

TEST_F(CMacroEnginTest, StackFollowsTheConditionals) {
    std::size_t stack = 0;
    read("#ifdef __OBJC__\n#ifndef X\n", &stack);
    EXPECT_EQ(stack, 2u);
    read("#if 0\n#else\n", &stack);
    EXPECT_EQ(stack, 1u);  // the #else part of a rejected condition
    read("#if 0\n#endif\n#endif\n#endif\n", &stack);
    EXPECT_EQ(stack, 0u);  // stray #endif lines
    read("#if 0\n#elif 1\n", &stack);
    EXPECT_EQ(stack, 1u);
    read("#if 1\n#elif 1\n#endif\n", &stack);
    EXPECT_EQ(stack, 0u);
}

TEST_F(CMacroEnginTest, BadConditionsAreFalseWithTheirReason) {
    std::vector<CMacroEngin::Decision> decisions;
    EXPECT_EQ(read("#if 1/0\na\n#elif 1\nb\n#endif\n#ifdef\nc\n#else\nd\n#endif\n#define A A + 1\n#if A\ne\n#endif\n"
                   "#if (1\nf\n#endif\n",
                   nullptr, &decisions),
              "b d e");
    ASSERT_EQ(decisions.size(), 5u);
    EXPECT_EQ(decisions[0].directive, "if");
    EXPECT_EQ(decisions[0].condition, "1/0");
    EXPECT_EQ(decisions[0].reason, "division by zero");
    EXPECT_TRUE(decisions[1].value);
    EXPECT_EQ(decisions[1].directive, "elif");
    EXPECT_EQ(decisions[2].reason, "no macro name");
    // A expands to "A + 1" once, the inner A then standing for nothing: 0 + 1.
    EXPECT_TRUE(decisions[3].value);
    EXPECT_FALSE(decisions[3].reason);
    EXPECT_EQ(decisions[4].reason, "a '(' is never closed");
}

TEST_F(CMacroEnginTest, TruncatedHeadersEndEveryWait) {
    // Each text ends while a wait for "#else"/"#endif", a name, a line or "*/" is open.
    expectVisible({
        {"#if 0\nnever closed\n", ""}, {"#if 0", ""}, {"#if", ""}, {"#", ""}, {"#ifdef", ""},
        {"#ifndef\n\n", ""}, {"#if defined(", ""}, {"#if 0\n#", ""}, {"#if 0\n/* open comment\n#endif\n", ""},
        {"#if 0\n#if 1\n#else\n", ""}, {"#ifdef __OBJC__\nseen\n#else\nrest", "seen"}, {"#ifdef __OBJC__\n#else", ""},
        {"#if 1 \\", ""}, {"#if 1 /* never closed\nx\n", ""}, {"#define F(a", ""},
        // An #ifdef without a name rejects its branch; the next line is no name for it.
        {"#ifndef\nsymbol\nafter\n", ""}, {"#ifdef\nsymbol\n#else\nelse\n#endif\nlast\n", "else last"},
    });
    CMacroEngin noBuffer(nullptr, std::nullopt);  // an evaluator without a buffer does nothing
    noBuffer.doCalc();
    EXPECT_EQ(noBuffer.removeFalsePart(), "");
    EXPECT_FALSE(noBuffer.checkMacroValue("X"));
    EXPECT_TRUE(noBuffer.checkMacroValue("__OBJC__"));
}
