#pragma once
// The preferences' font as a QFont, and display names and tree boxes measured with it.
//
// An empty name stands for the system font, a size of 0 for its size; a name that no installed
// font family has gives the system font at the size asked for, so there is always a usable font.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <optional>

#include "core/platform/PrefData.h"

namespace kestrel::gui {

// A text attribute set of the preferences as the window system draws it.
struct RowStyle {
    QFont font;
    std::optional<QColor> foreground;  // none: the text colour of the list
    std::optional<QColor> background;  // none: the list's own background
};

class PrefFonts {
public:
    static QFont font(const PrefFont& pref);
    // The font of the preferences record now (the system font before the preferences are read).
    static QFont currentFont();
    // Display names and the tree's boxes are measured with the current font from now on (until
    // uninstall).
    static void installMeasure();
    static void uninstallMeasure();
    // The attribute sets: platform colours taken from palette.
    static RowStyle style(const TextAttributes& attributes, const QPalette& palette);
    enum class Row { Plain, Selected, InactiveSelected };
    // The current set of the preferences for a row of that kind. A selected row without the
    // focus takes the palette's inactive highlight and its own highlighted-text colour, so that
    // it reads on every style's palette (the preferences' translucent white over a pale
    // highlight, with white text, did not).
    static RowStyle currentStyle(Row row, const QPalette& palette);
};

}  // namespace kestrel::gui
