#pragma once
// Quick Help: what the headers say of the declaration shown (QuickHelpText's content as
// QuickHelpHtml writes it), read-only and selectable, in the window's font. Its link, "Declared
// in NSView.h, line 120", asks for the header viewer at that line (placeRequested); where
// nothing is shown it says, dimmed, what would be.
#include <QTextBrowser>

#include "core/text/QuickHelpText.h"

namespace kestrel::gui {

class QuickHelpView : public QTextBrowser {
    Q_OBJECT
public:
    explicit QuickHelpView(QWidget* parent = nullptr);

    void showContent(QuickHelpText::Content content);
    // Nothing to show: the text, dimmed.
    void showPlaceholder(const QString& text);
    const QuickHelpText::Content& content() const { return content_; }
    // The link, as a click on it does.
    void openPlace();

    QSize sizeHint() const override;

signals:
    void placeRequested(const kestrel::QuickHelpText::Content& content);

private:
    QuickHelpText::Content content_;
};

}  // namespace kestrel::gui
