#pragma once

namespace zol::cli {

// Each command gets its own argv (argv[0] is the command's name) and returns the exit status.
// They throw UsageError for a command line that does not make sense.
int RunSplit(int argc, char** argv);
int RunJoin(int argc, char** argv);
int RunCompress(int argc, char** argv);
int RunExtract(int argc, char** argv);
int RunList(int argc, char** argv);
int RunTest(int argc, char** argv);

} // namespace zol::cli
