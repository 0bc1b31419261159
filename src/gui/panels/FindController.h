#pragma once
// The find panel: classes by name, methods or functions by their declaration, with keywords
// that must all occur (any case); methods at first. Results come as the user types, best first;
// confirming the text (Return or the Find button) also keeps it in the history, newest first,
// ten at most. Down in the field goes into the results, selecting the first (Up from the
// first comes back); Escape empties the field and the results. The selected result's Quick Help
// shows under the results; deprecated results are struck through, or left out while Hide
// Deprecated is on.
//
//   count line  "%3d %@": "  1 class found", "  2 classes found", " 12 methods found",
//               "  3 Functions/Macros found"; empty without hits
#include <QTimer>
#include <optional>
#include <string>

#include "core/model/TreeSearch.h"
#include "core/text/FindHistory.h"
#include "gui/lists/TextArrayView.h"
#include "gui/panels/ViewController.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kestrel::gui {

class ClassController;
class FindResultView;
class QuickHelpView;

class FindController : public ViewController, public TextArrayViewDelegate {
    Q_OBJECT
public:
    // The search runs once the keys already typed are in the field (and painted): keys typed
    // faster than a search takes are searched for together, and none waits for a search.
    static constexpr int kTypingPause = 0;

    // classPanel shows the method results that are double-clicked (or entered).
    FindController(AppShell& owner, QWidget* page, ClassController* classPanel);

    // The target pop-up's choice: 0 classes, 1 methods, 2 functions.
    void doTargetKindSelect(int mode);
    // The text confirmed: into the history (when typed, not picked), then the search.
    void doFindClass();
    // The search over the current text without touching the history.
    void search();
    // The keyword field takes the keys, its text selected (to be typed over).
    void focusKeywordView();
    void TreeFileWasChanged() override;

    int getFindMode() const { return findMode; }
    QComboBox* getKeywordView() const { return keywordView; }
    QComboBox* getTargetView() const { return targetView; }
    QLabel* getResultCountView() const { return resultCountView; }
    FindResultView* getResultView() const { return resultView; }
    QLineEdit* getClassNameView() const { return classNameView; }
    const FindHistory& history() const { return history_; }
    QuickHelpView* getQuickHelpView() const { return quickHelpView; }

    // The selected result's Quick Help.
    void lineSelected(int index) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMethod(const TreeSearch::Result& row, ClassController* classPanel);
    // Down in the keyword field: into the results, the first one selected.
    void enterResults();
    // Escape in the keyword field: no text, no results.
    void clearSearch();
    void showQuickHelp(int index);

    QComboBox* targetView = nullptr;
    QComboBox* keywordView = nullptr;
    QPushButton* findButton = nullptr;
    QLabel* resultCountView = nullptr;
    FindResultView* resultView = nullptr;
    QuickHelpView* quickHelpView = nullptr;
    QLineEdit* classNameView = nullptr;
    int findMode = TreeSearch::kFindMethods;
    QString hint_;
    FindHistory history_;
    bool picked_ = false;  // the text was picked from the history and not edited since
    QTimer typing_;
    std::optional<std::string> lastSearch_;
};

}  // namespace kestrel::gui
