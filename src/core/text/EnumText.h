#pragma once
// The texts people read of an enum: its row in the struct and enum viewer, and its definition
// as source, one constant a row, for the viewer, for copying and for the argument information.
//
//   rowText     "NSWindowStyleMask"; an anonymous one by its first constants:
//               "enum { NSScannedOption, NSCollectorDisabledOption }", "enum { A, B, … }"
//   definition  "enum NSWindowStyleMask : NSUInteger {\n    NSWindowStyleMaskBorderless = 0,\n
//                    NSWindowStyleMaskTitled = 1 << 0\n};"
//   body        "{\n    NSWindowStyleMaskBorderless = 0,\n    NSWindowStyleMaskTitled = 1 << 0\n}"
//
// A record stored before constants were kept shows the constants read from its body.
#include <cstddef>
#include <string>

namespace kestrel {

class EnumData;

class EnumText {
public:
    // How many constants name an anonymous enum's row.
    static constexpr std::size_t kRowConstants = 2;

    static std::string rowText(const EnumData& record);
    // "enum NAME : TYPE" (the name and the type where there are).
    static std::string head(const EnumData& record);
    static std::string body(const EnumData& record);
    static std::string definition(const EnumData& record);
    // What a found constant names as its owner: the enum's name, else (an anonymous enum) its
    // header, else "enum".
    static std::string owner(const EnumData& record);
};

}  // namespace kestrel
