// Golden tests of the analysers: every folder tests/data/<case>/ that holds an input.h is
// dumped (its .h files in name order) and compared with expected.json beside it.
// KESTREL_UPDATE_GOLDEN=1 writes the expectations afresh; read the diff before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/DumpCommand.h"
#include "cli/JsonWriter.h"
#include "core/model/AppAction2.h"
#include "core/parse/TextBuffer.h"

namespace fs = std::filesystem;
using kestrel::PlistValue;
using kestrel::cli::DumpCommand;
using kestrel::cli::JsonWriter;

namespace {

std::vector<fs::path> goldenCases() {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(KESTREL_TEST_DATA_DIR))
        if (fs::exists(entry.path() / "input.h")) cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string dumpText(const fs::path& folder) {
    std::vector<std::string> headers;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".h") headers.push_back(entry.path().string());
    std::sort(headers.begin(), headers.end());
    std::ostringstream out;
    JsonWriter(out).write(PlistValue(DumpCommand::dump(headers)));
    out << "\n";
    return out.str();
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class GoldenDump : public testing::TestWithParam<fs::path> {};

}  // namespace

TEST_P(GoldenDump, MatchesExpectedRecords) {
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
    EXPECT_EQ(actual, readFile(expectedPath)) << "case " << folder.filename();
}

// However a header is cut off, the analysis ends, and never finds more than the whole header.
// Classes, categories and functions completed before the cut are kept, so their count only
// grows as the cut moves on. A forward "@protocol X;" cut before its ";" reads as one protocol
// more, so the other kinds may exceed the whole header's by that one.
TEST_P(GoldenDump, EveryCutEndsCleanly) {
    const std::string text = readFile(GetParam() / "input.h");
    auto kept = [](const kestrel::AppAction2& app) {
        return app.classList.size() + app.categoryList.size() + app.functions.size();
    };
    auto others = [](const kestrel::AppAction2& app) {
        return app.protocolList.size() + app.structList.size() + app.enumList.size() + app.typedefList.size();
    };
    std::size_t later = SIZE_MAX, whole = SIZE_MAX;  // counts with a longer text, and the whole's
    for (std::size_t cut = text.size() + 1; cut-- > 0;) {
        kestrel::AppAction2 app;
        kestrel::TextBuffer buffer(text.substr(0, cut));
        app.doAnalyseHedderFile(buffer, "input.h", "------", false);
        if (whole == SIZE_MAX) whole = others(app) + 1;
        ASSERT_LE(kept(app), later) << "cut at " << cut;
        ASSERT_LE(others(app), whole) << "cut at " << cut;
        later = kept(app);
    }
}

INSTANTIATE_TEST_SUITE_P(Analysers, GoldenDump, testing::ValuesIn(goldenCases()),
                         [](const testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.filename().string();
                             std::replace_if(name.begin(), name.end(),
                                             [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenDump);
