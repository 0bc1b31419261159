#pragma once
// One method declaration, a selector part a row (later rows indented by 20 points), which the
// user highlights with a click, copies and drags away as a declaration or a call in the drag
// style of the main window:
//   -(void)setFoo:(id)foo          copied, declaration style: "-(void)setFoo:(id)foo bar:(int)x;\n"
//       bar:(int)x                 call style: "[NSView*_VALUE setFoo:(id)foo bar:(int)x];\n"
// (the line feed while the preferences' addLF is on). Without a method it says, dimmed, where
// one comes from.
// A click or a moving key (Up, Down, Home, ...) highlights it.
#include <optional>
#include <string>

#include "gui/lists/TextArrayView.h"

class QPlainTextEdit;

namespace kestrel::gui {

class MethodView : public TextArrayView {
    Q_OBJECT
public:
    static constexpr int kIndent = 20;

    explicit MethodView(QWidget* parent = nullptr);

    // Shows a declaration; the same text again only clears the highlight.
    void setMethod(const std::string& method);
    const std::optional<std::string>& getMethod() const { return method; }
    // What the view says before any method.
    static QString noMethodText();
    bool isHighlighted() const { return selectedFlag; }
    // The argument information view, emptied whenever another method is shown.
    void setArgumentView(QPlainTextEdit* view) { sructEnumView = view; }

    std::string createDragStrings() const override;
    // Copy works while the method is highlighted.
    bool canCopy() const override { return selectedFlag && method.has_value(); }

protected:
    double rowWidth(int index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* sructEnumView = nullptr;
    std::optional<std::string> method;
    bool selectedFlag = false;
    std::vector<std::string> rows_;

public:
    std::optional<std::string> getTextFromArray(int index) const override;
};

}  // namespace kestrel::gui
