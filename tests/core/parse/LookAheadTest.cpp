// Looking ahead in the unread text, and strings read past whole. The golden cases
// interface_export_macro and method_availability pin them in headers; these are the corners.
#include <gtest/gtest.h>

#include <string>

#include "core/parse/LookAhead.h"
#include "core/parse/StringLiteral.h"
#include "core/parse/TextBuffer.h"
#include "support/RestOfText.h"

using namespace kestrel;

TEST(LookAhead, WhatFollowsAWord) {
    EXPECT_EQ(LookAhead::nextSignificant("  // note\n  /* more\n */ :(id)x"), ':');
    EXPECT_EQ(LookAhead::nextSignificant("\t\r\n"), '\0');
    EXPECT_EQ(LookAhead::nextSignificant(" /* never closed"), '\0');
    EXPECT_EQ(LookAhead::nextAfterWords(" NS_SWIFT_SENDABLE NS_NOESCAPE ^)(id)"), '^');
    EXPECT_EQ(LookAhead::nextAfterWords("NSString *)"), '*');
}

TEST(LookAhead, AnExportMacroBeforeAClassOrProtocol) {
    for (const char* text : {" API_AVAILABLE(macos(10.5))\n@interface NSCollectionView : NSView",
                             "\nNS_SWIFT_SENDABLE API_DEPRECATED(\"use (other); not this\", macos(10.0, 10.9))\n"
                             "/* note */ @protocol P <NSObject>",
                             " @interface X", "\n\n@protocol Y\n",
                             // availability chosen by an #if between the export macro and the class
                             "\n#if defined(A) && \\\n A\nAVAILABLE(v(1))\n#else\nAVAILABLE(v(2))\n#endif\n@interface X"})
        EXPECT_TRUE(LookAhead::opensContainer(text)) << text;
    for (const char* text : {" NSString *const KitName;", " \"C\" {", " double Volume;\n@interface X",
                             " API_AVAILABLE(macos(10.5)\n@interface X",  // the arguments never close
                             " MACRO #if 1\n@interface X", " @class X;", ""})
        EXPECT_FALSE(LookAhead::opensContainer(text)) << text;
    // Only a bounded stretch is looked at: a huge run of words is no class.
    EXPECT_FALSE(LookAhead::opensContainer(std::string(10000, 'A') + " @interface X"));
}

TEST(StringLiteral, ReadPastWholeOnItsLine) {
    auto after = [](const std::string& text) {
        TextBuffer buffer(text);
        int status = 0;
        while (buffer.getCommandWithStatus(status) && status != kQuote) {
        }
        StringLiteral::skipRest(buffer);
        return test::restOf(buffer);
    };
    EXPECT_EQ(after("X(\"Use -a:; or (b) \\\"c\\\"\", m(1));"), ",|m|(|1|)|)|;|");
    EXPECT_EQ(after("\"never closed; -a:\nnext;"), "\n|next|;|");  // the line end stays
    EXPECT_EQ(after("X \"\nnext"), "\n|next|");                      // a quote ending its line
}
