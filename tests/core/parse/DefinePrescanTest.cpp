// The define pass reads a header alike whether or not its prescan was made ahead: where the
// pass stands where the prescan stood, it takes the next directive's place and the define's
// parse from it; wherever the two part (a branch the pass skips, which the prescan reads as
// taken), the pass reads on itself until they meet again.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/parse/DefinePrescan.h"
#include "core/parse/ImportHints.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/FilePrefetch.h"
#include "core/platform/ProcessState.h"
#include "support/TempDir.h"

using namespace kestrel;

namespace {

using Defines = std::map<std::string, std::string>;

struct Read {
    Defines defines;
    std::vector<std::string> imports;
    bool operator==(const Read&) const = default;
};

// The records of path and of what it imports, read with or without a prescan made ahead.
std::map<std::string, Read> readHeader(const std::string& path, bool prescanned) {
    ProcessState::reset();
    DefineMacroEngin engine(nullptr, std::nullopt);
    std::shared_ptr<FilePrefetch> ahead;
    if (prescanned) {
        ahead = std::make_shared<FilePrefetch>(std::vector<std::string>{path}, FilePrefetch::kDefaultBudget,
                                               [](std::string& bytes) { return std::any(DefinePrescan::ofBorrowed(bytes)); });
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!ahead->holds(path) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        engine.setPrefetch(ahead);
    }
    engine.calcHeaderFile(path, "Main.h");
    std::map<std::string, Read> records;
    for (const auto& [name, data] : ProcessState::defineList()) {
        Read& read = records[name];
        if (data->getDefineList())
            for (const auto& [macro, definition] : *data->getDefineList())
                read.defines[macro] = definition.isUndefined() ? "#undef" : definition.recordText();
        if (data->getImportList()) read.imports = *data->getImportList();
    }
    ProcessState::reset();
    return records;
}

}  // namespace

TEST(DefinePrescan, ThePassRecordsTheSameWithItAsWithout) {
    test::TempDir dir;
    dir.write("Other.h", "#define OTHER 1\n");
    const std::vector<std::string> texts{
        // A comment the skipped branch opens mid-line: the pass reads its lines as lines, the
        // prescan as a comment; they meet again after #endif.
        "#define A 1\n#if 0\n x /* open\n#define HIDDEN 1\n#endif\n */\n#endif\n#define AFTER 2\n",
        "#if 1\n#define T 1\n#else\n#define F 1\n#endif\n#ifdef T\n#define U T\n#endif\n",
        "#define LONG(a, b) \\\n  ((a) + \\\n   (b))\n/* # not one */ #define X 1 // tail\n",
        "#define CR 1\r\n#foo bar\r\n#define Y /* a\r\n b */ 3\r\n#undef CR\r\n#define Z",
        "#define BEFORE 1\n#import \"Other.h\"\n#define AFTER OTHER\n#include_next <none.h>\n#pragma once\n",
        "x = '#'; #define MID 1\n#\n#define ENDS \\",
    };
    for (const std::string& text : texts) {
        const std::string path = dir.write("Main.h", text);
        const auto plain = readHeader(path, false);
        EXPECT_FALSE(plain.at("Main.h").defines.empty()) << text;
        EXPECT_EQ(readHeader(path, true), plain) << text;
    }
}

// Where the reader stands where the prescan stood, it is told where the next directive is and
// what the define there says; passed over, a place is dropped; never met, none is told.
TEST(DefinePrescan, TellsOnlyWhereItStood) {
    const std::string text = "/* a */\n// b\n#define A (1)\n#if 0\n#define B 2\n#endif\n";
    std::string lent = text;
    auto prescan = DefinePrescan::ofBorrowed(lent);
    EXPECT_EQ(lent, text);  // given back as it was
    TextBuffer buffer{std::string(text)};
    const DefinePrescan::Mark* first = prescan->markFrom(buffer.position());
    ASSERT_NE(first, nullptr);
    int status = 0;
    ASSERT_TRUE(buffer.skipToMark(status));  // the comment, then the comment, then "#"
    while (status != kHash) {
        if (status == kLineComment) buffer.deleteLineBuffer();
        else buffer.skipPast("*/");
        ASSERT_TRUE(buffer.skipToMark(status));
    }
    EXPECT_TRUE(first->to == buffer.position());
    EXPECT_FALSE(first->atEnd);
    EXPECT_EQ(buffer.getCommandWithStatus(status), "define");
    TextBuffer::Position after;
    const auto parsed = prescan->take(buffer.position(), after);
    ASSERT_TRUE(parsed && *parsed);
    EXPECT_EQ((*parsed)->first, "A");
    EXPECT_EQ(after.begin, after.end);  // its line read whole
    EXPECT_GT(after.begin, buffer.position().begin);
    // Asked again, or from a place it never stood: nothing.
    EXPECT_FALSE(prescan->take(buffer.position(), after));
    EXPECT_EQ(prescan->markFrom(TextBuffer::Position{1, 0, 0}), nullptr);
}

TEST(ImportHints, NamesTheIncludesWrittenOnTheirOwnLine) {
    const std::string text =
        "#import <Foundation/NSObject.h>\n"
        "  #  include \"Local.h\"\r\n"
        "#include_next <next.h>\n"
        "#include SOME_MACRO\n"
        "x #import <NotAtLineStart.h>\n"
        "#import <Unclosed.h\n"
        "#import <>\n"
        "/* #import <InAComment.h> */\n"
        "#import<Tight.h>";
    EXPECT_EQ(ImportHints::scan(text), (std::vector<ImportHints::Name>{{"Foundation/NSObject.h", true},
                                                                        {"Local.h", false},
                                                                        {"Tight.h", true}}));
}
