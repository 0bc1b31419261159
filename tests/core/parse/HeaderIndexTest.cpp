#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/parse/DefineMacroEngin.h"
#include "core/parse/HeaderIndex.h"
#include "support/TempDir.h"

using namespace kestrel;

TEST(HeaderIndexTest, FindsWhatTheDepthFirstSearchFinds) {
    test::TempDir tmp;
    const std::string fw = tmp.str() + "/Kit.framework";
    tmp.write("Kit.framework/Headers/Kit.h", "");
    tmp.write("Kit.framework/Headers/Sub/Deep.h", "");
    tmp.write("Kit.framework/Versions/A/Headers/Kit.h", "");  // the same name twice
    tmp.write("Kit.framework/Headers/Sub/Kit.h", "");
    std::filesystem::create_directory_symlink(fw, fw + "/Headers/Loop");  // a link loop

    HeaderIndex index;
    for (const char* name : {"Kit.h", "Deep.h", "Missing.h", "Headers", "Sub"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(index.find(fw, name), DefineMacroEngin::findHeader(fw, name));
    }
    EXPECT_EQ(index.find(fw, "Deep.h"), fw + "/Headers/Sub/Deep.h");
    EXPECT_EQ(index.find(tmp.str() + "/Missing.framework", "Kit.h"), std::nullopt);
}
