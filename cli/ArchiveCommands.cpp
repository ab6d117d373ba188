#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/LibraryCall.h"
#include "engine/Paths.h"
#include "engine/SameFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zol::cli {

namespace {

const char* const CompressUsage =
    "Usage: zol compress [-r] [-m lh5|lh6|lh7] -o ARCHIVE INPUT...\n"
    "Adds each INPUT to the LZH archive ARCHIVE (\".lzh\" is added to a name without an\n"
    "extension); an existing archive keeps its other members. A file is stored under its\n"
    "own name; a folder (with -r) is stored with everything below it, paths relative to it.\n"
    "\n"
    "  -o, --output ARCHIVE  the archive\n"
    "  -m, --method METHOD   lh5 (default, 8 KiB window), lh6 (32 KiB) or lh7 (64 KiB)\n"
    "  -r, --recursive       take folders with their contents\n"
    "  -h, --help            show this help\n";

const char* const ExtractUsage =
    "Usage: zol extract [-o DIR] ARCHIVE...\n"
    "Extracts every member of each LZH archive into DIR (default: the current folder),\n"
    "keeping the folders stored in it; existing files are overwritten.\n"
    "\n"
    "  -o, --output DIR  destination folder (made when missing)\n"
    "  -h, --help        show this help\n";

const char* const TestUsage =
    "Usage: zol test ARCHIVE...\n"
    "Checks every member of each LZH archive against its CRC without writing anything.\n"
    "\n"
    "  -h, --help  show this help\n";

// The library's switch for each method.
std::string methodSwitch(const std::string& method) {
    if (method == "lh5") {
        return "-o5";
    }
    if (method == "lh6") {
        return "-o6";
    }
    if (method == "lh7") {
        return "-o7";
    }
    throw UsageError("unknown method '" + method + "' (lh5, lh6 or lh7)");
}

// The library splits at blanks and groups with double quotes, with no escape: a name holding
// a double quote cannot be passed to it.
bool passable(const std::string& command, const std::string& path) {
    if (path.find('"') != std::string::npos) {
        PrintError(command, path + ": a name with a double quote (\") cannot be archived");
        return false;
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// The file the library writes for an archive name: ".lzh" added when there is no extension.
std::string archiveFile(const std::string& name) {
    return ExtensionLower(name).empty() ? name + ".lzh" : name;
}

struct CompressArgs {
    std::string archive;
    std::string method = "-o5";
    bool recursive = false;
    std::vector<std::string> inputs;
};

CompressArgs parseCompress(int argc, char** argv, bool& help) {
    const ParsedArgs parsed = ParseArgs(
        argc, argv, {{'o', "output", true}, {'m', "method", true}, {'r', "recursive", false}});
    help = parsed.help;
    CompressArgs args;
    for (const auto& option : parsed.options) {
        if (option.letter == 'o') {
            args.archive = option.value;
        } else if (option.letter == 'm') {
            args.method = methodSwitch(option.value);
        } else {
            args.recursive = true;
        }
    }
    args.inputs = parsed.operands;
    if (!help && args.archive.empty()) {
        throw UsageError("no archive (-o ARCHIVE)");
    }
    if (!help && args.inputs.empty()) {
        throw UsageError("nothing to compress");
    }
    return args;
}

// Checks every input before the archive is touched; a folder without -r is a usage error.
bool checkCompressInputs(const CompressArgs& args, const std::string& archive) {
    if (!passable("compress", args.archive)) {
        return false;
    }
    for (const auto& input : args.inputs) {
        struct stat st {};
        if (stat(input.c_str(), &st) != 0) {
            PrintError("compress", input + ": " + ErrnoText(errno));
            return false;
        }
        if (S_ISDIR(st.st_mode) && !args.recursive) {
            throw UsageError(input + ": is a folder; add -r to take it with its contents");
        }
        if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) {
            PrintError("compress", input + ": not a regular file or folder");
            return false;
        }
        if (IsSameFile(input, archive)) {
            PrintError("compress", input + ": is the archive itself");
            return false;
        }
        if (!passable("compress", input)) {
            return false;
        }
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::string folder = FolderPart(path);
    return folder.empty() ? "./" : folder;
}

std::string compressCommand(const CompressArgs& args, const std::string& input) {
    const std::string head = "a " + args.method + " ";
    if (std::filesystem::is_directory(input)) {
        return "a -d1 " + args.method + " " + Quoted(args.archive) + " " +
               Quoted(WithTrailingBackslash(input)) + " *.*";
    }
    return head + Quoted(args.archive) + " " + Quoted(folderOf(input)) + " " +
           Quoted(FileNamePart(input));
}

} // namespace

int RunCompress(int argc, char** argv) {
    bool help = false;
    const CompressArgs args = parseCompress(argc, argv, help);
    if (help) {
        std::fputs(CompressUsage, stdout);
        return ExitOk;
    }
    const std::string archive = archiveFile(args.archive);
    if (!checkCompressInputs(args, archive)) {
        return ExitFailed;
    }
    const bool existedBefore = exists(archive);
    CatchInterrupt();
    for (const auto& input : args.inputs) {
        const LibraryResult result = RunLibraryCommand(compressCommand(args, input));
        const bool stopped = InterruptRequested();
        if (result.code != 0 || stopped) {
            // A new archive left by a failed run is removed: it would pass for a whole one.
            if (!existedBefore) {
                unlink(archive.c_str());
            }
            PrintError("compress",
                       input + ": " +
                           (stopped ? std::string("interrupted") : FirstLine(result.report)));
            return ExitFailed;
        }
    }
    return ExitOk;
}

int RunExtract(int argc, char** argv) {
    const ParsedArgs parsed = ParseArgs(argc, argv, {{'o', "output", true}});
    if (parsed.help) {
        std::fputs(ExtractUsage, stdout);
        return ExitOk;
    }
    std::string dest = ".";
    for (const auto& option : parsed.options) {
        dest = option.value;
    }
    if (parsed.operands.empty()) {
        throw UsageError("no archive to extract");
    }
    std::error_code error;
    std::filesystem::create_directories(dest, error);
    if (!std::filesystem::is_directory(dest)) {
        PrintError("extract", dest + ": " + (error ? error.message() : "not a folder"));
        return ExitFailed;
    }
    if (!passable("extract", dest)) {
        return ExitFailed;
    }
    CatchInterrupt();
    int status = ExitOk;
    for (const auto& archive : parsed.operands) {
        if (InterruptRequested()) {
            PrintError("extract", archive + ": interrupted; not extracted");
            return ExitFailed;
        }
        if (!exists(archive)) {
            PrintError("extract", archive + ": " + ErrnoText(ENOENT));
            status = ExitFailed;
            continue;
        }
        if (!passable("extract", archive)) {
            status = ExitFailed;
            continue;
        }
        const LibraryResult result = RunLibraryCommand("e -x1m1 " + Quoted(archive) + " " +
                                                       Quoted(WithTrailingBackslash(dest)));
        if (result.code != 0) {
            PrintError("extract", archive + ": " + FirstLine(result.report));
            status = ExitFailed;
        }
    }
    return status;
}

int RunTest(int argc, char** argv) {
    const ParsedArgs parsed = ParseArgs(argc, argv, {});
    if (parsed.help) {
        std::fputs(TestUsage, stdout);
        return ExitOk;
    }
    if (parsed.operands.empty()) {
        throw UsageError("no archive to test");
    }
    int status = ExitOk;
    for (const auto& archive : parsed.operands) {
        if (!exists(archive)) {
            PrintError("test", archive + ": " + ErrnoText(ENOENT));
            status = ExitFailed;
            continue;
        }
        if (!passable("test", archive)) {
            status = ExitFailed;
            continue;
        }
        const LibraryResult result = RunLibraryCommand("t " + Quoted(archive));
        if (result.code != 0) {
            PrintError("test", archive + ": " + FirstLine(result.report));
            status = ExitFailed;
        } else {
            std::printf("%s: OK\n", archive.c_str());
        }
    }
    return status;
}

} // namespace zol::cli
