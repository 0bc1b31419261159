#include "gui/panels/HedderHighlighter.h"

#include <QFont>
#include <vector>

#include "core/text/HedderSyntax.h"

namespace kestrel::gui {

namespace {

using Kind = HedderSyntax::Kind;

struct Colours {
    QColor keyword, preprocessor, string, character, number;
};

// Xcode's hues: its light theme's, and brighter ones for a dark background.
const Colours kLight{QColor(0x9b, 0x23, 0x93), QColor(0x64, 0x38, 0x20), QColor(0xc4, 0x1a, 0x16),
                     QColor(0x1c, 0x00, 0xcf), QColor(0x1c, 0x00, 0xcf)};
const Colours kDark{QColor(0xfc, 0x5f, 0xa3), QColor(0xfd, 0x8f, 0x3f), QColor(0xfc, 0x6a, 0x5d),
                    QColor(0xd0, 0xbf, 0x69), QColor(0xd0, 0xbf, 0x69)};

}  // namespace

HedderHighlighter::HedderHighlighter(QTextDocument* document, const QPalette& palette) : QSyntaxHighlighter(document) {
    setPalette(palette);
}

bool HedderHighlighter::isDark(const QPalette& palette) {
    return palette.color(QPalette::Base).lightnessF() < palette.color(QPalette::Text).lightnessF();
}

void HedderHighlighter::setPalette(const QPalette& palette) {
    const Colours& c = isDark(palette) ? kDark : kLight;
    auto format = [](const QColor& colour, bool bold = false, bool italic = false) {
        QTextCharFormat f;
        f.setForeground(colour);
        if (bold) f.setFontWeight(QFont::DemiBold);
        f.setFontItalic(italic);
        return f;
    };
    formats_[static_cast<std::size_t>(Kind::Keyword)] = format(c.keyword, true);
    formats_[static_cast<std::size_t>(Kind::Directive)] = format(c.keyword, true);
    formats_[static_cast<std::size_t>(Kind::Preprocessor)] = format(c.preprocessor);
    formats_[static_cast<std::size_t>(Kind::Comment)] = format(palette.color(QPalette::PlaceholderText), false, true);
    formats_[static_cast<std::size_t>(Kind::String)] = format(c.string);
    formats_[static_cast<std::size_t>(Kind::Character)] = format(c.character);
    formats_[static_cast<std::size_t>(Kind::Number)] = format(c.number);
    rehighlight();
}

void HedderHighlighter::highlightBlock(const QString& text) {
    std::vector<HedderSyntax::Span> spans;
    const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    const int state = HedderSyntax::spans(line, previousBlockState(), spans);
    for (const HedderSyntax::Span& span : spans)
        setFormat(static_cast<int>(span.start), static_cast<int>(span.length), formats_[static_cast<std::size_t>(span.kind)]);
    setCurrentBlockState(state);
}

}  // namespace kestrel::gui
