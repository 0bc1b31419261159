// Golden tests of the analysers on framework-shaped cases: every folder tests/data/<case>/
// that holds Frameworks/ (and no input.h) is read as a frameworks root. The define pass runs
// over it first, then every header below it is dumped (in path order) and compared with
// expected.json beside Frameworks/. KESTREL_UPDATE_GOLDEN=1 writes the expectations afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/DumpCommand.h"
#include "cli/JsonWriter.h"
#include "core/parse/DefineEngin.h"
#include "core/platform/ProcessState.h"
#include "support/RunKestrel.h"

namespace fs = std::filesystem;
using namespace kestrel;
using kestrel::cli::DumpCommand;
using kestrel::cli::JsonWriter;

namespace {

std::vector<fs::path> frameworkCases() {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(KESTREL_TEST_DATA_DIR))
        if (fs::is_directory(entry.path() / "Frameworks") && !fs::exists(entry.path() / "input.h"))
            cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string dumpText(const fs::path& folder) {
    const fs::path root = folder / "Frameworks";
    ProcessState::reset();
    ProcessState::frameworksRoot() = root.string();
    DefineEngin().doCalc();
    std::vector<std::string> headers;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".h") headers.push_back(entry.path().string());
    std::sort(headers.begin(), headers.end());
    std::ostringstream out;
    JsonWriter(out).write(PlistValue(DumpCommand::dump(headers)));
    out << "\n";
    ProcessState::reset();
    return out.str();
}

class FrameworkGolden : public testing::TestWithParam<fs::path> {};

}  // namespace

TEST_P(FrameworkGolden, MatchesExpectedRecords) {
    const fs::path folder = GetParam();
    const fs::path expectedPath = folder / "expected.json";
    std::string actual = dumpText(folder);
    const char* update = std::getenv("KESTREL_UPDATE_GOLDEN");
    if (update && *update == '1') {
        std::ofstream(expectedPath, std::ios::binary) << actual;
        GTEST_SKIP() << "wrote " << expectedPath;
    }
    ASSERT_TRUE(fs::exists(expectedPath)) << "no expected.json in " << folder
                                          << " (run with KESTREL_UPDATE_GOLDEN=1 and check it)";
    EXPECT_EQ(actual, test::readWhole(expectedPath.string())) << "case " << folder.filename();
}

INSTANTIATE_TEST_SUITE_P(Frameworks, FrameworkGolden, testing::ValuesIn(frameworkCases()),
                         [](const testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.filename().string();
                             std::replace_if(name.begin(), name.end(),
                                             [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FrameworkGolden);
