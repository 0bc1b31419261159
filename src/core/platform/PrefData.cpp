#include "core/platform/PrefData.h"

#include <cmath>
#include <limits>

namespace kestrel {

namespace {

// How one key of the file fared.
enum class Read { Missing, Bad, Ok };

Read readBool(const PlistDict& dic, const char* key, bool& field) {
    if (!dic.contains(key)) return Read::Missing;
    std::optional<bool> value = dic.boolValue(key);
    if (!value) return Read::Bad;
    field = *value;
    return Read::Ok;
}

Read readInt32(const PlistDict& dic, const char* key, std::int32_t& field) {
    if (!dic.contains(key)) return Read::Missing;
    std::optional<std::int64_t> value = dic.integerValue(key);
    if (!value) return Read::Bad;
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    field = static_cast<std::int32_t>(*value < lo ? lo : *value > hi ? hi : *value);
    return Read::Ok;
}

std::optional<double> finiteReal(const PlistDict& dic, const char* key) {
    std::optional<double> value = dic.realValue(key);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

Read readFloat(const PlistDict& dic, const char* key, float& field) {
    if (!dic.contains(key)) return Read::Missing;
    std::optional<double> value = finiteReal(dic, key);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return Read::Bad;
    field = static_cast<float>(*value);
    return Read::Ok;
}

// The three styles there are; another number (a later version's) is left to that version.
Read readDragStyle(const PlistDict& dic, std::int32_t& field) {
    if (!dic.contains("dragStyleMode")) return Read::Missing;
    std::optional<std::int64_t> value = dic.integerValue("dragStyleMode");
    if (!value || *value < 0 || *value > 2) return Read::Bad;
    field = static_cast<std::int32_t>(*value);
    return Read::Ok;
}

Read readEditorCommand(const PlistDict& dic, std::string& field) {
    if (!dic.contains("editorCommand")) return Read::Missing;
    const std::string* value = dic.getString("editorCommand");
    if (!value || value->size() > PrefData::kLongestEditorCommand) return Read::Bad;
    field = *value;
    return Read::Ok;
}

}  // namespace

PrefData::PrefData() { initPref(); }

void PrefData::initPref() {
    prefChanged = false;
    treeChanged = false;
    font = PrefFont{};
    menuWidthHasLimit = true;
    numLimitCharactors = 55;
    useCommentInMenu = false;
    addLF = true;
    dragStyleMode = 0;
    editorCommand.clear();
    hideDeprecated = false;
    addMenuSeparetor = false;
    cWindowAlphaValue = 1.0f;
    cWindowDisplayDelay = 0.0f;
    sdkPath.clear();
    makeAttributes(false);
}

bool PrefData::dicToPref(const PlistDict& dic) {
    bool allReadable = true;
    auto note = [&](Read result) {
        if (result == Read::Missing) prefChanged = true;
        if (result == Read::Bad) allReadable = false;
    };
    note(readBool(dic, "menuWidthHasLimit", menuWidthHasLimit));
    note(readInt32(dic, "numLimitCharactors", numLimitCharactors));
    note(readBool(dic, "useCommentInMenu", useCommentInMenu));
    note(readBool(dic, "addLF", addLF));
    if (readDragStyle(dic, dragStyleMode) == Read::Bad) allReadable = false;
    if (readEditorCommand(dic, editorCommand) == Read::Bad) allReadable = false;
    if (readBool(dic, "hideDeprecated", hideDeprecated) == Read::Bad) allReadable = false;
    note(readBool(dic, "addMenuSeparetor", addMenuSeparetor));
    note(readFloat(dic, "cWindowAlphaValue", cWindowAlphaValue));
    note(readFloat(dic, "cWindowDisplayDelay", cWindowDisplayDelay));

    if (dic.contains("sdkPath")) {
        if (const std::string* path = dic.getString("sdkPath")) sdkPath = *path;
        else allReadable = false;
    }

    // The size is cut to whole points: 12.7 -> 12. Missing or unusable: 0, the default size.
    double size = 0.0;
    if (dic.contains("pointSize")) {
        std::optional<double> value = finiteReal(dic, "pointSize");
        if (value && *value > 0) {
            size = std::trunc(*value);
        } else if (!value) {
            allReadable = false;
        }
    }
    if (!dic.contains("fontName")) {
        prefChanged = true;
    } else if (const std::string* fontName = dic.getString("fontName"); fontName && fontName->size() <= kLongestFontName) {
        setFont(PrefFont{*fontName, size});
    } else {
        allReadable = false;
    }
    return allReadable;
}

PlistDict PrefData::prefToDic() const {
    PlistDict dic;
    dic.set("menuWidthHasLimit", PlistValue(menuWidthHasLimit));
    dic.set("numLimitCharactors", PlistValue(static_cast<std::int64_t>(numLimitCharactors)));
    dic.set("useCommentInMenu", PlistValue(useCommentInMenu));
    dic.set("addLF", PlistValue(addLF));
    dic.set("dragStyleMode", PlistValue(static_cast<std::int64_t>(dragStyleMode)));
    dic.set("editorCommand", PlistValue(editorCommand));
    dic.set("hideDeprecated", PlistValue(hideDeprecated));
    dic.set("addMenuSeparetor", PlistValue(addMenuSeparetor));
    dic.set("fontName", PlistValue(font.name));
    dic.set("pointSize", PlistValue(font.pointSize));
    dic.set("cWindowAlphaValue", PlistValue(static_cast<double>(cWindowAlphaValue)));
    dic.set("cWindowDisplayDelay", PlistValue(static_cast<double>(cWindowDisplayDelay)));
    if (!sdkPath.empty()) dic.set("sdkPath", PlistValue(sdkPath));
    return dic;
}

void PrefData::setFont(PrefFont newFont) {
    font = std::move(newFont);
    makeAttributes(true);
}

void PrefData::makeAttributes(bool fontFromFile) {
    const PrefColor selectedText{PrefColor::Role::SelectedText};
    const PrefColor selectedBackground{PrefColor::Role::SelectedTextBackground};
    const PrefColor translucentWhite{PrefColor::Role::Fixed, 1.0f, 1.0f, 1.0f, 0.85f};
    textAttributes = TextAttributes{font, std::nullopt, std::nullopt};
    selectedTextAttributes = TextAttributes{font, selectedText, selectedBackground};
    inactiveSelectedTextAttributes = TextAttributes{
        font, fontFromFile ? std::optional<PrefColor>(selectedText) : std::nullopt, translucentWhite};
}

}  // namespace kestrel
