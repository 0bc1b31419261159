#pragma once
// The preferences record: one per process (ProcessState::prefData()), read directly by the
// drawing, menu and text code, edited by the preferences dialog, stored by PrefFile.
//
// Stored form (prefToDic / dicToPref), in this order:
//   "menuWidthHasLimit" bool, "numLimitCharactors" integer, "useCommentInMenu" bool,
//   "addLF" bool, "dragStyleMode" integer, "editorCommand" string, "hideDeprecated" bool,
//   "addMenuSeparetor" bool, "fontName" string, "pointSize" real,
//   "cWindowAlphaValue" real, "cWindowDisplayDelay" real, then "sdkPath" string when an SDK is
//   chosen (a file without it, as older ones are, means the platform's own headers and is not
//   rewritten on that account)
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/PlistValue.h"

namespace kestrel {

// A font as the core knows it. An empty name stands for the platform's system font; a size of
// 0 asks the platform for its default size. The window program turns it into a real font and
// keeps a usable one when no font of that name exists.
struct PrefFont {
    std::string name;
    double pointSize = 0.0;
    bool operator==(const PrefFont&) const = default;
};

// A colour of a text attribute set: either a platform colour (the selected-text colours of the
// window system) or a fixed one.
struct PrefColor {
    enum class Role { Fixed, SelectedText, SelectedTextBackground };
    Role role = Role::Fixed;
    float red = 0, green = 0, blue = 0, alpha = 1;
    bool operator==(const PrefColor&) const = default;
};

struct TextAttributes {
    PrefFont font;
    std::optional<PrefColor> foreground;
    std::optional<PrefColor> background;
    bool operator==(const TextAttributes&) const = default;
};

class PrefData {
public:
    // No font's name is longer (family and style names run to some tens of characters); a
    // longer "fontName" is refused as unreadable, before the window looks for such a font.
    static constexpr std::size_t kLongestFontName = 256;

    PrefData();  // with the defaults (initPref)

    // Every field to its default, the attribute sets built on the default font; prefChanged
    // and treeChanged cleared.
    void initPref();
    // Applies a preferences file. A missing key keeps the field's default and sets prefChanged
    // ("pointSize" excepted: missing means the default size). A key whose value cannot be read
    // as its type keeps the default too; the answer is then false, and the caller decides what
    // becomes of the file.
    bool dicToPref(const PlistDict& dic);
    PlistDict prefToDic() const;

    // Replaces the font (as read from the file) and rebuilds the three attribute sets with it.
    void setFont(PrefFont newFont);
    const PrefFont& getFont() const { return font; }
    const TextAttributes& getTextAttributes() const { return textAttributes; }
    const TextAttributes& getSelectedTextAttributes() const { return selectedTextAttributes; }
    const TextAttributes& getInactiveSelectedTextAttributes() const {
        return inactiveSelectedTextAttributes;
    }

    bool prefChanged = false;  // the preferences file is written at exit
    bool treeChanged = false;  // the tree files are written at exit
    bool menuWidthHasLimit = true;
    std::int32_t numLimitCharactors = 55;
    bool useCommentInMenu = false;
    bool addLF = true;
    // "dragStyleMode" integer: the main window's "Drag and copy as" choice (0 declaration,
    // 1 call, 2 snippet). "editorCommand" string: the program that "Open in Editor" runs, with
    // %f for the file and %l for the line; empty: the desktop's program for the file. Files
    // without them (older ones) mean 0 and "", and are not rewritten on that account.
    std::int32_t dragStyleMode = 0;
    std::string editorCommand;
    static constexpr std::size_t kLongestEditorCommand = 4096;
    // "hideDeprecated" bool: View > Hide Deprecated, deprecated methods and functions left out
    // of the lists and menus. A file without it (an older one) shows them, and is not rewritten
    // on that account.
    bool hideDeprecated = false;
    bool addMenuSeparetor = false;
    float cWindowAlphaValue = 1.0f;
    float cWindowDisplayDelay = 0.0f;  // seconds
    std::string sdkPath;               // the SDK folder chosen; empty: the platform's own headers

private:
    // fontFromFile: the inactive selection also takes the selected-text colour as foreground.
    void makeAttributes(bool fontFromFile);

    PrefFont font;
    TextAttributes textAttributes;
    TextAttributes selectedTextAttributes;
    TextAttributes inactiveSelectedTextAttributes;
};

}  // namespace kestrel
