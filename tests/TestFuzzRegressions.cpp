#include "fuzz/FuzzChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zentavo::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every saved input of one fuzz target, seeds and crash inputs alike, runs
// through the target's own check again. Returns how many files ran.
template <typename Check>
int ReplayInputs(const std::string& target, Check check)
{
    int replayed = 0;
    for (const char* corpus : {"corpus", "regressions"}) {
        const fs::path folder = fs::path(ZENTAVO_FUZZ_DIR) / corpus / target;
        if (!fs::is_directory(folder))
            continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename().string().starts_with('.'))
                continue;
            const std::vector<uint8_t> bytes = ReadBytes(entry.path());
            EXPECT_EQ(check(bytes), "") << entry.path();
            ++replayed;
        }
    }
    return replayed;
}

TEST(FuzzRegressions, PrintNumberInputsReadAsTheRulesSay)
{
    EXPECT_GT(ReplayInputs("PrintNumber", CheckPrintNumber), 0);
}

TEST(FuzzRegressions, SheetInputsGiveSoundListsAndTexts)
{
    EXPECT_GT(ReplayInputs("Sheet", CheckSheet), 0);
}

}  // namespace
}  // namespace zentavo::fuzz
