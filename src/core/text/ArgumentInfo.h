#pragma once
// The argument information of a declaration: for each word of it that names a class, a typedef,
// a struct or an enum of the tree, what it is, blocks separated by a line of 25 hyphens.
//
//   -(NSRect)frame, typedefList {NSRect: _NSRect}, struct _NSRect with body B
//     -> "typedef  _NSRect  NSRect;\nstruct  _NSRect\nB;"
//   -(id)initWithString:(NSString*)aString, NSString a class -> "NSString is Class"
//   -(void)setStyleMask:(NSWindowStyleMask)m, typedefList {NSWindowStyleMask: enum NSWindowStyleMask}
//     -> "typedef  enum NSWindowStyleMask  NSWindowStyleMask;\nenum  NSWindowStyleMask : NSUInteger\n
//         {\n    NSWindowStyleMaskBorderless = 0,\n    NSWindowStyleMaskTitled = 1 << 0\n};"
//
// Words are made by the analysers' commandToChunk (each word's first "*" removed); the checks
// look a word up as a key: every "*" made a space, then every space removed.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class TreeLinker;

class ArgumentInfo {
public:
    using TypedefList = std::map<std::string, std::string>;

    // Both must outlive the object; typedefList may be none (no typedef lines then).
    ArgumentInfo(TreeLinker& linker, const TypedefList* typedefList);

    // The information for a whole declaration text: its words, repeats removed, then
    // makeArgumentString. None without words.
    std::optional<std::string> forDeclaration(const std::string& text);
    // None for no words (or none left); an empty text when no word matched.
    std::optional<std::string> makeArgumentString(std::vector<std::string>& words);
    // Removes every word that equals one before it; the first of each stays, in order.
    static void removeDuplicateChunc(std::vector<std::string>& words);
    // "<key> is Class\n" when the key names a class.
    std::optional<std::string> checkClassNameByKey(const std::string& word);
    // "typedef  T  <word>;\n" when the key is a typedef of T; word then becomes T (one level).
    std::optional<std::string> checkTypeDef(std::string& word);
    // "struct  <word>\n<body>;\n" when the key names a struct; "enum  <word>[ : type]\n<body>;\n",
    // the body one constant a row, when it names an enum. A type as typedefs give it is looked
    // up without its keyword and qualifiers ("struct _NSPoint", "const struct __CFString *",
    // "enum NSFoo"), and names only its own kind: "enum NSFoo" names no struct.
    std::optional<std::string> checkStruct(const std::string& word);
    std::optional<std::string> checkEnum(const std::string& word);

    static std::string keyOf(const std::string& word);

private:
    TreeLinker& linker;
    const TypedefList* typedefList;
};

}  // namespace kestrel
