#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/model/AppAction2.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::namesOf;
using Names = std::vector<std::string>;

namespace {

// Stands in for the interface and protocol analysers: "Name : Super" gives a class,
// "Name (Category)" a category, anything else a protocol record; reads to "@end".
class FakeEngin : public TextEngin {
public:
    using TextEngin::TextEngin;
    std::shared_ptr<TreeData> doAnalyse(const std::string&) override {
        int s = 0;
        auto read = [&] { return textBuffer->getCommandWithStatus(s).value_or(""); };
        std::string name = read(), next = read(), other = read();
        while (auto command = textBuffer->getCommandWithStatus(s))
            if (*command == "@end") break;
        if (next == ":") return std::make_shared<ClassData>(name, other);
        if (next == "(") return std::make_shared<CategoryData>(other, name);
        return std::make_shared<ProtocolData>(name, std::nullopt);
    }
};

// A controller whose analysers note the kind and the rest of the line they were handed.
class RecordingAction : public AppAction {
public:
    Names calls;
    std::vector<std::shared_ptr<FunctionMacrosData>> functions;

    void analyseStruct(TextBuffer& b, CMacroEngin* m) override { note("struct", b, m); }
    void analyseTypeDef(TextBuffer& b, CMacroEngin* m) override { note("typedef", b, m); }
    std::shared_ptr<FunctionMacrosData> analyseExtern(TextBuffer& b, CMacroEngin* m) override { return fn(13, b, m); }
    std::shared_ptr<FunctionMacrosData> analyseCG_INLINE(TextBuffer& b, CMacroEngin* m) override { return fn(11, b, m); }
    std::shared_ptr<FunctionMacrosData> analyseCG_EXTERN(TextBuffer& b, CMacroEngin* m) override { return fn(12, b, m); }
    std::shared_ptr<FunctionMacrosData> analyseAPPKIT_EXTERN(TextBuffer& b, CMacroEngin* m) override { return fn(10, b, m); }
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_EXPORT(TextBuffer& b, CMacroEngin* m) override { return fn(8, b, m); }
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_STATIC_INLINE(TextBuffer& b, CMacroEngin* m) override {
        return fn(9, b, m);
    }

protected:
    std::unique_ptr<TextEngin> makeClassEngin(TextBuffer& b, CMacroEngin* m) override { return std::make_unique<FakeEngin>(&b, m); }
    std::unique_ptr<TextEngin> makeProtocolEngin(TextBuffer& b, CMacroEngin* m) override { return std::make_unique<FakeEngin>(&b, m); }
    void addFunction(std::shared_ptr<FunctionMacrosData> record) override { functions.push_back(record); }

private:
    void note(const std::string& what, TextBuffer& buffer, CMacroEngin* macro) {
        EXPECT_NE(macro, nullptr);
        std::string line(buffer.getLineStrings().value_or(""));
        TextBuffer::deleteTopSpace(line);
        TextBuffer::deleteCRLF(line);
        buffer.deleteLineBuffer();
        calls.push_back(what + ":" + line);
    }
    std::shared_ptr<FunctionMacrosData> fn(int kind, TextBuffer& buffer, CMacroEngin* macro) {
        note(std::to_string(kind), buffer, macro);
        return std::make_shared<FunctionMacrosData>(kind);
    }
};

}  // namespace

TEST(AppActionTest, KeywordsReachTheirAnalysersOnlyAsWholeVisibleWordsAndRecordsAreFiledByKind) {
    // The header hides keywords in comments and a rejected branch, and has near-keywords.
    ProcessState::reset();
    RecordingAction action;
    action.analyseHedderFile(KESTREL_TEST_DATA_DIR "/driver/keywords.h", "keywords.h", "Kit.framework", true);
    EXPECT_EQ(action.calls, (Names{"13:int plainExtern;", "struct:Point origin;", "typedef:int Number;",
                                "8:NSString *constant;", "9:int inlineFn(void);", "10:NSString *appkit;",
                                "11:int cgInline(void);", "12:void cgExtern(void);"}));
    EXPECT_EQ(action.functions.size(), 6u);  // labelled as the golden dumps show
    EXPECT_EQ(action.getAnaFileInfo(), (std::pair<std::string, std::string>{"Kit.framework", "keywords.h"}));

    // "@interface Odd" gave a protocol record: dropped. Only classes get the custom mark of a
    // header from the private list.
    EXPECT_EQ(namesOf(action.classList), Names{"Shown"});
    EXPECT_TRUE(action.classList[0]->getCustomFlag());
    EXPECT_EQ(namesOf(action.categoryList), Names{"Extras"});
    EXPECT_FALSE(action.categoryList[0]->getCustomFlag());
    EXPECT_EQ(namesOf(action.protocolList), Names{"Proto"});
}
