// The terminal commands on real framework headers: GNUstep's, as installed on this system,
// and the Mac OS X 10.4 SDK headers kept beside the project. Each skips with a message where
// its headers are absent.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/RunKestrel.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using kestrel::test::KestrelRun;
using kestrel::test::runKestrel;
using kestrel::test::TempDir;

namespace {

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

}  // namespace

TEST(RealHeaders, GNUstepTreeHasItsRealRootsAndSuperclasses) {
    if (!fs::exists("/usr/include/GNUstep/Foundation/NSString.h"))
        GTEST_SKIP() << "GNUstep's headers are not installed (libgnustep-base-dev, libgnustep-gui-dev)";
    TempDir home;
    // No frameworks root given: Kestrel links GNUstep's header folders into its data folder.
    KestrelRun build = runKestrel(home.str(), {"build"});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_TRUE(fs::exists(home.path() / ".local/share/Kestrel/Frameworks/Foundation.framework/Headers/NSString.h"));

    KestrelRun tree = runKestrel(home.str(), {"tree"});
    EXPECT_TRUE(hasLine(tree.out, "NSObject"));
    EXPECT_TRUE(hasLine(tree.out, "NSProxy"));
    EXPECT_NE(runKestrel(home.str(), {"info", "NSButton"})
                  .out.find("Framework: AppKit.framework\nHeader: NSButton.h\n"
                            "Superclasses: NSControl : NSView : NSResponder : NSObject\n"),
              std::string::npos);
    EXPECT_NE(runKestrel(home.str(), {"info", "NSMutableString"})
                  .out.find("Framework: Foundation.framework\nHeader: NSString.h\nSuperclasses: NSString : NSObject\n"),
              std::string::npos);
    // Declared with GS_EXPORT, a macro of a guarded header that NSObjCRuntime.h imports through
    // another framework: found only when the define pass has read that header.
    EXPECT_EQ(runKestrel(home.str(), {"find", "--functions", "NSStringFromClass"}).out,
              "NSString* NSStringFromClass(Class aClass)\n  1 Function/Macro found\n");

    KestrelRun methods = runKestrel(home.str(), {"find", "--methods", "stringWithFormat"});
    EXPECT_EQ(methods.status, 0);
    EXPECT_NE(methods.out.find("NSString\t+(id)stringWithFormat:(NSString*)format"), std::string::npos) << methods.out;
    KestrelRun draw = runKestrel(home.str(), {"find", "--methods", "drawRect"});
    EXPECT_NE(draw.out.find("NSView\t-(void)drawRect:(NSRect)rect"), std::string::npos) << draw.out;

    // The exact name first, then names that start with the keyword, shorter first.
    auto firstLines = [&](std::vector<std::string> args, std::size_t count) {
        std::string out = runKestrel(home.str(), args).out, lines;
        for (std::size_t start = 0, n = 0; n < count && start < out.size(); ++n) {
            const std::size_t end = out.find('\n', start);
            lines += out.substr(start, end - start + 1);
            start = end + 1;
        }
        return lines;
    };
    EXPECT_EQ(firstLines({"find", "nsview"}, 2), "NSView\nNSViewTemplate\n");
    EXPECT_EQ(firstLines({"find", "NSData"}, 1), "NSData\n");
    EXPECT_EQ(firstLines({"find", "nsobject"}, 1), "NSObject\n");
    EXPECT_EQ(firstLines({"find", "--functions", "nsstringfromclass"}, 1), "NSString* NSStringFromClass(Class aClass)\n");
    EXPECT_NE(firstLines({"find", "--methods", "initWithFrame"}, 1).find("\t-(id)initWithFrame:(NSRect)frameRect\n"),
              std::string::npos);
}

TEST(RealHeaders, MacOSX104FoundationAndAppKit) {
    const fs::path root = fs::path(KESTREL_SHARED_DIR) / "data/macosx10.4/Frameworks";
    if (!fs::exists(root / "Foundation.framework"))
        GTEST_SKIP() << "the Mac OS X 10.4 headers are not beside the project (" << root << ")";
    TempDir home;
    auto kestrel = [&](std::vector<std::string> args) {
        args.push_back("--frameworks-root");
        args.push_back(root.string());
        return runKestrel(home.str(), args);
    };
    ASSERT_EQ(kestrel({"build"}).status, 0);
    KestrelRun info = kestrel({"info", "NSMutableString"});
    EXPECT_NE(info.out.find("Framework: Foundation.framework\nHeader: NSString.h\nSuperclasses: NSString : NSObject\n"),
              std::string::npos) << info.out;
    EXPECT_NE(info.out.find("-(void)appendFormat:(NSString*)format ,..."), std::string::npos) << info.out;
    EXPECT_EQ(kestrel({"tree", "NSControl"}).out.rfind("NSControl\n  NSButton\n", 0), 0u);
    EXPECT_EQ(kestrel({"find", "--functions", "NSStringFromClass"}).out,
              "NSString* NSStringFromClass(Class aClass)\n  1 Function/Macro found\n");
    KestrelRun classes = kestrel({"find", "mutablestring"});
    EXPECT_TRUE(hasLine(classes.out, "NSMutableString"));
}
