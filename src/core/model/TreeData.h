#pragma once
// The root of the record family: one item found in the headers (class, category, protocol,
// struct, enum, function or macro).
//
// Kind numbers (whoAreYou, and "kind" in the stored dictionary):
//   0 TreeData  1 HasMethodsData  2 ClassData  3 CategoryData  4 ProtocolData
//   5 StructEnumData  6 StructData  7 EnumData
//   8..13 FunctionMacrosData, by the keyword that declared it (see DataKind).
// Kinds 0 to 7 are fixed by the class; a function record gets its kind when created.
//
// Stored form (makeDictionary): "kind", "name"?, "fwName"?, "headerName"?, "idNum", "line"?,
// "doc"?, "availability"? (DeclarationNotes), then the keys of the subclasses; "?" marks keys
// written only when the field is set.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/DeclarationNotes.h"
#include "core/platform/PlistValue.h"
#include "core/platform/PlistXmlWriter.h"

namespace kestrel {

enum DataKind : std::int32_t {
    kTreeDataKind = 0,
    kHasMethodsDataKind = 1,
    kClassDataKind = 2,
    kCategoryDataKind = 3,
    kProtocolDataKind = 4,
    kStructEnumDataKind = 5,
    kStructDataKind = 6,
    kEnumDataKind = 7,
    kFoundationExportKind = 8,
    kFoundationStaticInlineKind = 9,
    kAppkitExternKind = 10,
    kCGInlineKind = 11,
    kCGExternKind = 12,
    kExternKind = 13,
};

// Selects the constructor that leaves every field zero, none or false: the state in which a
// record is rebuilt from its dictionary (no defaults are applied).
struct BlankRecord {};
inline constexpr BlankRecord kBlankRecord{};

class TreeData {
public:
    TreeData();                                  // init (runs initInstance)
    explicit TreeData(BlankRecord);
    explicit TreeData(const PlistDict& dic);     // blank, then initFromDic
    virtual ~TreeData();

    // Resets displayName, fwName and hedderName to none and the kind to the class's own;
    // each subclass then applies its own defaults.
    virtual void initInstance();
    // Reads the stored keys that are present (each class reads its own after its parent's).
    virtual void initFromDic(const PlistDict& dic);
    // Appends the stored keys, in the fixed order, to dic.
    // withNotes false: without the notes ("line", "doc", "availability", "methodNotes",
    // "constantNotes"), which the store keeps in a file of their own.
    virtual void makeDictionary(PlistDict& dic, bool withNotes = true) const;
    // The dictionary makeDictionary(dic, false) makes, written as a value of writer: through the
    // dictionary here; straight, key by key, by a kind that adds nothing to TreeData's keys.
    virtual void writeDictionary(PlistXmlWriter& writer) const;
    // Builds the record of the class named by "kind": none without "kind", with a kind that is
    // not a number, or with a negative kind; any kind above 7 gives a FunctionMacrosData.
    static std::shared_ptr<TreeData> makeDataFromDic(const PlistDict& dic);

    std::int32_t whoAreYou() const { return dataKind; }

    void setName(std::optional<std::string> newName);  // also remakes the display name
    const std::optional<std::string>& getName() const { return name; }
    const std::optional<std::string>& getDisplayName() const { return displayName; }
    // The name cut to fit a tree box: a name narrower than the box's text width (kDisplayWidth
    // points at the classic sizes, more for a taller font: TreeMetrics) is kept; otherwise
    // characters are dropped from its end until it fits with ".." appended.
    void makeDisplayName();
    static constexpr double kDisplayWidth = 137.0;

    void setFwName(std::optional<std::string> value) { fwName = std::move(value); }
    const std::optional<std::string>& frameWorkName() const { return fwName; }
    void setHedderName(std::optional<std::string> value) { hedderName_ = std::move(value); }
    const std::optional<std::string>& hedderName() const { return hedderName_; }
    void setID(std::int32_t value) { idNum = value; }
    std::int32_t getID() const { return idNum; }
    // The line, documentation comment and availability read from the header; empty when not
    // known (a record of a store written before they were kept).
    void setNotes(DeclarationNotes value) { notes = std::move(value); }
    const DeclarationNotes& getNotes() const { return notes; }

protected:
    // TreeData's own keys of makeDictionary, straight to writer (inside a dictionary it began);
    // without "idNum" for the kinds that remove it.
    void writeOwnKeys(PlistXmlWriter& writer, bool withNumber = true) const;
    // A key and its text, where there is a text (as makeDictionary sets only those).
    static void writeText(PlistXmlWriter& writer, std::string_view key, const std::optional<std::string>& text);

    std::optional<std::string> name;
    std::optional<std::string> displayName;
    std::optional<std::string> fwName;
    std::optional<std::string> hedderName_;
    std::int32_t idNum = 0;
    std::int32_t dataKind = 0;
    DeclarationNotes notes;

private:
    void ownDefaults();
};

}  // namespace kestrel
