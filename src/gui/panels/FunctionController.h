#pragma once
// The function browser: the exported functions, macros and constants, narrowed by kind, by a
// function/non-function switch, by framework and by header; the selected one's declaration,
// argument information, comment and Quick Help below. Each pop-up or switch acts only when its choice
// changes.
#include <memory>
#include <vector>

#include "gui/lists/ClassListView.h"
#include "gui/panels/ViewController.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kestrel {
class FunctionMacrosData;
}

namespace kestrel::gui {

class QuickHelpView;

class FunctionController : public ViewController, public ClassListViewDelegate {
    Q_OBJECT
public:
    FunctionController(AppShell& owner, QWidget* page);

    void TreeFileWasChanged() override;
    void commentDicWasChanged();
    void targetMenuSelected(int index);
    void functionFilterSelected(int tag);
    void frameworkMenuSelected(int index);
    void headerMenuSelected(int index);
    // Shows a record's declaration, argument information and comment; announces it
    // (FunctionWasSelectedMessage, with its declaration text).
    void classSelected(const std::shared_ptr<TreeData>& record) override;
    // Selects record in the list and scrolls it into view, the list taking the keys; where the
    // filters hide it, they are set to show everything first. False when the tree has no such record.
    bool showFunction(const std::shared_ptr<FunctionMacrosData>& record);

    QComboBox* getTargetListMenu() const { return TargetListMenu; }
    QComboBox* getFrameWorkListMenu() const { return FrameWorkListMenu; }
    QComboBox* getHeaderListMenu() const { return HeaderListMenu; }
    QButtonGroup* getFunctionFilterButton() const { return functionFilterButton; }
    ClassListView* getMainView() const { return mainView; }
    QLineEdit* getSelectLineView() const { return selectLineView; }
    QPlainTextEdit* getInfoView() const { return infoView; }
    QPlainTextEdit* getCommentView() const { return commentView; }
    QLabel* getCountView() const { return countView; }
    QLabel* getFilterdCountView() const { return filterdCountView; }
    QuickHelpView* getQuickHelpView() const { return quickHelpView; }

private:
    using List = std::vector<std::shared_ptr<FunctionMacrosData>>;
    List createFuncList() const;
    List doFrameworkFilter(const List& list);
    static void fillMenu(QComboBox* menu, const std::vector<std::string>& titles);
    // The list, deprecated lines struck through or, while Hide Deprecated is on, left out.
    void showList(const List& list);
    void showQuickHelp(const std::shared_ptr<TreeData>& record);

    QComboBox* TargetListMenu = nullptr;
    QComboBox* FrameWorkListMenu = nullptr;
    QComboBox* HeaderListMenu = nullptr;
    QLabel* countView = nullptr;
    QLabel* filterdCountView = nullptr;
    ClassListView* mainView = nullptr;
    QPlainTextEdit* commentView = nullptr;
    QButtonGroup* functionFilterButton = nullptr;
    QLineEdit* selectLineView = nullptr;
    QPlainTextEdit* infoView = nullptr;
    QuickHelpView* quickHelpView = nullptr;
    int laseSelectedTargetMenuIndex = 0;
    int laseSelectedFrameworkMenuIndex = 0;
    int laseSelectedHeaderMenuIndex = 0;
    int filterSelectIndex = 0;
    List funcList;
};

}  // namespace kestrel::gui
