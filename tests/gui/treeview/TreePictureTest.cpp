#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "gui/app/PrefFonts.h"
#include "gui/treeview/TreePicture.h"
#include "support/TempHome.h"

using namespace kestrel;
using gui::TreePicture;

namespace {

// The small tree of tests/data/gui_tree, built with names measured as the window measures them
// (the vector picture and a picture that cannot be written: the terminal command's tests):
// KitObject (20, 17) > KitView (180, 17) > KitButton (340, 5), KitLabel (340, 28); KitProxy (20, 51).
class TreePictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProcessState::frameworksRoot() = std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks";
        PrefFile::setUpPref();
        gui::PrefFonts::installMeasure();
        app.initTreeFile();
    }
    void TearDown() override { gui::PrefFonts::uninstallMeasure(); }

    QImage draw(TreePicture::Format format = TreePicture::Format::PNG) {
        const QString file = QString::fromStdString(home.dir().str()) + "/tree.png";
        QString problem;
        EXPECT_TRUE(TreePicture::write(app.classList, gui::PrefFonts::currentFont(), file, format, problem))
            << problem.toStdString();
        return QImage(file);
    }
    static bool dark(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).lightness() < 110; }
    static bool white(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

    test::TempHome home;
    AppAction2 app;
};

}  // namespace

TEST_F(TreePictureTest, BoxesLinesAndButtonsWhereTheLayoutPutsThem) {
    const QImage image = draw();
    ASSERT_EQ(image.size(), QSize(492, 96));  // the view's frame: (20, 5, 460 + 32, 64 + 32)
    EXPECT_TRUE(white(image, 5, 5));
    EXPECT_TRUE(dark(image, 15, 26));    // a root's left stub, at the middle of its box
    EXPECT_TRUE(dark(image, 20, 30));    // KitObject's frame, left and right
    EXPECT_TRUE(dark(image, 159, 20));
    EXPECT_TRUE(dark(image, 165, 26));   // its right stub
    EXPECT_TRUE(dark(image, 330, 15));   // KitView's vertical line, 14 to 37
    EXPECT_TRUE(dark(image, 330, 36));
    EXPECT_TRUE(white(image, 331, 20));
    EXPECT_TRUE(white(image, 330, 40));
    EXPECT_TRUE(dark(image, 335, 14));   // KitButton's left stub
    EXPECT_TRUE(dark(image, 314, 23));   // KitView's button, inside the right end of its box
    EXPECT_TRUE(white(image, 150, 60));  // KitProxy has no subclasses: no button
    EXPECT_TRUE(white(image, 165, 60));  // and no right stub
}

TEST_F(TreePictureTest, SelectedAndCustomBoxes) {
    for (const auto& c : app.classStraightList) {
        if (c->getName() == "KitView") c->setSelectFlag(true);
        if (c->getName() == "KitProxy") c->setCustomFlag(true);
    }
    const QImage image = draw();
    const QColor fill(image.pixel(250, 20));
    EXPECT_TRUE(fill.red() > 240 && fill.green() > 240 && fill.blue() < 40);  // yellow
    const QColor frame(image.pixel(180, 30));
    EXPECT_TRUE(frame.red() > 100 && frame.red() < 160 && frame.red() == frame.blue());  // gray
    EXPECT_TRUE(dark(image, 20, 60));  // two points wide
    EXPECT_TRUE(dark(image, 21, 60));
    EXPECT_TRUE(white(image, 22, 60));
}
