#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/FailedFile.h"
#include "cli/Interrupt.h"
#include "cli/SizeArg.h"
#include "engine/JobState.h"
#include "engine/Paths.h"
#include "engine/Splitter.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace zol::cli {

namespace {

const char* const Usage =
    "Usage: zol split [-s SIZE] -o DIR FILE...\n"
    "Cuts each FILE into pieces named zold(NAME)NNFFKK.zol in DIR: NN the number of pieces,\n"
    "FF the file's position on the command line from 00, KK the piece from 01. A file\n"
    "smaller than one piece is copied whole. At most 99 pieces per file.\n"
    "\n"
    "  -s, --size SIZE   bytes per piece: 1.44 (default), 1.25, 0.95, 0.72 (floppy sizes),\n"
    "                    or a count with an optional K, M or G suffix (binary units),\n"
    "                    optionally minus another count, for example 4G-1\n"
    "  -o, --output DIR  folder for the pieces (made when missing)\n"
    "  -h, --help        show this help\n";

struct SplitArgs {
    std::int64_t pieceSize = piece::Size144;
    std::string outputDir;
    std::vector<std::string> files;
};

SplitArgs parse(int argc, char** argv, bool& help) {
    const ParsedArgs parsed = ParseArgs(argc, argv, {{'s', "size", true}, {'o', "output", true}});
    help = parsed.help;
    SplitArgs args;
    for (const auto& option : parsed.options) {
        if (option.letter == 's') {
            const auto size = ParsePieceSize(option.value);
            if (!size) {
                throw UsageError("'" + option.value + "' is not a piece size");
            }
            args.pieceSize = *size;
        } else {
            args.outputDir = option.value;
        }
    }
    args.files = parsed.operands;
    if (!help && args.outputDir.empty()) {
        throw UsageError("no output folder (-o DIR)");
    }
    if (!help && args.files.empty()) {
        throw UsageError("no file to split");
    }
    return args;
}

// Every input must be a file that can be read, and no two plain copies may share a target.
bool checkInputs(const SplitArgs& args) {
    std::map<std::string, std::string> copyTargets;
    for (const auto& file : args.files) {
        struct stat st {};
        if (stat(file.c_str(), &st) != 0) {
            PrintError("split", file + ": " + ErrnoText(errno));
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            PrintError("split", file + ": not a regular file");
            return false;
        }
        if (st.st_size < args.pieceSize) {
            const auto [it, added] = copyTargets.emplace(FileNamePart(file), file);
            if (!added) {
                PrintError("split", file + ": would be copied over " + it->second +
                                        " (same name, both smaller than a piece)");
                return false;
            }
        }
    }
    return true;
}

bool prepareOutputDir(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!std::filesystem::is_directory(dir)) {
        PrintError("split", dir + ": " + (error ? error.message() : "not a folder"));
        return false;
    }
    return true;
}

} // namespace

int RunSplit(int argc, char** argv) {
    bool help = false;
    const SplitArgs args = parse(argc, argv, help);
    if (help) {
        std::fputs(Usage, stdout);
        return ExitOk;
    }
    if (!checkInputs(args) || !prepareOutputDir(args.outputDir)) {
        return ExitFailed;
    }

    ConsoleHost host("split");
    host.job().ProcMode = mode::Split;
    host.job().PieceSize = args.pieceSize;
    host.job().CurItem = 0;
    for (const auto& file : args.files) {
        host.addInput(file);
    }
    host.setOutputText(WithTrailingBackslash(args.outputDir));

    CatchInterrupt();
    try {
        SplitFiles(host);
    } catch (const std::exception& error) {
        host.showProgress(false);
        PrintError("split", FailedFile(error, args.files.at(host.job().CurItem), args.outputDir) +
                                ": " + error.what());
        return ExitFailed;
    }
    if (host.cancelled()) {
        PrintError("split", args.files.at(host.job().CurItem) + ": interrupted; its pieces in " +
                                args.outputDir + " are incomplete");
        return ExitFailed;
    }
    return host.failed() ? ExitFailed : ExitOk;
}

} // namespace zol::cli
