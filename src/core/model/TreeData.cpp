#include "core/model/TreeData.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/HasMethodsData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/StructEnumData.h"
#include "core/model/TreeMetrics.h"
#include "core/platform/TextMeasure.h"

namespace kestrel {

namespace {
std::int32_t clampToInt32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}
}  // namespace

TreeData::TreeData() { ownDefaults(); }
TreeData::TreeData(BlankRecord) {}
TreeData::TreeData(const PlistDict& dic) { TreeData::initFromDic(dic); }
TreeData::~TreeData() = default;

void TreeData::ownDefaults() {
    displayName.reset();
    fwName.reset();
    hedderName_.reset();
    notes = DeclarationNotes{};
    dataKind = kTreeDataKind;
}

void TreeData::initInstance() { ownDefaults(); }

void TreeData::initFromDic(const PlistDict& dic) {
    if (auto kind = dic.integerValue("kind")) dataKind = clampToInt32(*kind);
    if (const std::string* s = dic.getString("name")) {
        name = *s;
        // Functions and macros loaded from a file are never drawn in a box.
        if (dataKind <= kEnumDataKind) makeDisplayName();
    }
    if (const std::string* s = dic.getString("fwName")) fwName = *s;
    if (const std::string* s = dic.getString("headerName")) hedderName_ = *s;
    if (auto id = dic.integerValue("idNum")) idNum = clampToInt32(*id);
    notes = DeclarationNotes::readFrom(dic);
    notes.fwName.reset();  // a record's own "fwName" and "headerName" say where it is
    notes.hedderName.reset();
}

void TreeData::makeDictionary(PlistDict& dic, bool withNotes) const {
    dic.set("kind", PlistValue(dataKind));
    if (name) dic.set("name", PlistValue(*name));
    if (fwName) dic.set("fwName", PlistValue(*fwName));
    if (hedderName_) dic.set("headerName", PlistValue(*hedderName_));
    dic.set("idNum", PlistValue(idNum));
    if (withNotes) notes.writeTo(dic);
}

void TreeData::writeDictionary(PlistXmlWriter& writer) const {
    PlistDict dic;
    makeDictionary(dic, false);
    writer.value(PlistValue(std::move(dic)));
}

// Keep alike with makeDictionary above: the same keys in the same order.
void TreeData::writeOwnKeys(PlistXmlWriter& writer, bool withNumber) const {
    writer.key("kind");
    writer.integer(dataKind);
    writeText(writer, "name", name);
    writeText(writer, "fwName", fwName);
    writeText(writer, "headerName", hedderName_);
    if (!withNumber) return;
    writer.key("idNum");
    writer.integer(idNum);
}

void TreeData::writeText(PlistXmlWriter& writer, std::string_view key, const std::optional<std::string>& text) {
    if (!text) return;
    writer.key(key);
    writer.string(*text);
}

std::shared_ptr<TreeData> TreeData::makeDataFromDic(const PlistDict& dic) {
    std::optional<std::int64_t> kind = dic.integerValue("kind");
    if (!kind || *kind < 0) return nullptr;
    switch (*kind) {
        case kTreeDataKind: return std::make_shared<TreeData>(dic);
        case kHasMethodsDataKind: return std::make_shared<HasMethodsData>(dic);
        case kClassDataKind: return std::make_shared<ClassData>(dic);
        case kCategoryDataKind: return std::make_shared<CategoryData>(dic);
        case kProtocolDataKind: return std::make_shared<ProtocolData>(dic);
        case kStructEnumDataKind: return std::make_shared<StructEnumData>(dic);
        case kStructDataKind: return std::make_shared<StructData>(dic);
        case kEnumDataKind: return std::make_shared<EnumData>(dic);
        default: return std::make_shared<FunctionMacrosData>(dic);
    }
}

void TreeData::setName(std::optional<std::string> newName) {
    name = std::move(newName);
    makeDisplayName();
}

// The name is cut character by character from its end until the rest plus ".." fits. The cut
// point is found by halving rather than by one measurement per dropped character (function
// declarations are long, and the window program measures with a real font); the two agree
// because appending a character never makes a text narrower.
void TreeData::makeDisplayName() {
    if (!name) {
        displayName.reset();
        return;
    }
    const std::string& text = *name;
    const double limit = TreeMetrics::current().displayWidth();
    if (TextMeasure::width(text) < limit) {
        displayName = text;
        return;
    }
    // ends[k]: byte length of the first k characters. An ASCII text measured by default (a build
    // files some 15,000 long function declarations) needs neither the table nor the text
    // measured again: its first k characters are k bytes, k default advances wide.
    const bool plain = TextMeasure::measuresByDefault() &&
                       std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::vector<std::size_t> ends;
    if (!plain) {
        ends.push_back(0);
        for (std::size_t i = 0; i < text.size();) ends.push_back(i += TextMeasure::characterSizeAt(text, i));
    }
    auto end = [&](std::size_t k) { return plain ? k : ends[k]; };
    const double dotsWidth = TextMeasure::width("..");
    auto fits = [&](std::size_t k) {
        const double width = plain ? static_cast<double>(k) * TextMeasure::kDefaultAdvance
                                   : TextMeasure::width(std::string_view(text).substr(0, end(k)));
        return width + dotsWidth <= limit;
    };
    // The largest k that fits; 0 characters when none does.
    std::size_t low = 0, high = plain ? text.size() : ends.size() - 1;  // fits(low) is assumed, fits(high) is false
    if (fits(high)) low = high;
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    displayName = text.substr(0, end(low)) + "..";
}

}  // namespace kestrel
