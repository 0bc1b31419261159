// An enum record's constants and underlying type in its stored form, and the records stored
// before they were kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/EnumData.h"
#include "core/platform/PlistFile.h"
#include "support/Plists.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::dict;
using kestrel::test::textsOf;

TEST(EnumData, ConstantsAndTypeSurviveTheStoredFormAndLayTheBodyOut) {
    EnumData record;
    record.setName("NSFoo");
    record.setUnderlyingType("NSUInteger");
    record.setConstants({{"NSFooA", "1 << 0"}, {"NSFooB", std::nullopt}, {"NSFooC", "'a, b'"}});
    EXPECT_EQ(record.getStructIndex(), "{\n    NSFooA = 1 << 0, NSFooB, NSFooC = 'a, b'\n}");
    PlistDict stored;
    record.makeDictionary(stored);
    // Through the XML text of a file and back.
    std::optional<PlistValue> reread = PlistFile::parse(test::xml(PlistValue(stored)));
    ASSERT_TRUE(reread && reread->getDict());
    EnumData loaded(*reread->getDict());
    EXPECT_EQ(loaded.getName(), "NSFoo");
    EXPECT_EQ(loaded.getUnderlyingType(), "NSUInteger");
    EXPECT_EQ(loaded.getConstants(), record.getConstants());
    EXPECT_EQ(loaded.getStructIndex(), record.getStructIndex());
}

TEST(EnumData, RecordsStoredWithoutConstantsReadThemFromTheirBodyAndBadEntriesArePassedOver) {
    // Stored before constants were kept: the body as the old rule laid it out, "<<" cut in two.
    EnumData old(dict({{"kind", 7}, {"name", "E"}, {"structIndex", "{\n    A = 0, B = (1 < < 3), C,\n}"}}));
    EXPECT_EQ(old.getUnderlyingType(), std::nullopt);
    EXPECT_EQ(textsOf(old.getConstants()), (std::vector<std::string>{"A = 0", "B = (1 < < 3)", "C"}));
    EXPECT_TRUE(EnumData(dict({{"kind", 7}})).getConstants().empty());
    // A foreign file: entries that are no text starting with a name are none; a type that is
    // no text is none.
    PlistArray constants{PlistValue("A"), PlistValue(dict({{"name", "D"}})), PlistValue(3), PlistValue("= 1"),
                         PlistValue("C = 'a, b'")};
    EnumData foreign(dict({{"kind", 7}, {"underlyingType", 5}, {"constants", PlistValue(constants)},
                           {"structIndex", "{\n    X\n}"}}));
    EXPECT_EQ(foreign.getUnderlyingType(), std::nullopt);
    EXPECT_EQ(textsOf(foreign.getConstants()), (std::vector<std::string>{"A", "C = 'a, b'"}));
}

TEST(EnumConstant, AnEnumeratorsTextIsCutIntoNameAndValue) {
    auto cut = [](const std::string& text) {
        std::optional<EnumConstant> c = EnumConstant::fromText(text);
        return c ? c->name + "|" + c->value.value_or("-") : std::string("none");
    };
    EXPECT_EQ(cut("  NSFoo API_AVAILABLE(macos(10.12)) =  1 <<\t 3 "), "NSFoo|1 << 3");
    EXPECT_EQ(cut("kEq = (a == b)"), "kEq|(a == b)");
    EXPECT_EQ(cut("kChar = '= ,'"), "kChar|'= ,'");
    EXPECT_EQ(cut("kEmpty ="), "kEmpty|-");
    EXPECT_EQ(cut("9lives = 1"), "none");
    EXPECT_EQ(cut(" = 1"), "none");
    EXPECT_EQ(EnumConstant::singleBlanks(" \t'a  b'\n  +  c "), "'a  b' + c");
    EXPECT_EQ(textsOf(EnumConstant::fromBody("{ A = F(1, 2), B = ',', , C }")),
              (std::vector<std::string>{"A = F(1, 2)", "B = ','", "C"}));
}
