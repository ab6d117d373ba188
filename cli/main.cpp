// zol: split, join, compress, extract, list and test from the command line, with the same
// piece names and archives as the window.

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "unlha32.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace zol::cli;

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* summary;
};

constexpr Command Commands[] = {
    {"split", RunSplit, "cut files into pieces named zold(NAME)NNFFKK.zol"},
    {"join", RunJoin, "put the pieces of a split set back together"},
    {"compress", RunCompress, "add files or folders to an LZH archive"},
    {"extract", RunExtract, "extract LZH archives, keeping their folders"},
    {"list", RunList, "show the members of LZH archives"},
    {"test", RunTest, "check the members of LZH archives against their CRCs"},
};

void printUsage(std::FILE* out) {
    std::fputs("Usage: zol COMMAND [OPTION]... ARGUMENT...\n"
               "Carries large files on small media: splits, joins, compresses and extracts.\n"
               "\n",
               out);
    for (const auto& command : Commands) {
        std::fprintf(out, "  %-9s %s\n", command.name, command.summary);
    }
    std::fputs("\n'zol COMMAND --help' shows a command's options; 'zol --version' the version.\n"
               "Exit status: 0 done, 1 the run failed, 2 the command line was wrong.\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("zol: no command (see zol --help)\n", stderr);
        return ExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        printUsage(stdout);
        return ExitOk;
    }
    if (first == "--version" || first == "-V") {
        std::printf("zol %s (archiver library %u.%02u)\n", ZOL_VERSION, UnlhaGetVersion() / 100u,
                    UnlhaGetVersion() % 100u);
        return ExitOk;
    }
    for (const auto& command : Commands) {
        if (first == command.name) {
            try {
                return command.run(argc - 1, argv + 1);
            } catch (const UsageError& error) {
                std::fprintf(stderr, "zol %s: %s (see zol %s --help)\n", command.name, error.what(),
                             command.name);
                return ExitUsage;
            }
        }
    }
    std::fprintf(stderr, "zol: unknown command '%s' (see zol --help)\n", first.c_str());
    return ExitUsage;
}
