#pragma once
// A list of class or function records, shown by name or by the first line of their comment
// (when the preferences show comments); a click hands the record to the controller. A function
// is dragged and copied as its declaration or as a call, in the main window's drag style.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/lists/TextArrayView.h"

namespace kestrel {
class TreeData;
}

namespace kestrel::gui {

class ClassListViewDelegate {
public:
    virtual ~ClassListViewDelegate() = default;
    virtual void classSelected(const std::shared_ptr<TreeData>& record) = 0;
};

class ClassListView : public TextArrayView {
    Q_OBJECT
public:
    using Records = std::vector<std::shared_ptr<TreeData>>;
    using CommentDic = std::map<std::string, std::string>;

    explicit ClassListView(QWidget* parent = nullptr);

    void setRecords(std::optional<Records> records);
    const Records& records() const { return records_; }
    std::shared_ptr<TreeData> selectedRecord() const;
    void setController(ClassListViewDelegate* controller) { controller_ = controller; }
    void setCommentDic(std::shared_ptr<const CommentDic> dic);

    std::optional<std::string> getTextFromArray(int index) const override;
    // The header a record comes from, at the right.
    std::optional<std::string> getSideText(int index) const override;
    void doClickAction(int index) override;
    std::string createDragStrings() const override;

private:
    Records records_;
    ClassListViewDelegate* controller_ = nullptr;
    std::shared_ptr<const CommentDic> dic;
};

}  // namespace kestrel::gui
