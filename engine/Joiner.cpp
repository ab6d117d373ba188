#include "engine/Joiner.h"

#include "engine/JobHost.h"
#include "engine/Media.h"
#include "engine/MessageBox.h"
#include "engine/SameFile.h"
#include "engine/Texts.h"
#include "engine/TransferBuffer.h"
#include "platform/File.h"
#include "platform/FileInfo.h"

#include <vector>

namespace zol {

namespace {

std::int64_t blockCount(std::int64_t size) {
    const auto block = static_cast<std::int64_t>(TransferBufferSize);
    return (size + block - 1) / block;
}

void stepProgress(JobHost& host) {
    host.stepProgress();
}

// Creating the output truncates it: an output that is one of the inputs would be emptied
// before it is read.
bool outputIsAnInput(JobHost& host, const std::string& output,
                     const std::vector<std::string>& inputs) {
    if (!IsSameFileAsAny(output, inputs)) {
        return false;
    }
    host.messageBox("結合先のファイルが、結合するファイルの中にあります。\n別の結合先を"
                    "指定してください。\n" +
                        output,
                    MsgCaption, mb::Ok | mb::IconError);
    return true;
}

} // namespace

void JoinFiles(JobHost& host) {
    JobState& job = host.job();
    const std::vector<std::string> inputs = host.inputs();
    const std::string outputPath = host.outputText();
    if (outputIsAnInput(host, outputPath, inputs)) {
        return;
    }
    File output = File::create(outputPath);
    host.setProgressPos(0);
    host.showProgress(true);
    std::int64_t blocks = 0;
    for (const auto& path : inputs) {
        blocks += blockCount(FileSizeByName(path));
    }
    host.setProgressMax(blocks);
    std::int32_t time = -1;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        job.CurItem = static_cast<std::int32_t>(i);
        const std::int64_t size = FileSizeByName(inputs[i]);
        File in = File::openRead(inputs[i]);
        MoveBytes(host, in, output, size, AfterBlock::StopOnCancel, stepProgress);
        in.close();
        time = FileDateByName(inputs[i]);
        if (job.CancelFlag == 1) {
            break;
        }
    }
    SetFileDateByName(outputPath, time);
    // A joined file on a removable disk goes with the disk once the run ends: write it through
    // and report a bad sector now.
    if (IsRemovableDrive(host, outputPath)) {
        output.sync();
    }
    output.close();
    host.showProgress(false);
}

} // namespace zol
