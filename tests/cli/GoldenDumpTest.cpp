// Golden tests of the analysers: every folder tests/data/<case>/ that holds an input.h is
// dumped (its .h files in name order) and compared with expected.json beside it. A
// framework-shaped case (Frameworks/ and no input.h) is read as a frameworks root: the define
// pass runs over it first, then every header below it is dumped in path order.
// KESTREL_UPDATE_GOLDEN=1 writes the expectations afresh; read the diff before committing it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "core/app/AppAction2.h"
#include "core/parse/DefineEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"
#include "support/Golden.h"

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

bool isHeaderCase(const fs::path& folder) { return fs::exists(folder / "input.h"); }
bool isFrameworkCase(const fs::path& folder) {
    return fs::is_directory(folder / "Frameworks") && !isHeaderCase(folder);
}

std::string dumpText(const fs::path& folder) {
    const fs::path root = isHeaderCase(folder) ? folder : folder / "Frameworks";
    ProcessState::reset();
    if (root != folder) {
        ProcessState::frameworksRoot() = root.string();
        DefineEngin().doCalc();
    }
    std::vector<std::string> headers;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".h") headers.push_back(entry.path().string());
    std::string text = test::dumpJson(headers);
    ProcessState::reset();
    return text;
}

class GoldenDump : public testing::TestWithParam<fs::path> {};
class FrameworkGolden : public testing::TestWithParam<fs::path> {};

}  // namespace

TEST_P(GoldenDump, MatchesExpectedRecords) { test::expectGolden(GetParam(), dumpText(GetParam())); }
TEST_P(FrameworkGolden, MatchesExpectedRecords) { test::expectGolden(GetParam(), dumpText(GetParam())); }

// However a header is cut off, the analysis ends, and never finds more than the whole header.
// Classes, categories and functions completed before the cut are kept, so their count only
// grows as the cut moves on. A forward "@protocol X;" cut before its ";" reads as one protocol
// more, so the other kinds may exceed the whole header's by that one.
TEST_P(GoldenDump, EveryCutEndsCleanly) {
    const std::string text = test::readWhole((GetParam() / "input.h").string());
    auto kept = [](const AppAction2& app) {
        return app.classList.size() + app.categoryList.size() + app.functions.size();
    };
    auto others = [](const AppAction2& app) {
        return app.protocolList.size() + app.structList.size() + app.enumList.size() + app.typedefList.size();
    };
    std::size_t later = SIZE_MAX, whole = SIZE_MAX;  // counts with a longer text, and the whole's
    for (std::size_t cut = text.size() + 1; cut-- > 0;) {
        AppAction2 app;
        TextBuffer buffer(text.substr(0, cut));
        app.doAnalyseHedderFile(buffer, "input.h", "------", false);
        if (whole == SIZE_MAX) whole = others(app) + 1;
        ASSERT_LE(kept(app), later) << "cut at " << cut;
        ASSERT_LE(others(app), whole) << "cut at " << cut;
        later = kept(app);
    }
}

INSTANTIATE_TEST_SUITE_P(Analysers, GoldenDump, testing::ValuesIn(test::goldenCases(isHeaderCase)), test::caseName);
INSTANTIATE_TEST_SUITE_P(Frameworks, FrameworkGolden, testing::ValuesIn(test::goldenCases(isFrameworkCase)),
                         test::caseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenDump);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FrameworkGolden);
