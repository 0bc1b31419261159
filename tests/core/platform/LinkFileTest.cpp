#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/FolderIndex.h"
#include "core/platform/FolderListing.h"
#include "core/platform/LinkFile.h"
#include "support/TempDir.h"

using namespace kestrel;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

namespace {

// A framework stored the way a checkout makes it where links cannot be made:
//   Kit.framework/Headers -> Versions/Current/Headers, Versions/Current -> A
struct Checkout {
    test::TempDir dir;
    std::string root = fs::canonical(dir.path()).string();
    Checkout() {
        dir.write("Kit.framework/Versions/A/Headers/Kit.h", "@interface Kit\n@end\n");
        dir.write("Kit.framework/Versions/Current", "A");
        dir.write("Kit.framework/Headers", "Versions/Current/Headers");
    }
    std::string real(const std::string& relative) const { return root + "/" + relative; }
};

std::optional<std::string> reached(const std::string& path) {
    auto target = LinkFile::resolve(path);
    if (!target) return std::nullopt;
    return target->path + (target->isFolder ? "/" : "");
}

Strings names(const FolderListing& listing) {
    Strings out;
    for (const FolderEntry& entry : listing.entries()) out.push_back(entry.name + (entry.isFolder ? "/" : ""));
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(LinkFile, OnlyASmallOneLineRelativeTextThatLeadsSomewhereIsALink) {
    Checkout c;
    EXPECT_EQ(reached(c.real("Kit.framework/Headers")), c.real("Kit.framework/Versions/A/Headers/"));
    EXPECT_EQ(reached(c.real("Kit.framework/Headers/Kit.h")), c.real("Kit.framework/Versions/A/Headers/Kit.h"));
    EXPECT_EQ(reached(c.real("Kit.framework/Versions/Current/Headers/../Headers")),
              c.real("Kit.framework/Versions/A/Headers/"));

    // Texts that are no link: each stays an ordinary file where it ends a path.
    const std::vector<std::pair<std::string, std::string>> ordinary = {
        {"Trailing.h", "Kit.h\n"},                     // a line break
        {"Return.h", "Kit.h\r"},
        {"Nul.h", std::string("Kit.h\0", 6)},
        {"Absolute.h", c.real("Kit.framework/Versions/A/Headers/Kit.h")},
        {"Empty.h", ""},
        {"Include.h", "#include <Kit/Kit.h>"},          // looks like a path, leads nowhere
        {"Dangling.h", "Missing/Kit.h"},
        {"Loop.h", "Loop.h"},                          // a loop ends quietly
        {"Big.h", std::string(LinkFile::kMaxBytes - 5, '.') + "/Kit.h"},
    };
    for (const auto& [name, text] : ordinary) {
        const std::string path = c.dir.write("Kit.framework/Versions/A/Headers/" + name, text);
        EXPECT_EQ(LinkFile::follow(c.real("Kit.framework/Versions/A/Headers"), name), std::nullopt) << name;
        EXPECT_EQ(reached(path), c.real("Kit.framework/Versions/A/Headers/" + name)) << name;
    }
    EXPECT_EQ(LinkFile::text(c.real("Kit.framework/Versions/A/Headers/Include.h")), "#include <Kit/Kit.h>");
    // Within the size a chain of links is followed, also through a real link.
    c.dir.write("Kit.framework/Versions/A/Headers/Short.h", "Kit.h");
    c.dir.write("Kit.framework/Versions/A/Headers/Chain.h", "../Headers/Short.h");
    fs::create_symlink("Chain.h", c.real("Kit.framework/Versions/A/Headers/Real.h"));
    EXPECT_EQ(reached(c.real("Kit.framework/Headers/Real.h")), c.real("Kit.framework/Versions/A/Headers/Kit.h"));
    // Two link files pointing at each other, and a folder link that loops, end too.
    c.dir.write("Ping", "Pong/x");
    c.dir.write("Pong", "Ping/x");
    EXPECT_EQ(reached(c.real("Ping/x")), std::nullopt);
    c.dir.write("Self/Here", "../Self/Here/x");
    EXPECT_EQ(reached(c.real("Self/Here/x")), std::nullopt);
    EXPECT_EQ(reached(c.real("Nothing/At/All")), std::nullopt);
}

TEST(LinkFile, ListingsGiveWhatEntriesReallyAreAndLeaveOutWhatCannotBeRead) {
    Checkout c;
    const std::string kit = c.real("Kit.framework");
    mkfifo((kit + "/Pipe.h").c_str(), 0600);
    fs::create_symlink(c.real("gone"), kit + "/Dangling.h");
    fs::create_directory_symlink(kit + "/Versions", kit + "/Linked");
    const FolderListing listing = FolderListing::read(kit);
    ASSERT_TRUE(listing.opened());
    EXPECT_EQ(names(listing), (Strings{"Headers/", "Linked/", "Versions/"}));
    const FolderEntry* link = listing.find("Headers");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->path, kit + "/Versions/A/Headers");
    EXPECT_EQ(link->via, FolderEntry::Via::LinkFile);
    EXPECT_EQ(listing.find("Linked")->via, FolderEntry::Via::Link);
    EXPECT_EQ(names(FolderListing::read(kit + "/Versions")), (Strings{"A/", "Current/"}));
    EXPECT_FALSE(FolderListing::read(c.real("missing")).opened());
    // A path through link files is listed where they lead.
    const FolderListing headers = FolderListing::read(kit + "/Headers");
    EXPECT_EQ(names(headers), (Strings{"Kit.h"}));
    EXPECT_EQ(headers.entries().front().path, kit + "/Versions/A/Headers/Kit.h");
}

TEST(FolderIndex, FindsFirstInDepthFirstOrderAndKeepsListingsOnlyForASession) {
    Checkout c;
    c.dir.write("Kit.framework/Versions/A/Headers/hid/Hid.h", "");
    c.dir.write("Other/hid/Hid.h", "");
    FolderIndex index;
    const std::string kit = c.real("Kit.framework");
    EXPECT_EQ(index.firstFileNamed(kit, "Kit.h"), kit + "/Versions/A/Headers/Kit.h");
    EXPECT_EQ(index.firstFileNamed(kit, "hid/Hid.h"), kit + "/Versions/A/Headers/hid/Hid.h");
    EXPECT_EQ(index.firstFileNamed(kit, "id/Hid.h"), std::nullopt);  // the end of a path, whole components
    EXPECT_EQ(index.firstFolderNamed(c.root, "Kit.framework"), kit);
    const auto hid = index.firstFolderNamed(c.root, "hid");
    EXPECT_TRUE(hid == kit + "/Versions/A/Headers/hid" || hid == c.real("Other/hid")) << hid.value_or("none");
    auto entry = index.lookup(c.root, "Kit.framework/Headers/../Headers/Kit.h");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->path, kit + "/Versions/A/Headers/Kit.h");
    EXPECT_FALSE(index.lookup(c.root, "Kit.framework/Headers/Kit.h/more"));
    EXPECT_TRUE(index.lookup(c.root, "")->isFolder);

    {
        FolderIndex::Session session(index);
        EXPECT_EQ(index.firstFileNamed(kit, "New.h"), std::nullopt);
        c.dir.write("Kit.framework/Versions/A/Headers/New.h", "");
        EXPECT_EQ(index.firstFileNamed(kit, "New.h"), std::nullopt);  // listed once per session
        EXPECT_FALSE(index.lookup(kit, "Headers/New.h"));
    }
    EXPECT_EQ(index.firstFileNamed(kit, "New.h"), kit + "/Versions/A/Headers/New.h");
}
