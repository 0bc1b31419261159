// Fuzz target: the stored tree's files as another machine, a damaged disk or a hand edit may
// leave them. The first byte picks the file (its low bits: classData, protocolData,
// categoryData, structData, enumData, functions, typedefs, typedefNotes, declarationNotes) and
// the layout (its high bit: the nine as a set in trees/ named by the link currentTree, or as the
// plain files of an older data folder); the rest is the file's contents, XML or binary. The
// notes files are read, as when first asked for, after each load. The other eight files are those
// of a small tree stored beforehand, so that the fuzzed file's records meet sound ones when the
// tree is linked.
//
// Loaded, the tree is laid out and its method lists made; then it is stored again as after a
// change, and a second load must read what was stored: the same records, linked the same way.
#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "TreeShape.h"
#include "core/app/AppAction2.h"
#include "core/model/TreeLayout.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/DataFolder.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

constexpr std::array<const char*, 9> kFileKeys{"classDataFileName", "protocolDataFileName", "categoryDataFileName",
                                               "structDataFileName", "enumDataFileName", "functions", "typedefs",
                                               "typedefNotes",      "declarationNotes"};

// The companion tree: classes over several headers, a category in its class's header and one
// in another, protocols adopting each other, a struct, an enum, functions and typedefs.
constexpr std::string_view kCompanionHeader = R"(
@protocol NSCoding
- (void)encodeWithCoder:(id)coder;
@end
@protocol NSCopying <NSCoding>
- (id)copyWithZone:(void *)zone;
@end
@interface NSObject <NSCopying>
+ (id)alloc;
- (id)init;
@end
@interface NSResponder : NSObject
- (void)keyDown:(id)event;
@end
@interface NSView : NSResponder <NSCoding>
- (void)drawRect:(NSRect)rect;
@end
@interface NSView (Drawing)
- (void)display;
@end
@interface NSButton : NSView
@end
@interface Missing (Extras)
- (void)extra;
@end
typedef struct _NSPoint { float x; float y; } NSPoint;
typedef enum { NSLeft, NSRight } NSSide;
typedef float NSFloat;
extern NSPoint NSMakePoint(float x, float y);
APPKIT_EXTERN NSString *NSViewName;
)";

std::filesystem::path filePath(const char* key) { return DataFolder::filePath(key); }

// The companion files, stored once, kept as bytes.
const std::array<std::string, kFileKeys.size()>& companion() {
    static const std::array<std::string, kFileKeys.size()> files = [] {
        const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
        home.clear(home.data());
        ProcessState::reset();
        ProcessState::prefData() = std::make_shared<PrefData>();
        AppAction2 app;
        TextBuffer buffer{std::string(kCompanionHeader)};
        app.doAnalyseHedderFile(buffer, "Companion.h", "Companion.framework", false);
        app.linkTree();
        app.functionsWasChanged = app.typedefListWasChanged = ProcessState::prefData()->treeChanged = true;
        app.applicationWillTerminate();
        std::array<std::string, kFileKeys.size()> bytes;
        for (std::size_t i = 0; i < kFileKeys.size(); ++i) {
            std::ifstream in(filePath(kFileKeys[i]), std::ios::binary);
            bytes[i].assign(std::istreambuf_iterator<char>(in), {});
            KESTREL_FUZZ_CHECK(!bytes[i].empty(), "the companion tree was not stored");
        }
        ProcessState::reset();
        return bytes;
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
    const auto& files = companion();
    home.clear(home.data());
    const std::size_t fuzzed = (data[0] & 0x7f) % kFileKeys.size();
    const bool asSet = (data[0] & 0x80) != 0;
    for (std::size_t i = 0; i < kFileKeys.size(); ++i) {
        const std::filesystem::path path = filePath(kFileKeys[i]);
        const std::string_view bytes =
            i == fuzzed ? std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string_view(files[i]);
        if (!asSet) {
            fuzz::FuzzHome::write(path, bytes);
            continue;
        }
        const std::string name = path.filename().string();
        fuzz::FuzzHome::write(home.data() / "trees/000001-Fuzzed" / name, bytes);
        std::error_code error;
        std::filesystem::create_symlink("currentTree/" + name, path, error);
    }
    if (asSet) {
        std::error_code error;
        std::filesystem::create_symlink("trees/000001-Fuzzed", home.data() / "currentTree", error);
    }

    ProcessState::reset();
    ProcessState::prefData() = std::make_shared<PrefData>();
    std::string firstShape;
    bool loaded = false;
    {
        AppAction2 app;
        loaded = app.initTreeFromFile();
        if (loaded) {
            app.ensureNotes();
            TreeLayout::calcPosition(app.classList);
            app.makeMethodListAndCategory(true, true);
            firstShape = fuzz::shapeOf(app);
            // Stored again as after a change in the tree.
            app.functionsWasChanged = app.typedefListWasChanged = ProcessState::prefData()->treeChanged = true;
            app.applicationWillTerminate();
        }
    }
    if (loaded) {
        AppAction2 app;
        KESTREL_FUZZ_CHECK(app.initTreeFromFile(), "the stored tree could not be loaded again");
        app.ensureNotes();
        fuzz::checkSame(firstShape, fuzz::shapeOf(app), "the stored tree loads as another tree");
    }
    ProcessState::reset();
    return 0;
}
