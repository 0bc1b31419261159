#pragma once
// An enum: name is its tag, else the typedef name that names it, else empty (an anonymous enum,
// kept so that its constants are found); structIndex its body laid out on one row:
//
//   typedef NS_OPTIONS(NSUInteger, NSFoo) {     name "NSFoo", underlying type "NSUInteger",
//       NSFooA = 1 << 0,                        structIndex "{\n    NSFooA = 1 << 0, NSFooB\n}"
//       NSFooB API_AVAILABLE(macos(10.12)),     constants NSFooA = "1 << 0", NSFooB (no value)
//   };
//
// Stored keys: StructEnumData's, then "underlyingType"? (the type as written, absent when the
// header writes none) and "constants"? (an array of texts, "NAME" or "NAME = VALUE": a name holds
// no "=", so the first " = " parts them; texts keep a file of 30,000 constants small and quick
// to load). A record stored without "constants" reads its constants from its body. Then
// "constantNotes"? (constant name -> its notes: DeclarationNotes).
#include <optional>
#include <string>
#include <vector>

#include "core/model/EnumConstant.h"
#include "core/model/StructEnumData.h"

namespace kestrel {

class EnumData : public StructEnumData {
public:
    EnumData();
    explicit EnumData(BlankRecord);
    explicit EnumData(const PlistDict& dic);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
    void makeDictionary(PlistDict& dic, bool withNotes = true) const override;
    // An enum file holds thousands, with their constants: written straight.
    void writeDictionary(PlistXmlWriter& writer) const override;

    void setUnderlyingType(std::optional<std::string> type) { underlyingType = std::move(type); }
    const std::optional<std::string>& getUnderlyingType() const { return underlyingType; }
    // Keeps the constants and lays the body (structIndex) out from them.
    void setConstants(std::vector<EnumConstant> list);
    // The constants kept, else those read from the body; none without either.
    std::vector<EnumConstant> getConstants() const;
    // The constants kept, without a copy; none where they are read from the body.
    const std::vector<EnumConstant>* keptConstants() const { return constants ? &*constants : nullptr; }
    void setConstantNotes(NotesByName value) { constantNotes = std::move(value); }
    const NotesByName& getConstantNotes() const { return constantNotes; }
    const DeclarationNotes* notesOfConstant(const std::string& constant) const {
        auto found = constantNotes.find(constant);
        return found == constantNotes.end() ? nullptr : &found->second;
    }
    // "{\n    A = 1, B\n}": the body laid out as enum bodies always were.
    static std::string bodyText(const std::vector<EnumConstant>& list);

private:
    std::optional<std::string> underlyingType;
    std::optional<std::vector<EnumConstant>> constants;
    NotesByName constantNotes;
};

}  // namespace kestrel
