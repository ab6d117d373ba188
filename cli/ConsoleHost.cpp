#include "cli/ConsoleHost.h"

#include "cli/CommandLine.h"
#include "cli/Interrupt.h"
#include "engine/MessageBox.h"

namespace zol::cli {

namespace {

// The system's drive facts, except that nothing is removable.
class FixedDrives : public DriveService {
public:
    std::string driveRoot(const std::string& path) override { return system_->driveRoot(path); }
    bool isRemovable(const std::string&) override { return false; }

private:
    std::unique_ptr<DriveService> system_ = makeSystemDriveService();
};

} // namespace

ConsoleHost::ConsoleHost(std::string command)
    : command_(std::move(command)), progress_(command_), drives_(std::make_unique<FixedDrives>()) {}

ConsoleHost::~ConsoleHost() = default;

std::string ConsoleHost::memo(int line) const {
    return line >= 1 && line <= 4 ? memo_[line - 1] : std::string();
}

void ConsoleHost::setMemo(int line, const std::string& text) {
    if (line >= 1 && line <= 4) {
        memo_[line - 1] = text;
    }
}

int ConsoleHost::messageBox(const std::string& text, const std::string&, unsigned flags) {
    progress_.show(false);
    PrintError(command_, text);
    switch (flags & mb::ButtonMask) {
    case mb::OkCancel:
        failed_ = true;
        return mb::IdCancel;
    case mb::YesNo:
        failed_ = true;
        return mb::IdNo;
    default:
        if ((flags & mb::IconMask) == mb::IconError) {
            failed_ = true;
        }
        return mb::IdOk;
    }
}

void ConsoleHost::processEvents() {
    if (InterruptRequested()) {
        job_.CancelFlag = 1;
    }
}

} // namespace zol::cli
