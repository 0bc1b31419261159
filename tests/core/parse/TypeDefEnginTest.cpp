#include <gtest/gtest.h>

#include <string>

#include "core/parse/CMacroEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TypeDefEngin.h"
#include "support/RestOfText.h"

using namespace kestrel;

namespace {

struct Result {
    std::shared_ptr<TreeData> record;
    TypedefList typedefs;
    std::string rest;  // the commands left after the typedef, joined by "|"
};

// Runs the typedef analyser over text, which starts right after the word "typedef".
Result afterTypedef(const std::string& text) {
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Result result;
    result.record = TypeDefEngin(&buffer, &macro, &result.typedefs).doAnalyse("typedef");
    result.rest = test::restOf(buffer);
    return result;
}

}  // namespace

// The golden header typedef_pointers pins the entries; these are the corners it does not reach.
TEST(TypeDefEngin, ReadsUpToItsSemicolonOnly) {
    Result r = afterTypedef("int GSA; int after;\nnext");
    EXPECT_EQ(r.typedefs, (TypedefList{{"GSA", "int"}}));
    EXPECT_EQ(r.rest, "int|after|;|\n|next|");
    EXPECT_EQ(afterTypedef("NSUInteger\r\n\tGSEncoding ;").typedefs, (TypedefList{{"GSEncoding", "NSUInteger"}}));
    EXPECT_TRUE(afterTypedef(";").typedefs.empty());
}

TEST(TypeDefEngin, TypedefCutOffBeforeItsSemicolonRecordsNothing) {
    for (std::string text : {"unsigned long\n  GSLong;", "struct _S { int a; } S;", "enum { A } E;"}) {
        for (std::size_t cut = 0; cut < text.size(); ++cut) {
            Result r = afterTypedef(text.substr(0, cut));
            EXPECT_FALSE(r.record) << text << " cut at " << cut;
            EXPECT_TRUE(r.typedefs.empty()) << text << " cut at " << cut;
        }
    }
}
