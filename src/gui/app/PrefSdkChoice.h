#pragma once
// The preferences dialog's choice of SDK: a field holding the SDK folder (empty: the platform's
// own headers), "Choose..." to pick the folder, "Default" to empty the field, and below them
// what the choice reads ("macOS 14.2") or why it cannot be taken (SdkChoice). The dialog asks
// it on OK.
#include <QObject>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrel::gui {

class PrefSdkChoice : public QObject {
    Q_OBJECT
public:
    // current: the SDK chosen so far; defaultRoot: the frameworks root read without a choice.
    PrefSdkChoice(QLineEdit* field, QPushButton* choose, QPushButton* reset, QLabel* note, const std::string& current,
                  std::string defaultRoot, QObject* parent = nullptr);

    // The SDK folder to store ("" for the default); meaningful when acceptable().
    std::string chosen() const;
    bool acceptable() const;
    // Shows why the choice cannot be taken and puts the focus on the field.
    void showProblem();

private:
    void update();
    void choose();

    QLineEdit* field;
    QLabel* note;
    std::string defaultRoot;
};

}  // namespace kestrel::gui
