#pragma once
// Open Quickly ("QuickOpen"): one field over everything the tree holds, above the main window,
// as an IDE's: type the letters of a name in order, the best matches come below as you type
// (QuickOpenSearch over a QuickOpenIndex made once per tree, when first wanted), and
//
//   Up, Down, Page Up, Page Down   move through the results (the keys stay in the field)
//   Return, a double click          go there: the class in the tree, the method in the Class
//                                   tab, the function in the Functions tab, the struct, enum
//                                   or constant in the struct and enum viewer (QuickOpenText)
//   Ctrl+C                          copy the result in the drag style (with no text selected
//                                   in the field)
//   Escape, a click elsewhere       close it
//
// It opens with the last text typed, selected, and its results.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/text/QuickOpenIndex.h"
#include "core/text/QuickOpenSearch.h"

class QDialog;
class QLabel;
class QLineEdit;

namespace Ui {
class QuickOpen;
}

namespace kestrel::gui {

class AppShell;
class QuickOpenView;

class QuickOpenController : public QObject {
    Q_OBJECT
public:
    // Rows asked of the search, the best first.
    static constexpr std::size_t kRows = QuickOpenSearch::kDefaultLimit;

    explicit QuickOpenController(AppShell& owner);
    ~QuickOpenController() override;

    // Shows the window over the window in use (the main window, the tree window, a viewer),
    // its text selected; the index is made first when the tree changed since.
    void open();
    void close();
    bool isOpen() const;
    // The tree was loaded or built again: the index is made anew when next wanted.
    void treeChanged();
    // The results of the field's text now.
    void search();
    // Return: goes to the selected result, closing the window.
    void goToSelected();
    // Ctrl+C: the selected result in the drag style; false when none is selected.
    bool copySelected();

    QDialog* getWindow() const;
    QLineEdit* getQueryView() const;
    QuickOpenView* getResultView() const;
    QLabel* getCountView() const;
    const QuickOpenIndex& index() const { return index_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeWindow();
    void place();
    void buildIndex();

    AppShell& owner_;
    QPointer<QDialog> window_;
    std::unique_ptr<Ui::QuickOpen> ui_;
    QuickOpenIndex index_;
    QuickOpenSearch search_{index_};
    bool stale_ = true;
    QTimer typing_;
};

}  // namespace kestrel::gui
