#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/model/StructData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

struct Result {
    std::shared_ptr<StructEnumData> record;
    TypedefList typedefs;
    std::string body() const { return record ? record->getStructIndex().value_or("<none>") : "<no record>"; }
};

// Runs the typedef form of an analyser over text, which starts right after "struct" or "enum".
template <class Engin>
Result typedefForm(const std::string& text) {
    ProcessState::reset();
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Result result;
    result.record = std::dynamic_pointer_cast<StructEnumData>(
        Engin(&buffer, &macro, &result.typedefs).doAnalyse("struct"));
    return result;
}

Result plainStruct(const std::string& text) {
    TextBuffer buffer(text);
    Result result;
    result.record = StructEngin(&buffer, nullptr, &result.typedefs).doStdAnalyse("struct");
    return result;
}

}  // namespace

// The golden headers pin the common layouts; these are the corners they do not reach.
TEST(StructEngin, BodyLayoutCorners) {
    EXPECT_EQ(typedefForm<StructEngin>("T {\n  int a;\n  /* alone */\n  int b;\n} T2;").body(),
              "{\n    int a;\n    int b;\n}");
    // CR LF line ends: the CR is the row end, and the closing brace still gets its LF.
    EXPECT_EQ(typedefForm<StructEngin>("T {\r\n  int a;\r\n} T2;").body(), "{\n    int a;\r\n}");
    // A lone "*" names nothing.
    Result star = typedefForm<StructEngin>("GSStar *;");
    EXPECT_FALSE(star.record);
    EXPECT_TRUE(star.typedefs.empty());
}

TEST(StructEngin, WithoutTypedefListTheEntryIsLoggedAsLost) {
    TextBuffer buffer("_NSZone *NSZonePointer;");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(StructEngin(&buffer, nullptr).doAnalyse("struct"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "typedefList is nil\n");
}

TEST(StructEngin, DeclarationCutOffBeforeItsSemicolonLeavesNothing) {
    const std::string structText = "_GSOuter {\n  struct { int a; } inner; // x\n  /* c */ int b;\n} GSOuter, *GSOuterPtr;";
    const std::string enumText = "_E {\n  A = 1, // a\n#if 0\n  B,\n#endif\n  C\n} E;";
    for (std::size_t cut = 0; cut < std::max(structText.size(), enumText.size()); ++cut) {
        auto part = [cut](const std::string& text) { return text.substr(0, std::min(cut, text.size() - 1)); };
        for (const Result& r : {typedefForm<StructEngin>(part(structText)), plainStruct(part(structText)),
                                typedefForm<EnumEngin>(part(enumText))})
            EXPECT_TRUE(!r.record && r.typedefs.empty()) << cut;
    }
    EXPECT_TRUE(typedefForm<StructEngin>(structText).record && typedefForm<EnumEngin>(enumText).record);
}
