#pragma once
// Reads one declaration after the word "extern" up to its ";":
//
//   extern NSString *NSStringFromClass(Class aClass) AVAILABLE_MAC_OS_X_VERSION_10_0_AND_LATER;
//     -> "NSString* NSStringFromClass(Class aClass)"
//   extern NSString *const A, *const B;   -> "NSString* const A", "NSString* const B"
//   extern "C" int f(void);               -> "int f(void)"
//   extern "C" {                          -> nothing (a linkage block opens; its
//                                             declarations are read one by one)
//
// Attributes are left out (see CDeclaration), no spaces stand next to parentheses, "*" sticks
// to the type. A directive inside the declaration is evaluated, comments are skipped. A
// declaration that the text ends inside gives nothing.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/DeclarationEngin.h"

namespace kestrel {

class ExternEngin : public DeclarationEngin {
public:
    using DeclarationEngin::DeclarationEngin;

    using TextEngin::doAnalyse;
    // The text of the first name declared, or none.
    std::optional<std::string> doAnalyse();
    // The text of every name declared.
    std::vector<std::string> analyseAll();
    // The names declared, as read.
    CDeclaration readExtern();

private:
    // After "extern": reads a linkage that follows ("C", "C++"); true when a block opens with it.
    bool readLinkageBlock();
};

}  // namespace kestrel
