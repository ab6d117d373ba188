#pragma once

#include "engine/JobHost.h"
#include "platform/DriveService.h"
#include "platform/TempFolder.h"

#include <functional>
#include <string>
#include <vector>

namespace zol::test {

// A drive whose root is a test folder and that counts as removable; every other path lies
// on a fixed disk with the root "/".
class FakeDriveService : public DriveService {
public:
    std::string removableRoot; // ending with "/"; empty for none

    std::string driveRoot(const std::string& path) override;
    bool isRemovable(const std::string& path) override;
};

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags;
};

// The window as the engine sees it: the list, the texts and every box, recorded; the
// answers come from a script.
class FakeHost : public JobHost {
public:
    JobState state;
    std::vector<std::string> list;
    bool sorted = true;
    std::string output;
    std::string memoLines[5];
    bool joinPieces = true;
    bool compressFolder = false;

    std::vector<ShownBox> boxes;
    // Answers a box; without a script every box is answered with OK.
    std::function<int(const ShownBox&)> answer;
    // Runs at every processEvents, as a Cancel click would.
    std::function<void()> onEvents;
    int eventPumps = 0;

    bool progressVisible = false;
    std::int64_t progressMax = 0;
    std::int64_t progressPos = 0;
    int progressSteps = 0;

    FakeDriveService drive;
    std::vector<std::string> formatted; // drive roots given to formatFloppy

    JobState& job() override { return state; }
    std::vector<std::string> inputs() const override { return list; }
    void clearInputs() override { list.clear(); }
    void addInput(const std::string& path) override;
    std::string outputText() const override { return output; }
    void setOutputText(const std::string& text) override { output = text; }
    std::string memo(int line) const override { return memoLines[line]; }
    void setMemo(int line, const std::string& text) override { memoLines[line] = text; }
    bool joinPiecesChosen() const override { return joinPieces; }
    bool compressFolderChosen() const override { return compressFolder; }
    void selectCompressFiles() override { compressFolder = false; }
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void showProgress(bool visible) override { progressVisible = visible; }
    void setProgressMax(std::int64_t max) override { progressMax = max; }
    void setProgressPos(std::int64_t pos) override { progressPos = pos; }
    void stepProgress() override;
    void processEvents() override;
    DriveService& drives() override { return drive; }
    // Erases the medium, as the format dialog does.
    void formatFloppy(const std::string& driveRoot) override;
    std::string tempFolder() override { return temp_.path(); }
    std::uintptr_t windowHandle() const override { return 0; }

    int countBoxes(const std::string& text) const;

private:
    TempFolder temp_;
};

// Moves every file of folder into shelf (made when missing), as taking a disk out.
void MoveFilesTo(const std::string& folder, const std::string& shelf);
// Copies every file of shelf into folder, as putting a disk in.
void CopyFilesTo(const std::string& shelf, const std::string& folder);
// Removes every file of folder.
void RemoveFiles(const std::string& folder);

} // namespace zol::test
