// The golden cases functions_plain, functions_several_names, typedef_shapes and export_macros
// pin the common declarations; these are the corners of reading a C declaration they do not
// reach: nested declarators, what makes a type, what the define records change, and text
// that declares nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/parse/CDeclaration.h"
#include "core/parse/MacroBody.h"
#include "core/parse/MacroDefinition.h"
#include "core/parse/MacroKeywordSource.h"

using namespace kestrel;

namespace {

// Define records in a map, as the header's resolver would answer from them (an attribute: a
// definition holding nothing or only __attribute__).
class Macros : public MacroKeywordSource {
public:
    explicit Macros(std::map<std::string, std::string> definitions) {
        for (const auto& [name, text] : definitions)
            bodies.emplace(name, MacroBody::of(MacroDefinition::fromRecordText(text)));
    }
    std::optional<std::string> macroKeywordFor(const std::string&) override { return std::nullopt; }
    std::optional<bool> isAttributeMacro(const std::string& word) override {
        auto found = bodies.find(word);
        if (found == bodies.end()) return std::nullopt;
        return found->second.body.empty() || found->second.body.front().is("__attribute__");
    }
    const MacroBody* macroDefinition(const std::string& word) override {
        auto found = bodies.find(word);
        return found == bodies.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, MacroBody> bodies;
};

struct Named {
    std::string name;
    std::string text;
    std::string type;
    bool function;
    bool operator==(const Named&) const = default;
};

std::vector<Named> read(const std::string& text, MacroKeywordSource* macros = nullptr) {
    std::vector<Named> out;
    for (const DeclaredName& d : CDeclaration::read(text, macros).names) out.push_back({d.name, d.text, d.type, d.function});
    return out;
}

std::vector<std::string> names(const std::string& text, MacroKeywordSource* macros = nullptr) {
    std::vector<std::string> out;
    for (const Named& n : read(text, macros)) out.push_back(n.name);
    return out;
}

}  // namespace

TEST(CDeclaration, DeclaratorsInParenthesesNameWhatTheyDeclare) {
    // A function returning a function pointer is a function; a pointer to one is not.
    EXPECT_EQ(read("void (*signal(int sig, void (*handler)(int)))(int)"),
              (std::vector<Named>{{"signal", "void (*signal(int sig, void (*handler)(int)))(int)",
                                   "void (*(int sig, void (*handler)(int)))(int)", true}}));
    EXPECT_EQ(read("int (*table[4])(void)"), (std::vector<Named>{{"table", "int (*table[4])(void)", "int (*[4])(void)", false}}));
    EXPECT_EQ(read("void (^ _Nullable handler)(id)"),
              (std::vector<Named>{{"handler", "void (^ _Nullable handler)(id)", "void (^ _Nullable)(id)", false}}));
    // A later declarator gets the type words with a blank between: no "intb".
    EXPECT_EQ(names("int a,b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(read("int a,b").back().text, "int b");
    EXPECT_EQ(read("static const int a = 1, b = (2 + 3)").back().text, "static const int b = (2 + 3)");
}

TEST(CDeclaration, ATypeIsOneRunOfTypeWordsOrOneName) {
    EXPECT_EQ(names("unsigned long long x"), std::vector<std::string>{"x"});
    EXPECT_EQ(names("NSString const *x"), std::vector<std::string>{"x"});
    // Words written like macros that no record defines give way to the real type...
    EXPECT_EQ(read("OS_EXPORT MY_TYPE x").front().text, "MY_TYPE x");
    EXPECT_EQ(read("__BEGIN_DECLS void f(void)").front().text, "void f(void)");
    // ...but stay when they are the only type.
    EXPECT_EQ(read("CSSM_RETURN CSSM_Init(void)").front().text, "CSSM_RETURN CSSM_Init(void)");
    // A word a record knows as no attribute is a type: two types declare nothing.
    Macros macros(std::map<std::string, std::string>{{"EXTERNALS", "externals\n"}});
    EXPECT_TRUE(names("EXTERNALS int x", &macros).empty());
    EXPECT_TRUE(names("structure int x").empty());
}

TEST(CDeclaration, TextThatDeclaresNothing) {
    for (const char* text : {"", ";", "x = 1", "foo(bar)", "DECLARE(x)", "int", "(int)x", "@class Foo",
                             "enum { A = 1 } API_AVAILABLE(macos(10.5))", "struct { int a; } x", "int f(int", "int f(int (x)",
                             "int ((((((((((((((((((((((((((((((((((((((((x))))))))))))))))))))))))))))))))))))))))",
                             "void int x", "return x"})
        EXPECT_TRUE(names(text).empty()) << text;
    // Deep nesting and long texts end.
    std::string deep(100000, '(');
    EXPECT_TRUE(names("int " + deep + "*x").empty());
}

TEST(CDeclaration, TheDefineRecordsTellAttributesQualifiersPointersAndNames) {
    Macros macros(std::map<std::string, std::string>{{"KIT_NONNULL", "_Nonnull\n"}, {"KIT_NONNULL_TOO", "KIT_NONNULL\n"},
                   {"KIT_RETAINED", "__attribute__((cf_returns_retained))\n"},
                   {"KIT_EMPTY", "\n"},
                   {"APIENTRY", "\n"},
                   {"APIENTRYP", "APIENTRY*\n"},
                   {"KitOldName", "KitNewName\n"},
                   {"CALLBACK_API_C", "(_type,_name)_type(*_name)\n"},
                   {"KIT_UPP_TYPE", "(name)name\n"}});
    // A macro for a qualifier is written out as the qualifier, through further macros.
    EXPECT_EQ(read("CFStringRef KIT_NONNULL f(void) KIT_RETAINED", &macros).front().text, "CFStringRef _Nonnull f(void)");
    EXPECT_EQ(read("void g(CFStringRef KIT_NONNULL_TOO s, int KIT_EMPTY n)", &macros).front().text,
              "void g(CFStringRef _Nonnull s, int n)");
    EXPECT_EQ(read("KIT_EMPTY int KIT_EMPTY x", &macros).front().text, "int x");
    EXPECT_EQ(read("void (APIENTRYP PFNPROC)(int)", &macros).front().type, "void (APIENTRYP)(int)");
    EXPECT_EQ(read("Handle KitOldName(short id)", &macros).front(),
              (Named{"KitNewName", "Handle KitNewName(short id)", "Handle (short id)", true}));
    // A calling convention that no record defines stands where only attributes can; before
    // any type such a word is the type.
    EXPECT_EQ(read("CSSM_RETURN (CSSM_API *CSSM_CALLBACK)(void *context)"),
              (std::vector<Named>{{"CSSM_CALLBACK", "CSSM_RETURN (CSSM_API *CSSM_CALLBACK)(void *context)",
                                   "CSSM_RETURN (CSSM_API *)(void *context)", false}}));
    EXPECT_EQ(read("CSSM_PROC_ADDR *CSSM_PROC_ADDR_PTR").front().type, "CSSM_PROC_ADDR *");
    // A name that may be an attribute gives way to a reading that names something else: the
    // use of a known macro is the type, the unknown word after the name an attribute.
    EXPECT_EQ(read("KIT_UPP_TYPE(KitProcPtr) KitUPP DEPRECATED_IN_KIT_2", &macros),
              (std::vector<Named>{{"KitUPP", "KIT_UPP_TYPE(KitProcPtr) KitUPP", "KIT_UPP_TYPE(KitProcPtr)", false}}));
    EXPECT_EQ(names("NSString *const KIT_CONSTANT_NAME", &macros), (std::vector<std::string>{"KIT_CONSTANT_NAME"}));
    // A declarator written through a known macro is read as the macro stands.
    EXPECT_EQ(read("CALLBACK_API_C(OSErr, KitProc)(int x)", &macros).front().type, "OSErr (*)(int x)");
}

TEST(CDeclaration, AttributesInParametersBeyondTypeAndName) {
    EXPECT_EQ(read("OSStatus f(CFArrayRef __nullable * __nonnull CF_RETURNS_RETAINED names, CSSM_DATA_PTR data, "
                   "CF_CONSUMED CFTypeRef cf, struct CSSM_X *x, int KIT_FLAG)")
                  .front()
                  .text,
              "OSStatus f(CFArrayRef __nullable * __nonnull names, CSSM_DATA_PTR data, CFTypeRef cf, struct CSSM_X *x, "
              "int KIT_FLAG)");  // the last one's name is written like a macro
}
