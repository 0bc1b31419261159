#pragma once
// What quick open does with an entry of its index: where choosing it goes, what copying it
// puts on the clipboard, and how the terminal prints it.
//
//   entry                       goes to                              copied (declaration / call style)
//   class, category             the class in the tree                the class's, category's name
//   protocol                    the class nearest the root that      its name
//                               adopts it
//   method, property            its class, the method shown          -(id)initWithFrame:(NSRect)r; /
//                                                                    id_VALUE = [NSView*_VALUE initWithFrame:(NSRect)r];
//   function, constant, ...     the function list                    NSRect NSMakeRect(...); / a call
//   struct, enum                the struct and enum viewer           its definition / its name
//   enum constant               its enum in the viewer               its name
//   typedef                     the struct or enum it names          typedef TYPE NAME; / its name
//
// A method's receiver is its class (for a protocol's method, the protocol's name). The style is
// the drag style's number (DragStyle: declaration, call or snippet), as DeclarationText reads
// it; methods and functions in snippet style carry the editors' placeholders
// ([<#NSView *#> initWithFrame:<#(NSRect)#>]); a type in call or snippet style is its name.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrel {

class ClassData;
class FunctionMacrosData;
class QuickOpenIndex;
class StructEnumData;

class QuickOpenText {
public:
    struct Destination {
        enum class Where { Class, Method, Function, StructEnum, Nowhere };
        Where where = Where::Nowhere;
        std::shared_ptr<ClassData> classRecord;        // Class, Method (none: no class to show)
        std::optional<std::string> method;             // Method
        std::shared_ptr<FunctionMacrosData> function;  // Function
        std::shared_ptr<StructEnumData> structEnum;    // StructEnum
        std::optional<std::size_t> constant;           // StructEnum: the constant's index in its enum
        std::string note;                              // Nowhere: what to tell the user instead
    };

    static Destination destinationOf(const QuickOpenIndex& index, std::size_t entry);
    static std::string copyText(const QuickOpenIndex& index, std::size_t entry, std::int32_t dragStyle);
    // "kind<TAB>name<TAB>owner"; with a style, the copied text in place of the name.
    static std::string terminalRow(const QuickOpenIndex& index, std::size_t entry,
                                   std::optional<std::int32_t> dragStyle = std::nullopt);
};

}  // namespace kestrel
