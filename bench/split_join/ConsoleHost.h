#pragma once

#include "engine/JobHost.h"
#include "platform/DriveService.h"
#include "platform/TempFolder.h"

#include <memory>

namespace zol::bench {

// Runs the engine without a window: boxes go to stderr and are answered with OK.
class ConsoleHost : public JobHost {
public:
    std::vector<std::string> list;
    std::string output;
    JobState state;

    ConsoleHost();
    JobState& job() override { return state; }
    std::vector<std::string> inputs() const override { return list; }
    void clearInputs() override { list.clear(); }
    void addInput(const std::string& path) override { list.push_back(path); }
    std::string outputText() const override { return output; }
    void setOutputText(const std::string& text) override { output = text; }
    std::string memo(int) const override { return {}; }
    void setMemo(int, const std::string&) override {}
    bool joinPiecesChosen() const override { return true; }
    bool compressFolderChosen() const override { return false; }
    void selectCompressFiles() override {}
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void showProgress(bool) override {}
    void setProgressMax(std::int64_t) override {}
    void setProgressPos(std::int64_t) override {}
    void stepProgress() override {}
    void processEvents() override {}
    DriveService& drives() override { return *drives_; }
    void formatFloppy(const std::string&) override {}
    std::string tempFolder() override { return temp_.path(); }
    std::uintptr_t windowHandle() const override { return 0; }

private:
    std::unique_ptr<DriveService> drives_;
    TempFolder temp_;
};

} // namespace zol::bench
