#pragma once
// The tree window ("TreeWindow") and its controller: the class tree in a scroll area, the
// window's alpha from the preferences. The controller registers itself with the application
// delegate and unregisters when the window closes; the tree view clears the delegate's
// pointers to itself and the window when it goes.
//
// An ordinary window of its own, not one that floats over the main window: whichever of the two
// is used comes to the front. The main window's commands answer their shortcuts in it too
// (Copy, Cut, Class Tree, Quit, ...), and it closes with the main window, which ends the program.
//
// A window at alpha 0 is hidden, not only transparent: under X11 a transparent window still
// takes drops meant for the windows beneath it.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <QWidget>

namespace kestrel::gui {

class AppShell;
class TreeView;

class TreeWinAction : public QObject {
    Q_OBJECT
public:
    // Makes the window (deleted when it closes) with its tree view.
    explicit TreeWinAction(AppShell& owner);
    ~TreeWinAction() override;

    QWidget* getWindow() const { return window_; }
    TreeView* getMainView() const { return mainView; }
    // Sets the window's alpha; at 0 the window is hidden, above 0 shown again.
    void setWindowAlpha(double alpha);

    static constexpr int kSteps = 10;
    static constexpr double kStep = 0.12;
    static constexpr int kStepMilliseconds = 15;
    // StartWipeOutNinjyaEffectMessage / StartWipeInNinjyaEffectMessage.
    void startNinjyaEffect();
    void endNinjyaEffect();
    bool isFading() const { return timer_.isActive(); }
    // The alphas set by the fades so far (for those who watch them: tests).
    const std::vector<float>& alphaSteps() const { return steps_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowWillClose();
    void step();

    enum class Fade { None, Out, Waiting, In };
    Fade fade_ = Fade::None;
    int stepCount_ = 0;
    double alpha_ = 1.0;
    QTimer timer_;
    std::vector<float> steps_;

    AppShell& owner_;
    QPointer<QWidget> window_;
    TreeView* mainView = nullptr;
};

}  // namespace kestrel::gui
