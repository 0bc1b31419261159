#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/CMacroEngin.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"

using namespace kestrel;

namespace {

struct Case {
    const char* text;
    const char* visible;  // the words the evaluator lets through
};

// Reads a header without a define record as the driver does; answers the visible words and the
// open conditionals. (What a header's imports define decides too: golden case guarded_framework.)
std::pair<std::string, std::size_t> read(const std::string& text) {
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    MultiComment comment(&buffer, &macro);
    std::string words;
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kHash) macro.doCalc();
        else if (status == kLineComment) buffer.deleteLineBuffer();
        else if (status == kBlockOpen) comment.doAnalyse(*command);
        else if (status == kWord) words += (words.empty() ? "" : " ") + *command;
    }
    return {words, macro.getMacroStack().size()};
}

void expectVisible(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(read(c.text).first, c.visible) << c.text;
}

}  // namespace

TEST(CMacroEnginTest, TheSymbolTableTakesOnlyObjcAndOnlyTheFirstTermOfAnIfCounts) {
    expectVisible({
        {"#if 0\nzero\n#else\nelse0\n#endif\n#if 1\none\n#else\nelse1\n#endif\n", "else0 else1"},
        {"#ifndef __OBJC__\nobjc\n#else\nplain\n#endif\n", "plain"},
        {"#ifdef WIN32\nwin\n#endif\n#ifndef TARGET_CPU_X86\nnot86\n#endif\n", "not86"},
        {"#if !__OBJC__\na\n#endif\n#if !FOO\nb\n#endif\n", "b"},
        {"#if !defined(__OBJC__)\nalways\n#endif\n", "always"},
        {"#if MAC_OS_X_VERSION_MAX_ALLOWED < MAC_OS_X_VERSION_10_2\nold\n#endif\n", "old"},
        {"#if defined(__OBJC__) && 0\nobjc\n#endif\n", "objc"},
        {"#if defined(X) && 0\nx\n#else\nnotx\n#endif\n", "notx"},
        {"#if 1 || defined(__OBJC__)\none\n#endif\n", ""},
        // Without parentheses the second command after "defined" is the symbol: here the line end.
        {"#if defined __OBJC__\nobjc\n#else\nother\n#endif\n", "other"},
        {"#if defined __OBJC__ __OBJC__\nobjc\n#endif\n", "objc"},
    });
}

// The golden cases enum_if_in_body and interface_if_in_body pin nested rejected branches, an
// "#endif" in a comment and "#elif" after a taken branch; these are the corners.
TEST(CMacroEnginTest, RejectedBranchesAreSkippedWholeAndOtherDirectivesPassedOver) {
    expectVisible({
        {"#if 0\n// #endif\nhidden\n#endif\nafter\n", "after"},
        {"#if 0\n  #  else\nelse\n#endif\n", "else"},
        {"#if 0\nx\n#endif trailing\n", "trailing"},  // the rest of the stopping line is read
        // #elif never decides: it follows the #if.
        {"#if 0\na\n#elif defined(__OBJC__)\nb\n#else\nc\n#endif\nd\n", "c d"},
        // Comments around directives.
        {"/* lead */ #ifdef __OBJC__ // why\nobjc\n#else /* no */\nplain\n#endif // done\n", "objc"},
        {"#if 0 // never\nx\n#endif /* closed */ y\n", "y"},
        {"#ifdef __OBJC__ /* note */\nobjc\n#endif\n", "objc"},
        {"#import <F/N.h>\n#include \"x.h\"\n#define FOO 1\n#pragma mark x\n#!define y\n#unsupported z\n#elif w\nkept\n",
         "kept"},
        // An unknown directive word is consumed; the rest of its line is ordinary text.
        {"#undef FOO\n#error stop here\n", "FOO stop here"},
    });
}

TEST(CMacroEnginTest, StackFollowsTheConditionals) {
    EXPECT_EQ(read("#ifdef __OBJC__\n#ifndef X\n").second, 2u);
    EXPECT_EQ(read("#if 0\n#else\n").second, 1u);  // the #else part of a rejected condition
    EXPECT_EQ(read("#if 0\n#endif\n#endif\n#endif\n").second, 0u);  // stray #endif lines
    EXPECT_EQ(read("#ifdef __OBJC__\n#else\nx\n#endif\n").second, 0u);
}

TEST(CMacroEnginTest, TruncatedHeadersEndEveryWait) {
    // Each text ends while a wait for "#else"/"#endif", a symbol or "*/" is open.
    expectVisible({
        {"#if 0\nnever closed\n", ""}, {"#if 0", ""}, {"#if", ""}, {"#", ""}, {"#ifdef", ""},
        {"#ifndef\n\n", ""}, {"#if defined(", ""}, {"#if 0\n#", ""}, {"#if 0\n/* open comment\n#endif\n", ""},
        {"#if 0\n#if 1\n#else\n", ""}, {"#ifdef __OBJC__\nseen\n#else\nrest", "seen"}, {"#ifdef __OBJC__\n#else", ""},
        // An #ifdef without a symbol reads on to the next word, in the next lines if need be.
        {"#ifndef\nsymbol\nafter\n", "after"}, {"#ifdef\nsymbol\nafter\n#endif\nlast\n", "last"},
    });
    CMacroEngin noBuffer(nullptr, std::nullopt);  // an evaluator without a buffer does nothing
    noBuffer.doCalc();
    EXPECT_EQ(noBuffer.removeFalsePart(), "");
    EXPECT_FALSE(noBuffer.checkMacroValue("X"));
}
