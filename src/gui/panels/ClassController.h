#pragma once
// The class information panel, the main window's first tab: the selected class's framework,
// header and superclasses, the button that opens its documentation URL, and the method chosen
// from its menu -- in the method view, with its argument information and its comment. A switch
// shows every method the class responds to, inherited ones included.
//
//   ClassObjSelectedMessage      the class's names; URL button as stored; for another class than
//                                the one shown, the method view and the comment emptied (the
//                                method would take the new class as receiver)
//   ClassDidUnselectedMessage    everything emptied
//   ClassMethodWasSelectedMessage  the method, its argument information, its comment, its Quick
//                                Help (the class's documentation where it has none); this tab
//   DeprecatedVisibilityChangedMessage  the inherited methods again, with or without deprecated ones
//   TreeFileWasChangedMessage    the class count
//   CommentDicWasChangedNotification  the comment of the method shown, read again
//   URLDicWasChangedNotification      the URL button, from the URL file again
#include <QWidget>
#include <memory>
#include <string>

#include "gui/panels/ViewController.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kestrel {
class ClassData;
}

namespace kestrel::gui {

class InheritedMethodView;
class MethodView;
class QuickHelpView;

class ClassController : public ViewController {
    Q_OBJECT
public:
    // Builds the panel into page; classNameView is the main window's class-name field.
    ClassController(AppShell& owner, QWidget* page, QLineEdit* classNameView);

    void TreeFileWasChanged() override;
    void resetInfoView();
    void classObjSelected(const std::shared_ptr<ClassData>& record);
    void classMethodWasSelected(const std::string& method);

    QLineEdit* getClassNameView() const { return classNameView; }
    MethodView* getMethodView() const { return methodView; }
    QPushButton* getUrlButton() const { return urlButton; }
    QPlainTextEdit* getArgumentInfoView() const { return argumentInfoView; }
    QPlainTextEdit* getCommentView() const { return CommentView; }
    QLabel* getClassCountView() const { return ClassCountView; }
    QCheckBox* getInheritedSwitch() const { return inheritedSwitch; }
    InheritedMethodView* getInheritedView() const { return inheritedView; }
    QuickHelpView* getQuickHelpView() const { return quickHelpView; }

    // The comment of the method shown, and the URL button, as the stored files say now.
    void showStoredComment();
    void showStoredURL();

private:
    void showInherited();
    // Quick Help of the method shown, else of the class; the method struck when deprecated.
    void showQuickHelp();

    QLabel* ClassCountView = nullptr;
    QLineEdit* fwNameView = nullptr;
    QLineEdit* hedderFileNameView = nullptr;
    QLineEdit* classNameView = nullptr;
    QLineEdit* superClassView = nullptr;
    QPlainTextEdit* CommentView = nullptr;
    QPushButton* urlButton = nullptr;
    MethodView* methodView = nullptr;
    QPlainTextEdit* argumentInfoView = nullptr;
    QCheckBox* inheritedSwitch = nullptr;
    InheritedMethodView* inheritedView = nullptr;
    QuickHelpView* quickHelpView = nullptr;
    std::shared_ptr<ClassData> shownClass;
};

}  // namespace kestrel::gui
