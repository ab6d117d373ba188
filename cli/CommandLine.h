#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace zol::cli {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// A command line that does not make sense; main prints it with the command's name and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One option a command accepts: its short letter, long name and whether it takes a value.
struct OptionSpec {
    char letter;
    const char* name;
    bool takesValue;
};

struct ParsedOption {
    char letter;
    std::string value;
};

struct ParsedArgs {
    std::vector<ParsedOption> options;
    std::vector<std::string> operands;
    bool help = false;
};

// Parses argv of one command (argv[0] is the command's name); "--help" and "-h" are always
// accepted. Throws UsageError for an unknown option or a missing value.
ParsedArgs ParseArgs(int argc, char** argv, const std::vector<OptionSpec>& specs);

// "zol CMD: " + text on standard error, one line: line breaks inside text become blanks.
void PrintError(const std::string& command, const std::string& text);

// The system's text for errno, such as "No such file or directory".
std::string ErrnoText(int errnoValue);

} // namespace zol::cli
