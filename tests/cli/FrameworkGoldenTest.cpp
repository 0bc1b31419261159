// Golden tests of the analysers on framework-shaped cases: every folder tests/data/<case>/
// that holds Frameworks/ (and no input.h) is read as a frameworks root. The define pass runs
// over it first, then every header below it is dumped (in path order) and compared with
// expected.json beside Frameworks/. KESTREL_UPDATE_GOLDEN=1 writes the expectations afresh.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/parse/DefineEngin.h"
#include "core/platform/ProcessState.h"
#include "support/Golden.h"

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

std::string dumpText(const fs::path& folder) {
    const fs::path root = folder / "Frameworks";
    ProcessState::reset();
    ProcessState::frameworksRoot() = root.string();
    DefineEngin().doCalc();
    std::vector<std::string> headers;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".h") headers.push_back(entry.path().string());
    std::string text = test::dumpJson(headers);
    ProcessState::reset();
    return text;
}

class FrameworkGolden : public testing::TestWithParam<fs::path> {};

}  // namespace

TEST_P(FrameworkGolden, MatchesExpectedRecords) { test::expectGolden(GetParam(), dumpText(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Frameworks, FrameworkGolden,
                         testing::ValuesIn(test::goldenCases([](const fs::path& p) {
                             return fs::is_directory(p / "Frameworks") && !fs::exists(p / "input.h");
                         })),
                         test::caseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FrameworkGolden);
