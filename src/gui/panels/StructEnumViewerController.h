#pragma once
// The struct and enum viewer ("StructEnumViewer"): every struct or every enum of the tree by
// name, the clicked one's definition beside. One at most is open; OK or the close box ends it
// (and enables its command again). A rebuild shows the new tree's records.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

namespace Ui {
class StructEnumViewer;
}

class QLabel;

namespace kestrel {
class StructEnumData;
}

namespace kestrel::gui {

class AppShell;
class StructEnumView;
class TextArrayView;

class StructEnumViewerController : public QObject {
    Q_OBJECT
public:
    explicit StructEnumViewerController(AppShell& owner);
    ~StructEnumViewerController() override;

    // Loads and shows the window in struct mode.
    void begin();
    // 0 structs, 1 enums; another tag changes the mode and leaves the list as it was.
    void changeMode(int tag);
    void doOkButton();
    // Shows record (a struct or an enum) selected and scrolled into view, the mode switched to
    // its kind; with constant, that constant of the enum selected in its definition.
    void showRecord(const std::shared_ptr<StructEnumData>& record, std::optional<std::size_t> constant = std::nullopt);
    int getMode() const { return mode; }
    QWidget* getWindow() const { return window; }
    StructEnumView* getListView() const;
    TextArrayView* getIndexView() const;
    QLabel* getCountView() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showList();

    AppShell& action;
    QPointer<QWidget> window;
    std::unique_ptr<Ui::StructEnumViewer> ui_;
    int mode = 0;
    bool ending_ = false;
};

}  // namespace kestrel::gui
