// The enum reader: constants as written, names and typedef entries of each form, what it leaves
// unread, and the macros that open an enum. The golden cases enum_basic, enum_if_in_body and
// enum_macro_forms pin whole headers; these are the corners they do not reach.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/model/EnumData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/EnumLookahead.h"
#include "core/parse/EnumMacroForms.h"
#include "core/parse/MacroExpansionSource.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::textsOf;

namespace {

using Tokens = std::vector<std::string>;

// An expander that knows a few calls by heart: "MACRO/argument count" -> expansion, the
// arguments standing as A0, A1, ... in it.
class FakeExpander : public MacroExpansionSource {
public:
    std::map<std::string, std::string> expansions;

    bool isMacro(const std::string& word) override {
        for (const auto& [key, text] : expansions)
            if (key.substr(0, key.find('/')) == word) return true;
        return false;
    }
    std::optional<Tokens> expand(const Tokens& tokens) override {
        std::size_t count = 0;
        Tokens arguments;
        for (std::size_t i = 2; i < tokens.size(); i += 2) arguments.push_back(tokens[i]);
        if (tokens.size() > 1) count = arguments.size();
        auto found = expansions.find(tokens[0] + "/" + (tokens.size() > 1 ? std::to_string(count) : "-"));
        if (found == expansions.end()) return Tokens(tokens);
        Tokens out;
        TextBuffer words(found->second);
        int status = 0;
        while (auto word = words.getCommandWithStatus(status)) {
            if (status == kCR || status == kLF) continue;
            if (word->size() == 2 && (*word)[0] == 'A') word = arguments[static_cast<std::size_t>((*word)[1] - '0')];
            out.push_back(*word);
        }
        return out;
    }
};

struct Read {
    std::shared_ptr<EnumData> record;
    TypedefList typedefs;
    std::string rest;  // what the reader left unread
    std::string body() const { return record ? record->getStructIndex().value_or("<none>") : "<no record>"; }
};

// Reads text as it stands after "enum" (typedefed: after "typedef enum"), or after a macro word
// when macroWord is given; with an evaluator.
Read readText(const std::string& text, bool typedefed = false, FakeExpander* expander = nullptr,
              const std::string& macroWord = "") {
    ProcessState::reset();
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Read result;
    std::optional<EnumMacroForms> forms;
    if (expander) forms.emplace(*expander, nullptr);
    EnumEngin engin(&buffer, &macro, &result.typedefs, {forms ? &*forms : nullptr, nullptr});
    if (!macroWord.empty()) {
        if (auto read = engin.readMacroForm(macroWord, typedefed)) result.record = *read;
    } else {
        result.record = typedefed ? engin.readEnum(true) : engin.readPlain();
    }
    result.rest = std::string(buffer.unreadText());
    return result;
}

}  // namespace

TEST(EnumEngin, ConstantsKeepTheirValuesAsWrittenWithoutCommentsAttributesOrRejectedBranches) {
    Read r = readText(
        " {\n"
        "  A = (1<<2), E = (int)*p,\n"
        "  B API_AVAILABLE(macos(10.12)) = 1 <<\n      3, // a comment, with a comma\n"
        "  C __attribute__((deprecated)) /* x = 1, y */,\n"
        "#if 0\n  HIDDEN = 9,\n#endif\n"
        "  D = 'ab  ', F = ',', G = '#', H = '\\'', I = MAKE(1, 2),\n"
        "  J\t\t  =   1 \t <<  4,\n"
        "};");
    ASSERT_TRUE(r.record);
    EXPECT_EQ(textsOf(r.record->getConstants()),
              (std::vector<std::string>{"A = (1<<2)", "E = (int)*p", "B = 1 << 3", "C", "D = 'ab  '", "F = ','",
                                        "G = '#'", "H = '\\''", "I = MAKE(1, 2)", "J = 1 << 4"}));
    EXPECT_EQ(r.body(), "{\n    A = (1<<2), E = (int)*p, B = 1 << 3, C, D = 'ab  ', F = ',', G = '#', H = '\\'', "
                        "I = MAKE(1, 2), J = 1 << 4\n}");
    // Without an evaluator a directive line is dropped and the constants around it stay.
    TextBuffer buffer("{\n  A,\n#if 0\n  B,\n#endif\n  C\n};");
    auto plain = EnumEngin(&buffer, nullptr).readPlain();
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->getStructIndex(), "{\n    A, B, C\n}");
}

TEST(EnumEngin, EachFormNamesItsEnumAndFilesItsTypedefs) {
    // The words after the body of a plain enum are variables.
    Read plain = readText(" X : unsigned int { A } x, y;");
    EXPECT_EQ(plain.record->getName(), "X");
    EXPECT_EQ(plain.record->getUnderlyingType(), "unsigned int");
    EXPECT_TRUE(plain.typedefs.empty());
    // A tag and other names: the old rule for the other name, its pointer with "*".
    Read tagged = readText(" _X { A } X, *XPointer;", true);
    EXPECT_EQ(tagged.record->getName(), "_X");
    EXPECT_EQ(tagged.typedefs, (TypedefList{{"X", "_X"}, {"XPointer", "_X*"}}));
    // Untagged: the first name names it; an attribute after the name is none.
    Read untagged = readText(" : long { A } X __attribute__((deprecated)), Y;", true);
    EXPECT_EQ(untagged.record->getName(), "X");
    EXPECT_EQ(untagged.record->getUnderlyingType(), "long");
    EXPECT_EQ(untagged.typedefs, (TypedefList{{"X", "enum X"}, {"Y", "enum X"}}));
    // Without a body only the names are filed.
    Read forward = readText(" X X, *P, Q;", true);
    EXPECT_FALSE(forward.record);
    EXPECT_EQ(forward.typedefs, (TypedefList{{"P", "X*"}, {"Q", "X"}, {"X", "enum X"}}));
}

TEST(EnumEngin, WordsThatDeclareNoEnumBodyAreLeftUnread) {
    for (const std::string text : {" X XMake(int a);", " X variable;", " X;", " X (*f)(void) { }"}) {
        Read r = readText(text);
        EXPECT_FALSE(r.record) << text;
        EXPECT_EQ(r.rest, text);
    }
    // Attributes, also a macro call right after "enum", stand before a body.
    EXPECT_TRUE(EnumLookahead::definitionFollows(" __attribute__((flag_enum)) X : int {", nullptr));
    EXPECT_TRUE(EnumLookahead::definitionFollows(" API_AVAILABLE(macos(10.12)) {", nullptr));
    EXPECT_TRUE(EnumLookahead::definitionFollows(" // {\n#if X\n X\n#endif\n /* ; */ {", nullptr));
    EXPECT_FALSE(EnumLookahead::definitionFollows(" X = A;", nullptr));
    EXPECT_EQ(EnumLookahead::callArguments(" ( unsigned  long,\n Foo /* a, b */) {"), (Tokens{"unsigned long", "Foo"}));
    EXPECT_EQ(EnumLookahead::callArguments(" () {"), Tokens{});
    EXPECT_EQ(EnumLookahead::callArguments(" {"), std::nullopt);
    EXPECT_EQ(EnumLookahead::callArguments(" (never closed"), std::nullopt);
}

TEST(EnumMacroForms, AMacroOpensAnEnumByWhatItExpandsTo) {
    FakeExpander expander;
    expander.expansions = {
        {"NAMED/2", "enum __attribute__((x)) A1 : A0 A1; enum A1 : A0"},
        {"NAMED/1", "enum __attribute__((x)) : A0"},
        {"OLD/2", "A0 A1; enum"},
        {"CXX/2", "__attribute__((y)) A0 A1; enum : A1"},
        {"ERROR/2", "enum A1 : long A1; enum __attribute__((ns_error_domain(A0))) A1 : long"},
        {"FLAGS/-", "enum : unsigned int"},
        {"WRAPPER/-", "__attribute__((swift_wrapper(enum)))"},
        {"WHOLE/1", "enum { A0 }"},
    };
    EnumMacroForms forms(expander, nullptr);
    auto head = [&](const std::string& macro, std::optional<Tokens> arguments, bool typedefed) {
        std::optional<EnumMacroHead> h = forms.headOf(macro, arguments, typedefed);
        if (!h) return std::string("none");
        std::string out = h->name + " : " + h->type.value_or("-");
        for (const auto& [name, type] : h->typedefs) out += " | " + name + " = " + type;
        return out;
    };
    EXPECT_EQ(head("NAMED", Tokens{"unsigned long", "Foo"}, true), "Foo : unsigned long | Foo = enum Foo");
    EXPECT_EQ(head("NAMED", Tokens{"int"}, false), " : int");
    EXPECT_EQ(head("OLD", Tokens{"short", "Foo"}, true), "Foo : short | Foo = short");
    EXPECT_EQ(head("CXX", Tokens{"int", "Foo"}, true), "Foo : int | Foo = int");
    EXPECT_EQ(head("ERROR", Tokens{"FooDomain", "Foo"}, true), "Foo : long | Foo = enum Foo");
    EXPECT_EQ(head("FLAGS", std::nullopt, true), " : unsigned int");
    // "enum" inside an attribute's parentheses, a whole enum, another word: no enum opens.
    EXPECT_EQ(head("WRAPPER", std::nullopt, false), "none");
    EXPECT_EQ(head("WHOLE", Tokens{"A"}, false), "none");
    EXPECT_EQ(head("extern", std::nullopt, false), "none");

    // Read from a header: the body follows the call (attributes between), names after it
    // belong to the typedef only when the macro declares nothing before its head.
    Read named = readText("(NSInteger, Foo) __attribute__((z)) { A = 1 } __attribute__((w));", true, &expander, "NAMED");
    EXPECT_EQ(named.record->getName(), "Foo");
    EXPECT_EQ(named.typedefs, (TypedefList{{"Foo", "enum Foo"}}));
    Read flags = readText(" { A } Flags;", true, &expander, "FLAGS");
    EXPECT_EQ(flags.record->getName(), "Flags");
    EXPECT_EQ(flags.typedefs, (TypedefList{{"Flags", "enum Flags"}}));
    // A macro that opens no enum leaves the text unread.
    Read none = readText(" int x;", false, &expander, "WRAPPER");
    EXPECT_FALSE(none.record);
    EXPECT_EQ(none.rest, " int x;");
}

TEST(EnumEngin, ADeclarationCutOffBeforeItsSemicolonLeavesNothing) {
    FakeExpander expander;
    expander.expansions = {{"NAMED/2", "enum A1 : A0 A1; enum A1 : A0"}};
    struct Case {
        std::string text;
        bool typedefed;
        std::string macro;
    };
    for (const Case& c : {Case{" _E : int {\n  A = 'a', // a\n#if 0\n  B,\n#endif\n  C\n} E, *P;", true, ""},
                          Case{" X { A = (1 << 2) } x;", false, ""},
                          Case{"(int, Foo) { A, B = 'x' } __attribute__((w));", true, "NAMED"}}) {
        for (std::size_t cut = 0; cut < c.text.size(); ++cut) {
            Read r = readText(c.text.substr(0, cut), c.typedefed, &expander, c.macro);
            EXPECT_TRUE(!r.record && r.typedefs.empty()) << c.text.substr(0, cut);
        }
        Read whole = readText(c.text, c.typedefed, &expander, c.macro);
        EXPECT_TRUE(whole.record) << c.text;
    }
}
