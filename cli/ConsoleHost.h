#pragma once

#include "cli/Progress.h"
#include "engine/JobHost.h"
#include "platform/DriveService.h"
#include "platform/TempFolder.h"

#include <array>
#include <memory>

namespace zol::cli {

// The engine's channel to a terminal: message boxes become lines on standard error, the
// progress bar is drawn there, and Ctrl-C becomes Cancel. Every output folder counts as a
// fixed disk, so the engine never asks for the next floppy or offers to format one: disk by
// disk work belongs to the window.
class ConsoleHost : public JobHost {
public:
    // command names the messages ("zol split: ..."); the progress bar is labelled with it.
    explicit ConsoleHost(std::string command);
    ~ConsoleHost() override;

    JobState& job() override { return job_; }

    std::vector<std::string> inputs() const override { return inputs_; }
    void clearInputs() override { inputs_.clear(); }
    void addInput(const std::string& path) override { inputs_.push_back(path); }

    std::string outputText() const override { return output_; }
    void setOutputText(const std::string& text) override { output_ = text; }

    std::string memo(int line) const override;
    void setMemo(int line, const std::string& text) override;

    bool joinPiecesChosen() const override { return joinPieces_; }
    bool compressFolderChosen() const override { return false; }
    void selectCompressFiles() override {}
    void setJoinPiecesChosen(bool chosen) { joinPieces_ = chosen; }

    // Prints the text; an error box or a question (answered Cancel or No) fails the run.
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;

    void showProgress(bool visible) override { progress_.show(visible); }
    void setProgressMax(std::int64_t max) override { progress_.setMax(max); }
    void setProgressPos(std::int64_t pos) override { progress_.setPos(pos); }
    void stepProgress() override { progress_.step(); }

    // Turns a pending Ctrl-C into Cancel.
    void processEvents() override;

    DriveService& drives() override { return *drives_; }
    void formatFloppy(const std::string&) override {}
    std::string tempFolder() override { return temp_.path(); }
    std::uintptr_t windowHandle() const override { return 0; }

    // True once the engine reported an error or a question was answered in the negative.
    bool failed() const { return failed_; }
    bool cancelled() const { return job_.CancelFlag == 1; }

private:
    std::string command_;
    JobState job_;
    std::vector<std::string> inputs_;
    std::string output_;
    std::array<std::string, 4> memo_;
    bool joinPieces_ = true;
    bool failed_ = false;
    ProgressBar progress_;
    std::unique_ptr<DriveService> drives_;
    TempFolder temp_;
};

} // namespace zol::cli
