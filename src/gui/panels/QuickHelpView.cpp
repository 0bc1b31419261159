#include "gui/panels/QuickHelpView.h"

#include <QFontMetrics>

#include "core/text/QuickHelpHtml.h"
#include "gui/app/QtText.h"

namespace kestrel::gui {

namespace {

// The palette's dim text, and a red that reads on its base (a light one on a dark base).
QuickHelpHtml::Style styleFor(const QPalette& palette) {
    QuickHelpHtml::Style style;
    // Half way from the text to the background (the palette's placeholder colour is the text's
    // with an alpha, which HTML colours do not carry).
    const QColor text = palette.color(QPalette::Text), base = palette.color(QPalette::Base);
    style.dim = QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2, (text.blue() + base.blue()) / 2)
                    .name()
                    .toStdString();
    style.warning = palette.color(QPalette::Base).lightness() < 128 ? "#ff7b72" : "#b3261e";
    return style;
}

}  // namespace

QuickHelpView::QuickHelpView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    document()->setDocumentMargin(4);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.toString().toStdString() == QuickHelpHtml::placeLink) openPlace();
    });
}

void QuickHelpView::showContent(QuickHelpText::Content content) {
    content_ = std::move(content);
    setHtml(qText(QuickHelpHtml::render(content_, styleFor(palette()))));
}

void QuickHelpView::showPlaceholder(const QString& text) {
    content_ = {};
    setHtml(qText(QuickHelpHtml::placeholder(text.toStdString(), styleFor(palette()))));
}

void QuickHelpView::openPlace() {
    if (content_.hasSubject() && content_.hasPlace()) emit placeRequested(content_);
}

QSize QuickHelpView::sizeHint() const {
    // Room for a few lines: a summary, the availability and the place.
    const QSize base = QTextBrowser::sizeHint();
    return {base.width(), fontMetrics().lineSpacing() * 6 + 2 * frameWidth()};
}

}  // namespace kestrel::gui
