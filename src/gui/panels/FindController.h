#pragma once
// The find panel: classes by name, methods or functions by their declaration, with keywords
// that must all occur (any case). Results come as the user types; confirming the text (Return
// or the Find button) also keeps it in the history, newest first, ten at most.
//
//   count line  "%3d %@": "  1 class found", "  2 clases found", " 12 methods found",
//               "  3 Functions/Macros found"; empty without hits
#include <QTimer>
#include <optional>
#include <string>

#include "core/text/FindHistory.h"
#include "gui/panels/ViewController.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kestrel::gui {

class FindResultView;
class MethodView;

class FindController : public ViewController {
    Q_OBJECT
public:
    // The search runs once the keys already typed are in the field (and painted): keys typed
    // faster than a search takes are searched for together, and none waits for a search.
    static constexpr int kTypingPause = 0;

    FindController(AppShell& owner, QWidget* page, MethodView* classPanelMethodView);

    // The target pop-up's choice: 0 classes, 1 methods, 2 functions.
    void doTargetKindSelect(int mode);
    // The text confirmed: into the history (when typed, not picked), then the search.
    void doFindClass();
    // The search over the current text without touching the history.
    void search();
    void TreeFileWasChanged() override;

    int getFindMode() const { return findMode; }
    QComboBox* getKeywordView() const { return keywordView; }
    QComboBox* getTargetView() const { return targetView; }
    QLabel* getResultCountView() const { return resultCountView; }
    FindResultView* getResultView() const { return resultView; }
    QLineEdit* getClassNameView() const { return classNameView; }
    const FindHistory& history() const { return history_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* targetView = nullptr;
    QComboBox* keywordView = nullptr;
    QPushButton* findButton = nullptr;
    QLabel* resultCountView = nullptr;
    FindResultView* resultView = nullptr;
    QLineEdit* classNameView = nullptr;
    int findMode = 0;
    FindHistory history_;
    bool picked_ = false;  // the text was picked from the history and not edited since
    QTimer typing_;
    std::optional<std::string> lastSearch_;
};

}  // namespace kestrel::gui
