// `kestrel tree --png/--svg` and the desktop program's start without a display, run as a user
// runs them.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "support/RunKestrel.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using kestrel::test::KestrelRun;
using kestrel::test::readWhole;
using kestrel::test::runKestrel;
using kestrel::test::TempDir;

namespace {

const std::string kRoot = std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks";

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

class TreePictureCommand : public testing::Test {
protected:
    KestrelRun kestrel(std::vector<std::string> args) {
        args.push_back("--frameworks-root");
        args.push_back(kRoot);
        return runKestrel(dir.str(), args);
    }
    std::string file(const std::string& name) const { return (dir.path() / name).string(); }
    TempDir dir;
};

}  // namespace

TEST_F(TreePictureCommand, PicturesAreTheViewsFrameInSize) {
    KestrelRun png = kestrel({"tree", "--png", file("tree.png")});
    ASSERT_EQ(png.status, 0) << png.err;
    const std::string bytes = readWhole(file("tree.png"));
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(bigEndian(bytes, 16), 492u);  // (20, 5, 460 + 32, 64 + 32)
    EXPECT_EQ(bigEndian(bytes, 20), 96u);
    // The tree was built for it and stored, as by the other tree commands.
    EXPECT_TRUE(fs::exists(dir.path() / ".local/share/Kestrel/classData"));

    KestrelRun svg = kestrel({"tree", "--svg", file("view.svg"), "KitView"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(readWhole(file("view.svg")).find("viewBox=\"0 0 332 73\""), std::string::npos);
}

TEST_F(TreePictureCommand, MistakesAreReported) {
    EXPECT_EQ(kestrel({"tree", "--png"}).status, 2);
    EXPECT_EQ(kestrel({"tree", "--png", file("a.png"), "--svg", file("b.svg")}).status, 2);
    KestrelRun unknown = kestrel({"tree", "--png", file("c.png"), "NoSuchClass"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("no class named NoSuchClass"), std::string::npos);
    EXPECT_FALSE(fs::exists(file("c.png")));
    KestrelRun unwritable = kestrel({"tree", "--png", "/proc/no/such/folder/tree.png"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST_F(TreePictureCommand, WithoutADisplayTheDesktopProgramNamesTheTerminalCommands) {
    KestrelRun run = runKestrel(dir.str(), {}, "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("kestrel build"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("kestrel --help"), std::string::npos);
    EXPECT_EQ(run.err.find("abort"), std::string::npos);
    // The desktop program's --sdk is checked before anything opens.
    run = runKestrel(dir.str(), {"--sdk", dir.str()}, "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("is no SDK"), std::string::npos) << run.err;
    run = runKestrel(dir.str(), {"--sdk=" + dir.str(), "--frameworks-root", dir.str()}, "-u DISPLAY");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("not both"), std::string::npos) << run.err;
}

// A picture is written as the store writes: whole or not at all, never over what is not a
// file (a FIFO, a device -- as root, "--svg /dev/null" would have removed /dev/null), and a
// write that fails is said and answered with a status that is not 0.
TEST_F(TreePictureCommand, APictureReplacesOnlyAFileAndAFailedWriteIsSaid) {
    const std::string fifo = file("pipe.svg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    KestrelRun toFifo = kestrel({"tree", "--svg", fifo});
    EXPECT_NE(toFifo.status, 0);
    EXPECT_NE(toFifo.err.find("is not a file"), std::string::npos) << toFifo.err;
    EXPECT_TRUE(fs::is_fifo(fifo));
    if (geteuid() == 0) {  // a device node of the test's own, never the system's
        const std::string device = file("null");
        ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        EXPECT_NE(kestrel({"tree", "--png", device}).status, 0);
        EXPECT_TRUE(fs::is_character_file(device));
    }

    ASSERT_EQ(kestrel({"tree", "--svg", file("tree.svg")}).status, 0);
    const std::string before = readWhole(file("tree.svg"));
    KestrelRun full = runKestrel(dir.str(), {"tree", "--svg", file("tree.svg"), "--frameworks-root", kRoot}, "",
                                 "trap '' XFSZ; ulimit -f 2");  // the disk fills at 1 KB
    EXPECT_NE(full.status, 0);
    EXPECT_NE(full.err.find("cannot write " + file("tree.svg")), std::string::npos) << full.err;
    EXPECT_EQ(readWhole(file("tree.svg")), before);
}

// A platform Qt has no plugin for would stop the program with an abort: it is named, with the
// platforms there are, before Qt starts.
TEST_F(TreePictureCommand, AnUnknownQtPlatformIsNamedNotAborted) {
    KestrelRun argument = runKestrel(dir.str(), {"-platform", "bogus"});
    EXPECT_EQ(argument.status, 2);
    EXPECT_NE(argument.err.find("Qt has no platform named \"bogus\" (asked for by -platform)"), std::string::npos)
        << argument.err;
    EXPECT_NE(argument.err.find("offscreen"), std::string::npos) << argument.err;
    KestrelRun variable = runKestrel(dir.str(), {}, "QT_QPA_PLATFORM=bogus");
    EXPECT_EQ(variable.status, 1);
    EXPECT_NE(variable.err.find("(asked for by QT_QPA_PLATFORM)"), std::string::npos) << variable.err;
}
