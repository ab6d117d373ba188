#include "cli/CommandLine.h"

#include <cstdio>
#include <cstring>
#include <getopt.h>

namespace zol::cli {

ParsedArgs ParseArgs(int argc, char** argv, const std::vector<OptionSpec>& specs) {
    std::string shortOptions = ":h";
    std::vector<option> longOptions;
    for (const auto& spec : specs) {
        shortOptions += spec.letter;
        if (spec.takesValue) {
            shortOptions += ':';
        }
        longOptions.push_back(
            {spec.name, spec.takesValue ? required_argument : no_argument, nullptr, spec.letter});
    }
    longOptions.push_back({"help", no_argument, nullptr, 'h'});
    longOptions.push_back({nullptr, 0, nullptr, 0});

    ParsedArgs parsed;
    opterr = 0;
    optind = 0; // 0 makes glibc start afresh
    for (;;) {
        const int c = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), nullptr);
        if (c == -1) {
            break;
        }
        if (c == 'h') {
            parsed.help = true;
        } else if (c == ':') {
            throw UsageError(std::string("option ") + argv[optind - 1] + " needs a value");
        } else if (c == '?') {
            const std::string shown = optopt != 0 ? std::string("-") + static_cast<char>(optopt)
                                                  : std::string(argv[optind - 1]);
            throw UsageError("unknown option " + shown);
        } else {
            parsed.options.push_back({static_cast<char>(c), optarg != nullptr ? optarg : ""});
        }
    }
    for (int i = optind; i < argc; ++i) {
        parsed.operands.emplace_back(argv[i]);
    }
    return parsed;
}

void PrintError(const std::string& command, const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::fprintf(stderr, "zol %s: %s\n", command.c_str(), line.c_str());
}

std::string ErrnoText(int errnoValue) {
    return std::strerror(errnoValue);
}

} // namespace zol::cli
