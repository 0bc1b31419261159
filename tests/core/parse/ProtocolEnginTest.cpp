#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/model/ProtocolData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ProtocolEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"
#include "support/RestOfText.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;

struct Result {
    std::shared_ptr<ProtocolData> record;
    std::string rest;  // the commands left after the block, joined by "|"
    Strings methods() const { return record && record->getMethodList() ? *record->getMethodList() : Strings{"<none>"}; }
};

// Runs the protocol analyser over text, which starts right after the word "@protocol".
Result afterProtocol(const std::string& text) {
    ProcessState::reset();
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Result result;
    result.record = std::dynamic_pointer_cast<ProtocolData>(ProtocolEngin(&buffer, &macro).doAnalyse("@protocol"));
    result.rest = test::restOf(buffer);
    return result;
}

}  // namespace

// The golden headers protocol_adopting and protocol_forward pin the records; these tests pin
// where the reading stops.
TEST(ProtocolEngin, ForwardDeclarationsAndParenthesisedNamesGiveNoRecord) {
    Result forward = afterProtocol(" NSFoo, NSBar; - (void)notRead;\nnext");
    EXPECT_FALSE(forward.record);
    EXPECT_EQ(forward.rest, "next|");

    for (const char* text : {" GSFoo (Extras)\n- (void)a;\n@end\nnext", "(GSFoo)\n- (void)a;\n@end\nnext"}) {
        Result r = afterProtocol(text);
        EXPECT_FALSE(r.record) << text;
        EXPECT_EQ(r.rest, "\n|next|") << text;
    }
    // An attribute's parentheses after the adopted protocols name no category.
    Result attributed = afterProtocol(" NSFoo <NSObject> API_AVAILABLE(macos(10.15))\n- (void)a;\n@end\n");
    ASSERT_TRUE(attributed.record);
    EXPECT_EQ(attributed.methods(), Strings{"-(void)a"});
}

TEST(ProtocolEngin, BlockCutOffKeepsTheMethodsCompletedBeforeTheCut) {
    const std::string text = " GSP <NSObject> {\n  struct { int x; } s;\n}\ntypedef struct { int a; } T;\n"
                             "- (id)a;\n#if 0\n- (id)h;\n#endif\n- (void)b:(int)x;\n@end";
    const Strings full{"-(id)a", "-(void)b:(int)x"};
    ASSERT_EQ(afterProtocol(text).methods(), full);
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        Result r = afterProtocol(text.substr(0, cut));
        if (!r.record) {
            EXPECT_LT(cut, 3u) << "only a cut inside the name loses the record";
            continue;
        }
        Strings methods = r.methods();
        ASSERT_LE(methods.size(), full.size()) << cut;
        EXPECT_TRUE(std::equal(methods.begin(), methods.end(), full.begin())) << cut;
    }
}
