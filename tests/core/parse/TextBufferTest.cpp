#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/parse/TextBuffer.h"

using kestrel::TextBuffer;

namespace {

// Every command to the end as "text@status|...", the end written "@100".
std::string cut(std::string text, bool withSpaces = false) {
    TextBuffer buffer(std::move(text));
    std::string out;
    int status = -1;
    for (;;) {
        auto command = withSpaces ? buffer.getCommandWithStatusandSpace(status) : buffer.getCommandWithStatus(status);
        out += command.value_or("") + "@" + std::to_string(status);
        if (!command) return out;
        out += "|";
    }
}

// The reader's rule as written: the first occurrence of each delimiter, in table order.
std::string cutByRule(const std::string& text) {
    static const std::array<std::string, 18> delimiters{" ", "\t", ",", ":", ";", "\"", "#",  "<",  ">",
                                                        "(", ")",  "{", "}", "//", "/*", "*/", "\r", "\n"};
    std::string out;
    for (std::size_t pos = 0, end; pos < text.size(); pos = end) {
        end = text.find_first_of("\r\n", pos);
        end = end == std::string::npos ? text.size() : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        for (std::string line = text.substr(pos, end - pos); !line.empty();) {
            line.erase(0, std::min(line.find_first_not_of(" \t"), line.size()));
            std::size_t limit = line.size();
            int status = 0;
            for (std::size_t i = 0; i < delimiters.size() && status == 0; ++i) {
                std::size_t at = line.find(delimiters[i]);
                if (at == 0) status = static_cast<int>(i) + 1, limit = delimiters[i].size();
                else if (at != std::string::npos && at < limit) limit = at;
            }
            out += line.substr(0, limit) + "@" + std::to_string(status) + "|";
            line.erase(0, limit);
        }
    }
    return out + "@100";
}

}  // namespace

TEST(TextBuffer, StatusSequences) {
    EXPECT_EQ(cut(",:;\"#<>(){}///**/\r\n"),
              ",@3|:@4|;@5|\"@6|#@7|<@8|>@9|(@10|)@11|{@12|}@13|//@14|/*@15|*/@16|\r@17|\n@18|@100");
    EXPECT_EQ(cut("int  x\t", true), "int@0| @1| @1|x@0|\t@2|@100");
    // A lone slash or asterisk is part of a word (overlaps such as "a*//b": the scan below).
    EXPECT_EQ(cut("char* *name Foundation/NSObject.h @interface - !defined ..."),
              "char*@0|*name@0|Foundation/NSObject.h@0|@interface@0|-@0|!defined@0|...@0|@100");
    // A blank unterminated last line, with its spaces (without them it is one empty word).
    EXPECT_EQ(cut("x\n \t ", true), "x@0|\n@18| @1|\t@2| @1|@100");
}

TEST(TextBuffer, OneScanGivesTheSameCommandsAsTheRule) {
    const std::array<std::string, 15> pieces{"a", "bc", "/", "*", " ", "\t", "\r", "\n", "//", "*/", ";", "(", "\"", "#", "\xE9"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = random() % 30; i > 0; --i) text += pieces[random() % pieces.size()];
        ASSERT_EQ(cut(text), cutByRule(text)) << testing::PrintToString(text);
    }
}

// What a directive reader sees: the marks among the commands, each with the rest of its line
// as the buffer holds it after the mark ("#@7:define X 1\n"). A comment's or directive's reader
// takes over at the mark; here it drops the line.
std::string marks(std::string text, bool skipping) {
    TextBuffer buffer(std::move(text));
    std::string out;
    int status = -1;
    for (;;) {
        bool more = true;
        if (skipping) {
            more = buffer.skipToMark(status);
        } else {
            do more = buffer.getCommandWithStatus(status).has_value();
            while (more && status != kestrel::kHash && status != kestrel::kLineComment && status != kestrel::kBlockOpen);
        }
        // Built with append: GCC 12 warns falsely (-Wrestrict) on chains of literal + string.
        out.append("@").append(std::to_string(status));
        if (!more) return out;
        out.append(":").append(buffer.getLineStrings().value_or("")).append("|");
        if (status != kestrel::kHash) buffer.deleteLineBuffer();
    }
}

TEST(TextBuffer, SkippingToMarksStopsWhereCuttingDoes) {
    EXPECT_EQ(marks("int x; // c\n  #if A\n/* b */ y\n", true), "@14: c\n|@7:if A\n|@15: b */ y\n|@100");
    // "*/" takes the slash that would start "//": no comment starts here, a block after it does.
    EXPECT_EQ(marks("a*//b\nc*//*d\n", true), "@15:d\n|@100");
    const std::array<std::string, 16> pieces{"a", "bc", "/", "*", " ", "\t", "\r", "\n", "//", "*/", "/*", ";", "\"", "#", "\xE9", "\r\n"};
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = random() % 30; i > 0; --i) text += pieces[random() % pieces.size()];
        ASSERT_EQ(marks(text, true), marks(text, false)) << testing::PrintToString(text);
    }
}

// Skipping past a comment's end leaves the buffer as reading it line by line does, whether the
// end is on the line being read, a later one, or nowhere; from any point in a line.
TEST(TextBuffer, SkippingPastACloserLeavesWhatLineByLineReadingLeaves) {
    const std::array<std::string, 10> pieces{"a", "*", "/", "*/", " ", "\r", "\n", "\r\n", "/*", "x*/y"};
    std::mt19937 random(5);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = random() % 25; i > 0; --i) text += pieces[random() % pieces.size()];
        const std::size_t lead = random() % 4;
        TextBuffer fast(text), slow(text);
        for (TextBuffer* buffer : {&fast, &slow}) {
            if (buffer->getLineStrings()) buffer->deleteLineHead(lead);
        }
        bool found = false;
        for (auto line = slow.getLineStrings(); line; line = slow.getLineStrings()) {
            if (const std::size_t closer = line->find("*/"); closer != std::string_view::npos) {
                slow.deleteLineHead(closer + 2);
                found = true;
                break;
            }
            slow.deleteLineBuffer();
        }
        ASSERT_EQ(fast.skipPast("*/"), found) << testing::PrintToString(text);
        ASSERT_EQ(fast.readOffset(), slow.readOffset()) << testing::PrintToString(text);
        ASSERT_EQ(fast.getLineStrings(), slow.getLineStrings()) << testing::PrintToString(text);
        ASSERT_EQ(fast.unreadText(), slow.unreadText());
    }
}

TEST(TextBuffer, LinesEndAtLfCrOrCrLf) {
    EXPECT_EQ(cut("a\nb\rc\r\nd\n\re"), "a@0|\n@18|b@0|\r@17|c@0|\r@17|\n@18|d@0|\n@18|\r@17|e@0|@100");
    TextBuffer buffer("a\n\rb\r\n\r\nc");
    std::string lines;
    while (auto line = buffer.getLineStrings()) {
        lines += std::string(*line) + "|";
        buffer.deleteLineBuffer();
    }
    EXPECT_EQ(lines, "a\n|\r|b\r\n|\r\n|c|");
}

TEST(TextBuffer, TheEndRepeatsOnEveryCall) {
    for (TextBuffer buffer : {TextBuffer(""), TextBuffer("x"), TextBuffer::initByPath("/nonexistent/kestrel.h"),
                              TextBuffer::initByPath("/"), TextBuffer::initByPath("/dev/zero")}) {
        int status = 0;
        while (buffer.getCommandWithStatus(status)) {
        }
        for (int i = 0; i < 3; ++i) {
            status = 0;
            EXPECT_FALSE(buffer.getCommandWithStatus(status) || buffer.getCommandWithStatusandSpace(status));
            EXPECT_EQ(status, 100);
        }
    }
}

TEST(TextBuffer, CallersConsumeTheLiveLine) {
    TextBuffer buffer("one two /* c */ three\nnext\nlast\n");
    int status = 0;
    EXPECT_EQ(buffer.getCommandWithStatus(status), "one");
    EXPECT_EQ(buffer.getLineStrings(), " two /* c */ three\n");
    buffer.deleteLineHead(4);
    EXPECT_EQ(buffer.getCommandWithStatus(status), "/*");
    buffer.deleteLineHead(1000);  // more than the line holds: only the line goes
    EXPECT_FALSE(buffer.hasLineText());
    EXPECT_EQ(buffer.getCommandWithStatus(status), "next");
    buffer.deleteLineBuffer();  // the rest of "next\n"
    EXPECT_EQ(buffer.getCommandWithStatus(status), "last");
}

// A NUL byte reads as a space, as compilers take it; other bytes are part of words.
TEST(TextBuffer, BytesThatAreNotUtf8KeepTheStructure) {
    const char raw[] = "// caf\xE9 \xA9\n- (void)na\xD1ve:(id)x\xC3;\nint a\0b;\n";
    std::string text(raw, sizeof raw - 1);
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), '\0', ' ');
    EXPECT_EQ(cut(text), cutByRule(spaced));
    EXPECT_NE(cut(text).find("|int@0|a@0|b@0|;@5|"), std::string::npos);
    // A file: MacRoman and Latin-1 bytes come back unchanged.
    EXPECT_EQ(cut(std::string(*TextBuffer::initByPath(KESTREL_TEST_DATA_DIR "/reader/macroman.h").getLineStrings())),
              "/*@15|\xA9@0|1997@0|Ren\x8E@0|*/@16|\n@18|@100");
}

TEST(TextBuffer, LongLinesAndManyLinesAreCutInLinearTime) {
    // Re-searching or copying the rest of the line per command would take minutes here.
    std::string oneLine, manyLines;
    for (int i = 0; i < 400000; ++i) oneLine += "word(x); ";  // 3.6 MB, 2 million commands
    for (int i = 0; i < 1000000; ++i) manyLines += "a;\n";
    for (auto& [text, expected] : {std::pair{oneLine, 400000u * 5 + 1}, std::pair{manyLines, 3000000u},
                                   std::pair{std::string(8 << 20, 'x'), 1u}}) {
        TextBuffer buffer(text);
        int status = 0;
        std::size_t commands = 0;
        while (buffer.getCommandWithStatus(status)) ++commands;
        EXPECT_EQ(commands, expected);  // the trailing blank of oneLine is a last empty word
    }
}

// The readers keep a command's view while they read on: the text never moves or changes.
TEST(TextBuffer, CommandViewsStayValidWhileReadingOn) {
    TextBuffer buffer("@interface Kit : NSObject\n- (void)draw;  // x\n@end");
    std::vector<std::string_view> views;
    int status = 0;
    while (auto command = buffer.getCommandView(status)) views.push_back(*command);
    EXPECT_EQ(status, kestrel::kEnd);
    std::string joined;
    for (std::string_view view : views) joined.append(view).append("|");
    EXPECT_EQ(joined, "@interface|Kit|:|NSObject|\n|-|(|void|)|draw|;|//|x|\n|@end|");
}
