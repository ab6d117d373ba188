// The command line's contract: exit 2 and one line for a wrong command line, help and version.

#include "ZolRun.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <ostream>

namespace zol::test {
namespace {

struct UsageCase {
    std::vector<std::string> args;
    const char* message;
};

// Shown in failure reports and test listings instead of the raw bytes.
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << "zol";
    for (const auto& arg : c.args)
        *os << ' ' << arg;
}

// Test names from the command line: "split_s_1_40_o_out_f".
std::string CaseName(const ::testing::TestParamInfo<UsageCase>& info) {
    std::string name = info.param.args.empty() ? "nothing" : "";
    for (const auto& arg : info.param.args) {
        for (const char c : arg) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                name += c;
            } else if (!name.empty() && name.back() != '_') {
                name += '_';
            }
        }
        if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    return name + std::to_string(info.index);
}

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitTwoWithOneLine) {
    ScratchDir dir;
    WriteFile(dir / "f", "data");
    const ZolResult run = RunZol(GetParam().args, dir.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"f"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrors,
    ::testing::Values(UsageCase{{}, "no command"},
                      UsageCase{{"frobnicate"}, "unknown command 'frobnicate'"},
                      UsageCase{{"split", "f"}, "no output folder"},
                      UsageCase{{"split", "-o", "out"}, "no file to split"},
                      UsageCase{{"split", "-s", "1.40", "-o", "out", "f"}, "'1.40' is not"},
                      UsageCase{{"split", "-s", "0", "-o", "out", "f"}, "'0' is not"},
                      UsageCase{{"split", "-s", "1K-2K", "-o", "out", "f"}, "is not a piece"},
                      UsageCase{{"split", "-o"}, "needs a value"},
                      UsageCase{{"split", "-q", "-o", "out", "f"}, "unknown option -q"},
                      UsageCase{{"join"}, "no piece to join"},
                      UsageCase{{"join", "--as-given", "f"}, "no output file"},
                      UsageCase{{"compress", "f"}, "no archive"},
                      UsageCase{{"compress", "-m", "lh9", "-o", "a", "f"}, "unknown method"},
                      UsageCase{{"extract"}, "no archive to extract"},
                      UsageCase{{"list"}, "no archive to list"},
                      UsageCase{{"test", "--bogus"}, "unknown option --bogus"}),
    CaseName);

TEST(Help, EveryCommandHasHelpOnStandardOutput) {
    ScratchDir dir;
    for (const char* command : {"split", "join", "compress", "extract", "list", "test"}) {
        const ZolResult run = RunZol({command, "--help"}, dir.path());
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("Usage: zol ") + command, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    const ZolResult top = RunZol({"--help"}, dir.path());
    EXPECT_EQ(top.status, 0);
    EXPECT_NE(top.out.find("compress"), std::string::npos);
}

TEST(Version, NamesTheProgramAndItsVersion) {
    ScratchDir dir;
    const ZolResult run = RunZol({"--version"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("zol " ZOL_VERSION_TEXT " ", 0), 0u) << run.out;
}

} // namespace
} // namespace zol::test
