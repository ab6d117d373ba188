// Sets made by zol are joined by the window's engine, and sets the engine cuts are joined by
// zol: both front ends read each other's pieces.

#include "ZolRun.h"
#include "engine/JobHost.h"
#include "engine/Joiner.h"
#include "engine/MessageBox.h"
#include "engine/Splitter.h"
#include "platform/DriveService.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace zol::test {
namespace {

class FixedDisk : public DriveService {
public:
    std::string driveRoot(const std::string&) override { return "/"; }
    bool isRemovable(const std::string&) override { return false; }
};

// What the window gives the engine, with no window: a list, an output text, no questions.
class EngineHost : public JobHost {
public:
    JobState& job() override { return job_; }
    std::vector<std::string> inputs() const override { return inputs_; }
    void clearInputs() override { inputs_.clear(); }
    void addInput(const std::string& path) override { inputs_.push_back(path); }
    std::string outputText() const override { return output_; }
    void setOutputText(const std::string& text) override { output_ = text; }
    std::string memo(int) const override { return {}; }
    void setMemo(int, const std::string&) override {}
    bool joinPiecesChosen() const override { return true; }
    bool compressFolderChosen() const override { return false; }
    void selectCompressFiles() override {}
    int messageBox(const std::string& text, const std::string&, unsigned) override {
        boxes.push_back(text);
        return mb::IdOk;
    }
    void showProgress(bool) override {}
    void setProgressMax(std::int64_t) override {}
    void setProgressPos(std::int64_t) override {}
    void stepProgress() override {}
    void processEvents() override {}
    DriveService& drives() override { return drives_; }
    void formatFloppy(const std::string&) override {}
    std::string tempFolder() override { return "/tmp/"; }
    std::uintptr_t windowHandle() const override { return 0; }

    std::vector<std::string> boxes;

private:
    JobState job_;
    std::vector<std::string> inputs_;
    std::string output_;
    FixedDisk drives_;
};

TEST(EngineInterop, EngineJoinsASetMadeByZol) {
    ScratchDir dir;
    const std::string data = RandomBytes(3000000, 21);
    WriteFile(dir / "a.dat", data);
    WriteFile(dir / "b.dat", RandomBytes(10, 22));
    ASSERT_EQ(RunZol({"split", "-o", "p", "b.dat", "a.dat"}, dir.path()).status, 0);

    EngineHost host;
    for (const auto& name : ListFolder(dir / "p")) {
        if (name != "b.dat") {
            host.addInput(dir / "p/" + name);
        }
    }
    ASSERT_EQ(host.inputs().size(), 3u);
    host.setOutputText(dir / "joined");
    JoinFiles(host);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(ReadFile(dir / "joined"), data);
}

TEST(EngineInterop, ZolJoinsASetCutByTheEngine) {
    ScratchDir dir;
    const std::string first = RandomBytes(2000000, 23);
    const std::string second = RandomBytes(4000000, 24);
    WriteFile(dir / "first", first);
    WriteFile(dir / "second", second);

    EngineHost host;
    host.job().ProcMode = mode::Split;
    host.job().PieceSize = piece::Size072;
    host.addInput(dir / "first");
    host.addInput(dir / "second");
    ASSERT_EQ(RunShell("mkdir " + dir / "p"), 0);
    host.setOutputText(dir / "p/");
    SplitFiles(host);
    ASSERT_TRUE(host.boxes.empty());

    const ZolResult join = RunZol({"join", "-o", "out", "p/zold(second)060103.zol"}, dir.path());
    ASSERT_EQ(join.status, 0) << join.err;
    EXPECT_EQ(ReadFile(dir / "out"), second);
    ASSERT_EQ(unlink((dir / "first").c_str()), 0);
    ASSERT_EQ(RunZol({"join", "p/zold(first)030001.zol"}, dir.path()).status, 0);
    EXPECT_EQ(ReadFile(dir / "first"), first);
}

} // namespace
} // namespace zol::test
