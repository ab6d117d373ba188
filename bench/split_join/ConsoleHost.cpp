#include "ConsoleHost.h"

#include "engine/MessageBox.h"

#include <cstdio>

namespace zol::bench {

ConsoleHost::ConsoleHost() : drives_(makeSystemDriveService()) {}

int ConsoleHost::messageBox(const std::string& text, const std::string& caption, unsigned) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return mb::IdOk;
}

} // namespace zol::bench
