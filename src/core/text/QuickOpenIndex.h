#pragma once
// Everything quick open can find, as one flat array made once per tree: each entry with its
// kind, its name as matched, what owns it, and the record it leads to.
//
//   kind            name              owner                         record / member
//   class           NSView            AppKit/NSView.h               the class
//   protocol        NSCoding          Foundation/NSObject.h         the protocol
//   category        NSStringDrawing   NSString                      the category
//   method          initWithFrame:    NSView                        the class, method index
//   class method    string            NSString                      the class, method index
//   method          sizeWithAttributes:  NSString (NSStringDrawing)  the category, method index
//   method          encodeWithCoder:  <NSCoding>                    the protocol, method index
//   property        title             NSWindow                      the class, the getter's index
//   function        NSMakeRect        Foundation/NSGeometry.h       the function
//   inline function NSMaxRange        Foundation/NSRange.h          the function
//   constant        NSFontAttributeName  AppKit/NSAttributedString.h  the record
//   variable        NSApp             AppKit/NSApplication.h        the record
//   enum            NSWindowStyleMask AppKit/NSWindow.h             the enum
//   enum constant   NSWindowStyleMaskTitled  NSWindowStyleMask      the enum, constant index
//   struct          CGRect            CoreGraphics/CGGeometry.h     the struct
//   typedef         NSRect            = CGRect                      the struct or enum it names
//
// Properties: the records keep a property as its accessors' method texts. A getter -(T)x with
// a setter -(void)setX:(T)v beside it in the same record (or -(T)isX, for a BOOL named x) is
// shown as the property x; the setter stays a method. A read-only property cannot be told from
// a method and stays one.
//
// Macros: the records hold no #define; the inline functions (FOUNDATION_STATIC_INLINE,
// CG_INLINE and the like), which the function list files with the macros, are "inline function".
//
// Entries keep their names in one block of characters, with a lowered copy and the letters of
// each (FuzzyRank::letters) and its word starts, so that a search makes no allocation per entry.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/EnumConstant.h"

namespace kestrel {

struct DeclarationNotes;

class ClassData;
class FunctionMacrosData;
class ProtocolData;
class TreeData;
struct RecordLists;

class QuickOpenIndex {
public:
    // In the order in which kinds of the same name and length are listed.
    enum class Kind : std::uint8_t {
        Class,
        Protocol,
        Struct,
        Enum,
        Typedef,
        Function,
        InlineFunction,
        Property,
        ClassProperty,
        Method,
        ClassMethod,
        Constant,
        Variable,
        EnumConstant,
        Category,
    };
    static constexpr std::uint32_t kNoMember = 0xffffffffu;

    // Everything of the tree: every class (the flat list), and the other lists.
    void build(const std::vector<std::shared_ptr<ClassData>>& classes, const RecordLists& lists);
    void clear();

    std::size_t size() const { return entries_.size(); }
    // Counts up with every build: searches begun on an older index start again.
    std::uint64_t generation() const { return generation_; }
    // The number of classes indexed (a class cut from the tree since makes the index stale).
    std::size_t classCount() const { return classCount_; }

    Kind kind(std::size_t i) const { return entries_[i].kind; }
    std::string_view name(std::size_t i) const;
    std::string_view lowered(std::size_t i) const;
    std::uint64_t letters(std::size_t i) const { return entries_[i].letters; }
    // Where the name's words start (FuzzyRank::wordStarts).
    std::uint64_t wordStarts(std::size_t i) const { return entries_[i].wordStarts; }
    // How far below a root its class stands (0 for the rest): the declaration nearest the root
    // of the same name comes first.
    std::uint8_t depth(std::size_t i) const { return entries_[i].depth; }
    // In how many places the name is declared, by powers of two (0 once, 1 twice or three
    // times, 2 four to seven times, ...): a name many classes declare is a name much used.
    std::uint8_t popularity(std::size_t i) const { return entries_[i].popularity; }
    const std::string& ownerText(std::size_t i) const { return owners_[entries_[i].owner].text; }
    // The record that holds the entry: the class, category or protocol of a method, the enum of
    // a constant, the struct or enum a typedef names (none when it names neither), the record
    // itself for the rest.
    const std::shared_ptr<TreeData>& record(std::size_t i) const { return owners_[entries_[i].owner].record; }
    // The class to show in the tree: a class itself, the class of a category or of a method;
    // for a protocol or its method the class nearest the root that adopts it (none when none does).
    const std::shared_ptr<ClassData>& classOf(std::size_t i) const { return owners_[entries_[i].owner].classRecord; }
    std::uint32_t member(std::size_t i) const { return entries_[i].member; }
    // The method text of a method or property entry.
    std::optional<std::string> method(std::size_t i) const;
    std::optional<EnumConstant> constant(std::size_t i) const;
    // A typedef's type text.
    std::optional<std::string> typedefType(std::size_t i) const;
    // Since when the entry exists and whether it is deprecated, as the row shows it at its right
    // ("macOS 10.7+", "Deprecated in macOS 10.14: use -newThing"); none where the build read
    // none (or the tree was stored before availability was kept).
    std::optional<std::string> availability(std::size_t i) const;
    // Whether the entry is deprecated on macOS (or everywhere): struck through, or left out while
    // deprecated entries are hidden.
    bool isDeprecated(std::size_t i) const;

    // Short words for a kind: "class method", "enum constant", ...
    static const char* kindLabel(Kind kind);
    // One or two letters for a badge: "C", "M", "P", "f", ...
    static const char* kindBadge(Kind kind);

private:
    const DeclarationNotes* notesOf(std::size_t i) const;
    struct Entry {
        std::uint32_t at;      // into names_ and lowered_
        std::uint32_t length;
        std::uint32_t owner;   // into owners_
        std::uint32_t member;  // a method's or constant's index, a typedef's; kNoMember
        std::uint64_t letters;
        std::uint64_t wordStarts;
        Kind kind;
        std::uint8_t depth;
        std::uint8_t popularity;
    };
    struct Owner {
        std::shared_ptr<TreeData> record;
        std::shared_ptr<ClassData> classRecord;
        std::string text;
    };

    std::uint32_t addOwner(std::shared_ptr<TreeData> record, std::shared_ptr<ClassData> classRecord, std::string text);
    void add(Kind kind, std::string_view name, std::uint32_t owner, std::uint32_t member, std::uint8_t depth);
    void addMethods(const std::optional<std::vector<std::string>>& methods, std::uint32_t owner, std::uint8_t depth);
    void countDeclarations();

    std::vector<Entry> entries_;
    std::vector<Owner> owners_;
    std::string names_;
    std::string lowered_;
    std::vector<std::pair<std::string, std::string>> typedefs_;
    std::uint64_t generation_ = 0;
    std::size_t classCount_ = 0;
};

}  // namespace kestrel
