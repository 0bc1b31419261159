#include <gtest/gtest.h>

#include <string>

#include "core/model/EnumData.h"
#include "core/model/StructData.h"
#include "core/text/EnumText.h"
#include "core/text/StructEnumText.h"

using namespace kestrel;

TEST(EnumText, NamedAndAnonymousEnumsReadAsRowsAndAsSource) {
    EnumData mask;
    mask.setName("NSWindowStyleMask");
    mask.setUnderlyingType("NSUInteger");
    mask.setConstants({{"NSWindowStyleMaskBorderless", "0"}, {"NSWindowStyleMaskTitled", "1 << 0"}});
    EXPECT_EQ(EnumText::rowText(mask), "NSWindowStyleMask");
    EXPECT_EQ(EnumText::definition(mask),
              "enum NSWindowStyleMask : NSUInteger {\n    NSWindowStyleMaskBorderless = 0,\n"
              "    NSWindowStyleMaskTitled = 1 << 0\n};");

    // Anonymous: named by its first constants in the list; no name in its source.
    EnumData anonymous;
    anonymous.setName("");
    anonymous.setConstants({{"kA", std::nullopt}, {"kB", "2"}, {"kC", std::nullopt}});
    EXPECT_EQ(EnumText::rowText(anonymous), "enum { kA, kB, \u2026 }");
    EXPECT_EQ(EnumText::definition(anonymous), "enum {\n    kA,\n    kB = 2,\n    kC\n};");
    anonymous.setConstants({});
    EXPECT_EQ(EnumText::rowText(anonymous), "enum { }");
    EXPECT_EQ(EnumText::definition(anonymous), "enum {\n};");

    // A record stored before constants were kept: the constants of its body.
    EnumData old;
    old.setName("_NSRectEdge");
    old.setStructIndex("{\n    NSMinXEdge = 0, NSMaxXEdge = 2\n}");
    EXPECT_EQ(EnumText::definition(old), "enum _NSRectEdge {\n    NSMinXEdge = 0,\n    NSMaxXEdge = 2\n};");
}

TEST(StructEnumText, TheViewerShowsEnumsAsSourceAndStructsAsBefore) {
    EnumData state;
    state.setName("KitState");
    state.setHedderName("KitObject.h");
    state.setConstants({{"KitOff", std::nullopt}, {"KitOn", std::nullopt}});
    EXPECT_EQ(StructEnumText::rowText(state), "KitState");
    EXPECT_EQ(StructEnumText::sideText(state), "KitObject.h");
    EXPECT_EQ(StructEnumText::detailText(state), StructEnumText::copyText(state));
    EXPECT_EQ(StructEnumText::copyText(state), "enum KitState {\n    KitOff,\n    KitOn\n};");
    StructData point;
    point.setName("_NSPoint");
    point.setStructIndex("{\n    float x;\n}");
    EXPECT_EQ(StructEnumText::rowText(point), "_NSPoint");
    EXPECT_EQ(StructEnumText::sideText(point), std::nullopt);
    EXPECT_EQ(StructEnumText::detailText(point), "{\n    float x;\n}");
    EXPECT_EQ(StructEnumText::copyText(point), "struct _NSPoint {\n    float x;\n};");
}
