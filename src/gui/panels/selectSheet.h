#pragma once
// The question of a comment merge when an imported comment meets one already stored
// ("selectSheet"): both comments side by side and two buttons. The button tagged 0 takes the
// imported comment (runDialog answers 1); the other, the close box and Escape keep the stored
// one (0).
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include <QDialog>

class QWidget;

namespace Ui {
class selectSheet;
}

namespace kestrel::gui {

class selectSheet : public QObject {
    Q_OBJECT
public:
    // key: the item both comments belong to; targetWin: the merge dialog's window.
    selectSheet(const std::string& key, const std::string& current, const std::string& imported, QWidget* targetWin);
    ~selectSheet() override;

    // Runs the question application-modally; 1 takes the imported comment, 0 keeps the stored one.
    int runDialog();
    // Ends a running question: tag 0 answers 1, any other tag 0.
    void doDicaloButton(int tag);
    void closeDialog();

    QDialog* getWindow() const { return window; }

private:
    QPointer<QDialog> window;
    std::unique_ptr<Ui::selectSheet> ui_;
};

}  // namespace kestrel::gui
