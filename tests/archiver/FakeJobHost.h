#pragma once

#include "engine/JobHost.h"
#include "platform/DriveService.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zol::test {

// What a box showed, and how many library commands had run when it came up.
struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags;
    std::size_t commandsBefore;
};

// The window as compress and extract see it: list, output text, sub-choice and boxes.
class FakeJobHost : public JobHost {
public:
    std::vector<std::string> entries;
    std::string output;
    bool folderChosen = false;
    std::vector<ShownBox> boxes;
    int selectFilesCalls = 0;
    std::size_t commandsBeforeSelectFiles = 0;
    static constexpr std::uintptr_t Window = 0x5A01;
    // How many library commands have run so far, as the test can tell.
    std::function<std::size_t()> commandCount = [] { return std::size_t{0}; };

    JobState& job() override { return state_; }
    std::vector<std::string> inputs() const override { return entries; }
    void clearInputs() override { entries.clear(); }
    void addInput(const std::string& path) override { entries.push_back(path); }
    std::string outputText() const override { return output; }
    void setOutputText(const std::string& text) override { output = text; }
    std::string memo(int) const override { return {}; }
    void setMemo(int, const std::string&) override {}
    bool joinPiecesChosen() const override { return false; }
    bool compressFolderChosen() const override { return folderChosen; }
    void selectCompressFiles() override {
        ++selectFilesCalls;
        commandsBeforeSelectFiles = commandCount();
        folderChosen = false;
    }
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        boxes.push_back({text, caption, flags, commandCount()});
        return 1;
    }
    void showProgress(bool) override {}
    void setProgressMax(std::int64_t) override {}
    void setProgressPos(std::int64_t) override {}
    void stepProgress() override {}
    void processEvents() override {}
    DriveService& drives() override { throw std::logic_error("compress and extract ask no drive"); }
    void formatFloppy(const std::string&) override {}
    std::string tempFolder() override { return "/tmp/"; }
    std::uintptr_t windowHandle() const override { return Window; }

private:
    JobState state_;
};

} // namespace zol::test
