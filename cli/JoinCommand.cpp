#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/FailedFile.h"
#include "cli/Interrupt.h"
#include "cli/JoinSet.h"
#include "engine/Joiner.h"
#include "engine/Paths.h"
#include "engine/SameFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zol::cli {

namespace {

const char* const Usage =
    "Usage: zol join [-o FILE] [--as-given] PIECE...\n"
    "Puts a split set back together. Given every piece, joins them in piece order; given one\n"
    "piece, finds the others of its set beside it. The set must be whole (pieces 01 to NN,\n"
    "each once, all but the last of one size), or nothing is written. An existing file of\n"
    "the joined file's name is replaced.\n"
    "\n"
    "  -o, --output FILE  the joined file (default: the name in the pieces, in the current\n"
    "                     folder; a folder puts it there)\n"
    "  -a, --as-given     join any files, in the order given, without checks\n"
    "  -h, --help         show this help\n";

struct JoinArgs {
    std::string output;
    bool asGiven = false;
    std::vector<std::string> files;
};

JoinArgs parse(int argc, char** argv, bool& help) {
    const ParsedArgs parsed =
        ParseArgs(argc, argv, {{'o', "output", true}, {'a', "as-given", false}});
    help = parsed.help;
    JoinArgs args;
    for (const auto& option : parsed.options) {
        if (option.letter == 'o') {
            args.output = option.value;
        } else {
            args.asGiven = true;
        }
    }
    args.files = parsed.operands;
    if (!help && args.files.empty()) {
        throw UsageError("no piece to join");
    }
    return args;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The pieces to join in joining order, with their sizes; empty after a printed refusal.
std::vector<PieceFile> collectPieces(const JoinArgs& args) {
    std::vector<std::string> paths = args.files;
    if (!args.asGiven && paths.size() == 1) {
        if (!ReadPieceName(paths[0])) {
            PrintError("join", paths[0] + ": not a piece of a split set (zold(NAME)NNFFKK.zol)");
            return {};
        }
        paths = FindSetBeside(paths[0]);
    }
    std::vector<PieceFile> pieces;
    for (const auto& path : paths) {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) {
            PrintError("join", path + ": " + ErrnoText(errno));
            return {};
        }
        if (!S_ISREG(st.st_mode)) {
            PrintError("join", path + ": not a regular file");
            return {};
        }
        pieces.push_back({path, st.st_size});
    }
    if (args.asGiven) {
        return pieces;
    }
    const std::vector<SetProblem> problems = CheckSet(pieces);
    for (const auto& problem : problems) {
        PrintError("join", problem.path + ": " + problem.cause);
    }
    if (!problems.empty()) {
        PrintError("join", "the set is not whole; nothing was written");
        return {};
    }
    return InPieceOrder(std::move(pieces));
}

// -o FILE, -o FOLDER (the recovered name inside it), or the recovered name here.
std::string outputPath(const JoinArgs& args, const std::vector<PieceFile>& pieces) {
    const auto fields = ReadPieceName(pieces.front().path);
    const std::string recovered = fields ? fields->sourceName : std::string();
    if (!args.output.empty() && !isFolder(args.output)) {
        return args.output;
    }
    if (recovered.empty()) {
        throw UsageError("no output file (-o FILE): " + pieces.front().path +
                         " is not a piece name to take it from");
    }
    return args.output.empty() ? recovered : WithTrailingBackslash(args.output) + recovered;
}

// A free name beside target for the join to fill. The file mkstemp made is removed again so
// that the engine creates the file afresh: truncating an existing one would make ext4 flush it
// on close, which slows the join by a third.
std::string freeNameBeside(const std::string& target) {
    std::string pattern = FolderPart(target) + "." + FileNamePart(target) + ".zol-join-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return {};
    }
    close(fd);
    unlink(pattern.c_str());
    return pattern;
}

} // namespace

int RunJoin(int argc, char** argv) {
    bool help = false;
    const JoinArgs args = parse(argc, argv, help);
    if (help) {
        std::fputs(Usage, stdout);
        return ExitOk;
    }
    const std::vector<PieceFile> pieces = collectPieces(args);
    if (pieces.empty()) {
        return ExitFailed;
    }
    const std::string output = outputPath(args, pieces);
    for (const auto& piece : pieces) {
        if (IsSameFile(output, piece.path)) {
            PrintError("join", output + ": is one of the pieces; choose another output (-o)");
            return ExitFailed;
        }
    }
    // Caught before the work file exists, so a Ctrl-C from here on removes it.
    CatchInterrupt();
    // The join fills a work file that takes the output's name only when it is whole, so an
    // interrupted or failed join never leaves a partial file under that name.
    const std::string work = freeNameBeside(output);
    if (work.empty()) {
        PrintError("join", output + ": " + ErrnoText(errno));
        return ExitFailed;
    }

    ConsoleHost host("join");
    host.job().ProcMode = mode::Join;
    host.setJoinPiecesChosen(!args.asGiven);
    for (const auto& piece : pieces) {
        host.addInput(piece.path);
    }
    host.setOutputText(work);

    try {
        JoinFiles(host);
    } catch (const std::exception& error) {
        host.showProgress(false);
        unlink(work.c_str());
        PrintError("join", FailedFile(error, pieces.at(host.job().CurItem).path, output) + ": " +
                               error.what());
        return ExitFailed;
    }
    if (host.cancelled() || host.failed()) {
        unlink(work.c_str());
        if (host.cancelled()) {
            PrintError("join", output + ": interrupted; nothing was written");
        }
        return ExitFailed;
    }
    if (rename(work.c_str(), output.c_str()) != 0) {
        const int error = errno;
        unlink(work.c_str());
        PrintError("join", output + ": " + ErrnoText(error));
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace zol::cli
