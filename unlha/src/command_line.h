#pragma once

// The command strings of Unlha: "COMMAND [-SWITCHES] ARCHIVE [BASE/] [NAMES...]".

#include <optional>
#include <string>
#include <vector>

namespace unlha {

// Splits at blanks; double quotes group (and are removed). Nothing is escaped.
std::vector<std::string> SplitCommandLine(const std::string& line);

enum class Method { Lh5, Lh6, Lh7, Store };

struct Command {
    char verb = 0;                 // a, e, x, l, v, t, d
    bool recurse = false;          // -d1
    std::optional<bool> keepPaths; // -x1 / -x0; unset: the verb's default
    bool overwrite = false;        // -m1
    Method method = Method::Lh5;
    std::string archive; // as written, before ".lzh" is added
    // Names in order, each with the base folder that was current when it was written.
    struct Name {
        std::string base; // ends with "/", or empty
        std::string name;
    };
    std::vector<Name> names;
    std::string lastBase; // the last base folder written (the destination of e and x)
};

struct ParseResult {
    std::optional<Command> command;
    std::string error;
};

ParseResult ParseCommand(const std::string& line);

// The archive's file name: one without an extension gets ".lzh".
std::string ArchiveFileName(const std::string& written);

} // namespace unlha
