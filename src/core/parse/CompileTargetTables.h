#pragma once
// What clang 14 predefines and answers for each compile target, as data (CompileTargetTables.cpp,
// written by scripts/target_tables.py): the "#define" lines of `clang -dM -E`, and the names for
// which each built-in query answers 1. What every target shares is kept once, in common().
//
//   __has_feature(nullability)       -> 1 for every target (in common().answers[Feature])
//   __has_feature(blocks)            -> 1 for the Apple targets only (-fblocks)
//   __is_target_arch(arm64)          -> 1 for apple-macos-arm64
#include <cstddef>
#include <span>
#include <string_view>

namespace kestrel {

class CompileTargetTables {
public:
    enum Query : std::size_t {
        Feature, Extension, Attribute, Builtin, CAttribute, TargetOs, TargetArch, TargetVendor,
        TargetEnvironment, kQueryCount
    };
    using Names = std::span<const std::string_view>;

    struct Common {
        std::string_view predefines;  // "#define NAME VALUE" lines
        Names answers[kQueryCount];   // sorted
    };
    struct Table {
        std::string_view key;           // "apple-macos-x86_64", "apple-macos-arm64", "gnustep-x86_64"
        std::string_view architecture;  // "x86_64", "arm64"
        std::string_view predefines;    // beyond the common ones
        Names answers[kQueryCount];     // beyond the common ones, sorted
    };

    static const Common& common();
    static std::span<const Table> tables();
};

}  // namespace kestrel
