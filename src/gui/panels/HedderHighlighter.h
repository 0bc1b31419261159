#pragma once
// Objective-C colours for the header viewer: what HedderSyntax finds in each line, in colours
// taken from the palette's lightness so that light and dark themes both read (the dark set is
// the brighter one), comments in the palette's placeholder colour.
#include <QPalette>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

class QTextDocument;

namespace kestrel::gui {

class HedderHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    HedderHighlighter(QTextDocument* document, const QPalette& palette);
    // New colours for a changed palette (the document is coloured again).
    void setPalette(const QPalette& palette);
    // The format of a kind of text (HedderSyntax::Kind as a number), for tests.
    const QTextCharFormat& formatOf(int kind) const { return formats_[static_cast<std::size_t>(kind)]; }
    static bool isDark(const QPalette& palette);

protected:
    void highlightBlock(const QString& text) override;

private:
    std::array<QTextCharFormat, 7> formats_;
};

}  // namespace kestrel::gui
