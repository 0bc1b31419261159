#include <gtest/gtest.h>

#include <string>

#include "core/parse/DeclarationAttributes.h"

using namespace kestrel;

namespace {

std::string without(const std::string& text) {
    return CTokenizer::join(DeclarationAttributes::without(CTokenizer::tokenize(text), nullptr));
}

}  // namespace

// Attributes go with their arguments, however nested; what follows keeps its blank.
TEST(DeclarationAttributes, LeftOutWithTheirArguments) {
    EXPECT_EQ(without("void f(void) __attribute__((format(printf, 1, 2))) NS_SWIFT_NAME(g(x:))"), "void f(void)");
    EXPECT_EQ(without("extern \"C\" int x"), "extern int x");
    EXPECT_EQ(without("API_AVAILABLE(macos(10.7))int x"), "int x");
    // A type written like a macro before a declarator group is no macro's use.
    EXPECT_EQ(without("CSSM_RETURN (CSSMAPI *f)(void)"), "CSSM_RETURN (CSSMAPI *f)(void)");
    // Arguments never closed go to the end.
    EXPECT_EQ(without("int x API_AVAILABLE(macos(10.7)"), "int x");
}

TEST(DeclarationAttributes, TagNames) {
    EXPECT_EQ(DeclarationAttributes::tagName("__attribute__((packed)) KitPacked", nullptr), "KitPacked");
    EXPECT_EQ(DeclarationAttributes::tagName("API_AVAILABLE(macos(14.0)) KitAvailable", nullptr), "KitAvailable");
    EXPECT_EQ(DeclarationAttributes::tagName("DEPRECATED_ATTRIBUTE _KitOld", nullptr), "_KitOld");
    EXPECT_EQ(DeclarationAttributes::tagName("DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER", nullptr), "");
    EXPECT_EQ(DeclarationAttributes::tagName("", nullptr), "");
}
