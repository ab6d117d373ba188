#include "FakeHost.h"

#include "TestFiles.h"
#include "engine/ListOrder.h"
#include "engine/MessageBox.h"
#include "platform/FolderListing.h"

#include <algorithm>

namespace zol::test {

std::string FakeDriveService::driveRoot(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    return isRemovable(path) ? removableRoot : "/";
}

bool FakeDriveService::isRemovable(const std::string& path) {
    return !removableRoot.empty() && !path.empty() && (path + "/").rfind(removableRoot, 0) == 0;
}

void FakeHost::addInput(const std::string& path) {
    if (sorted) {
        list.insert(std::upper_bound(list.begin(), list.end(), path, ListOrderLess), path);
    } else {
        list.push_back(path);
    }
}

int FakeHost::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    boxes.push_back({text, caption, flags});
    return answer ? answer(boxes.back()) : mb::IdOk;
}

void FakeHost::stepProgress() {
    ++progressSteps;
    ++progressPos;
}

void FakeHost::processEvents() {
    ++eventPumps;
    if (onEvents) {
        onEvents();
    }
}

void FakeHost::formatFloppy(const std::string& driveRoot) {
    formatted.push_back(driveRoot);
    RemoveFiles(driveRoot);
}

int FakeHost::countBoxes(const std::string& text) const {
    return static_cast<int>(std::count_if(boxes.begin(), boxes.end(),
                                          [&](const ShownBox& box) { return box.text == text; }));
}

void MoveFilesTo(const std::string& folder, const std::string& shelf) {
    mkdir(shelf.c_str(), 0755);
    for (const auto& name : FolderEntries(folder)) {
        std::rename((folder + name).c_str(), (shelf + name).c_str());
    }
}

void CopyFilesTo(const std::string& shelf, const std::string& folder) {
    for (const auto& name : FolderEntries(shelf)) {
        WriteBytes(folder + name, ReadBytes(shelf + name));
        SetModifiedTime(folder + name, ModifiedTime(shelf + name));
    }
}

void RemoveFiles(const std::string& folder) {
    for (const auto& name : FolderEntries(folder)) {
        std::remove((folder + name).c_str());
    }
}

} // namespace zol::test
