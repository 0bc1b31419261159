#pragma once
// What the golden tests share: the cases under tests/data that match a test, the dump of a
// list of headers as JSON text, and the comparison with expected.json beside them
// (KESTREL_UPDATE_GOLDEN=1 writes the expectation afresh; read the diff before committing it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/DumpCommand.h"
#include "cli/JsonWriter.h"
#include "support/RunKestrel.h"

namespace kestrel::test {

inline std::vector<std::filesystem::path> goldenCases(const std::function<bool(const std::filesystem::path&)>& isCase) {
    std::vector<std::filesystem::path> cases;
    for (const auto& entry : std::filesystem::directory_iterator(KESTREL_TEST_DATA_DIR))
        if (isCase(entry.path())) cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

inline std::string dumpJson(std::vector<std::string> headers) {
    std::sort(headers.begin(), headers.end());
    std::ostringstream out;
    cli::JsonWriter(out).write(PlistValue(cli::DumpCommand::dump(headers)));
    out << "\n";
    return out.str();
}

inline void expectGolden(const std::filesystem::path& folder, const std::string& actual) {
    const std::filesystem::path expectedPath = folder / "expected.json";
    const char* update = std::getenv("KESTREL_UPDATE_GOLDEN");
    if (update && *update == '1') {
        std::ofstream(expectedPath, std::ios::binary) << actual;
        GTEST_SKIP() << "wrote " << expectedPath;
    }
    ASSERT_TRUE(std::filesystem::exists(expectedPath))
        << "no expected.json in " << folder << " (run with KESTREL_UPDATE_GOLDEN=1 and check it)";
    EXPECT_EQ(actual, readWhole(expectedPath.string())) << "case " << folder.filename();
}

// The case folder's name as a test name: letters and digits, the rest "_".
inline std::string caseName(const testing::TestParamInfo<std::filesystem::path>& info) {
    std::string name = info.param.filename().string();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

}  // namespace kestrel::test
