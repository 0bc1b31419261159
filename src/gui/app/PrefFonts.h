#pragma once
// The preferences' font as a QFont, and display names measured with it.
//
// An empty name stands for the system font, a size of 0 for its size; a name that no installed
// font family has gives the system font at the size asked for, so there is always a usable font.
#include <QFont>

#include "core/platform/PrefData.h"

namespace kestrel::gui {

class PrefFonts {
public:
    static QFont font(const PrefFont& pref);
    // The font of the preferences record now (the system font before the preferences are read).
    static QFont currentFont();
    // Display names are measured with the current font from now on (until uninstall).
    static void installMeasure();
    static void uninstallMeasure();
};

}  // namespace kestrel::gui
