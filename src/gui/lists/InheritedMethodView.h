#pragma once
// Every method a class responds to, nearest first, each with where it comes from on the right:
//   -(void)setTitle:(NSString*)aString                   NSButton
//   -(void)drawRect:(NSRect)rect                         NSView
// A click announces the method as a choice from the class's menu would; a row is dragged and
// copied as a declaration or a call on the selected class.
#include <vector>

#include "core/text/MethodLists.h"
#include "gui/lists/TextArrayView.h"

namespace kestrel::gui {

class InheritedMethodView : public TextArrayView {
    Q_OBJECT
public:
    explicit InheritedMethodView(QWidget* parent = nullptr);

    void setMethods(std::optional<std::vector<InheritedMethod>> methods);
    const std::vector<InheritedMethod>& methods() const { return methods_; }

    std::optional<std::string> getTextFromArray(int index) const override;
    std::optional<std::string> getSideText(int index) const override;
    void doClickAction(int index) override;
    std::string createDragStrings() const override;

private:
    std::vector<InheritedMethod> methods_;
};

}  // namespace kestrel::gui
