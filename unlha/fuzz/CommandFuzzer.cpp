// Command strings of any bytes: the parser and the wildcard matcher must neither crash nor
// take long. The commands are only parsed, never run.
#include "command_line.h"
#include "wildcard.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const unlha::ParseResult parsed = unlha::ParseCommand(line);
    if (parsed.command) {
        unlha::ArchiveFileName(parsed.command->archive);
        for (const auto& name : parsed.command->names) {
            unlha::WildcardMatch(name.name, parsed.command->archive);
            unlha::MemberMatches(name.name, name.base + name.name);
        }
    } else if (parsed.error.empty()) {
        __builtin_trap(); // a refused command always says why
    }
    return 0;
}
