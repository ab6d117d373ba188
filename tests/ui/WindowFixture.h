#pragma once

#include "FakeDialogs.h"
#include "TZOLMain.h"
#include "platform/DriveService.h"
#include "platform/TempFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zol::test {

// A folder that reports itself as a removable drive whose root it is; every other path lies
// on a fixed disk with the root "/".
class SimulatedDrives : public DriveService {
public:
    std::string removableRoot; // ends with "/"
    std::string driveRoot(const std::string& path) override;
    bool isRemovable(const std::string& path) override;
};

// The real main window with fake dialogs, a simulated floppy and a scratch folder.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    void makeWindow(const QStringList& arguments = {});

    // Scratch paths, native, ending with "/" for folders.
    std::string scratch(const std::string& name = {}) const;
    std::string makeFolder(const std::string& name) const;
    std::string writeFile(const std::string& name, std::size_t size, char seed = 'a') const;

    QTemporaryDir dir_;
    FakeDialogs dialogs_;
    SimulatedDrives drives_;
    TempFolder temp_;
    std::unique_ptr<TZOLMain> win_;
};

std::string ReadAll(const std::string& path);
bool Exists(const std::string& path);

} // namespace zol::test
