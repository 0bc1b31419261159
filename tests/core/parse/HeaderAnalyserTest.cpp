#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/RecordLists.h"
#include "core/model/StructData.h"
#include "core/parse/HeaderAnalyser.h"
#include "core/platform/ProcessState.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::namesOf;
using Names = std::vector<std::string>;

// The header hides keywords in comments and a rejected branch, and has near-keywords; each of
// the driver's keywords stands once where it counts, with a declaration its analyser takes.
TEST(HeaderAnalyserTest, KeywordsReachTheirAnalysersOnlyAsWholeVisibleWordsAndRecordsAreFiledByKind) {
    ProcessState::reset();
    RecordLists records;
    HeaderAnalyser analyser(records);
    analyser.analyseHedderFile(KESTREL_TEST_DATA_DIR "/driver/keywords.h", "keywords.h", "Kit.framework", true);
    EXPECT_EQ(analyser.getAnaFileInfo(), (std::pair<std::string, std::string>{"Kit.framework", "keywords.h"}));

    // Functions by kind, labelled with the header, the one inside an @interface block too.
    Names functions;
    for (const auto& f : records.functions)
        functions.push_back(std::to_string(f->whoAreYou()) + " " + f->getName().value_or("?") + " " +
                            f->frameWorkName().value_or("?") + "/" + f->hedderName().value_or("?"));
    // Words that only look like keywords open declarations without one ("isNotEither" is
    // declared once: the second declaration of a name in a header adds nothing).
    EXPECT_EQ(functions, (Names{"13 int inBody Kit.framework/keywords.h", "13 int plainExtern Kit.framework/keywords.h",
                                "13 structure isNotAKeyword Kit.framework/keywords.h",
                                "13 Struct isNotEither Kit.framework/keywords.h",
                                "8 NSString* constant Kit.framework/keywords.h",
                                "9 int inlineFn(void) Kit.framework/keywords.h",
                                "10 NSString* appkit Kit.framework/keywords.h",
                                "11 int cgInline(void) Kit.framework/keywords.h",
                                "12 void cgExtern(void) Kit.framework/keywords.h"}));
    EXPECT_TRUE(records.functionsWasChanged);
    EXPECT_EQ(namesOf(records.structList), Names{"Point"});
    // The anonymous enum at file level, labelled like the functions.
    ASSERT_EQ(records.enumList.size(), 1u);
    EXPECT_EQ(records.enumList[0]->getName(), "");
    EXPECT_EQ(records.enumList[0]->hedderName(), "keywords.h");
    EXPECT_EQ(records.enumList[0]->getConstants().front().name, "kFileLevel");
    EXPECT_EQ(records.typedefList, (std::map<std::string, std::string>{{"Number", "int"}}));

    // Only classes get the custom mark of a header from the private list.
    EXPECT_EQ(namesOf(records.classList), (Names{"Shown", "Odd"}));
    EXPECT_TRUE(records.classList[0]->getCustomFlag() && records.classList[1]->getCustomFlag());
    EXPECT_EQ(records.classList[0]->frameWorkName(), "Kit.framework");
    EXPECT_EQ(namesOf(records.categoryList), Names{"Extras"});
    EXPECT_FALSE(records.categoryList[0]->getCustomFlag());
    EXPECT_EQ(namesOf(records.protocolList), Names{"Proto"});
}
