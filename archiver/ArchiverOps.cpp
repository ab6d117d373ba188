#include "ArchiverOps.h"

#include "ArchiverCommands.h"
#include "engine/JobHost.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/Texts.h"
#include "unlha32.h"

#include <filesystem>
#include <vector>

namespace zol {

namespace {

constexpr std::uint32_t OutputBufferSize = 32000;

struct CommandResult {
    std::int32_t code;
    std::string report;
};

// One library command with a fresh command copy and a fresh output buffer, both gone after it.
CommandResult RunCommand(JobHost& host, const std::string& command) {
    std::vector<char> commandBuffer(command.begin(), command.end());
    commandBuffer.push_back('\0');
    std::vector<char> output(OutputBufferSize, '\0');
    const std::int32_t code =
        Unlha(host.windowHandle(), commandBuffer.data(), output.data(), OutputBufferSize);
    output.back() = '\0';
    return {code, std::string(output.data())};
}

// The folder form adds a folder from inside it: "FOLDER/ *.*". The folder chooser lists a
// folder with its "/", but a dropped folder or one from the command line comes without, and a
// file may be listed too; for those the library would read "*.*" in the current folder. So a
// folder always gets its "/", and anything else is added as itself, without "*.*".
std::string CompressEntryCommand(const std::string& head, const std::string& entry, bool folder) {
    std::error_code error;
    if (folder && std::filesystem::is_directory(entry, error))
        return CompressCommand(head, WithTrailingBackslash(entry), true);
    return CompressCommand(head, entry, false);
}

} // namespace

void CompressInputs(JobHost& host) {
    const bool folder = host.compressFolderChosen();
    const std::string head = CompressCommandHead(host.outputText(), folder);
    // The library shows no window of its own, so the reports of failed commands are gathered
    // and shown once, after every entry has been tried.
    std::string failures;
    bool failed = false;
    JobState& job = host.job();
    job.CurItem = 0;
    for (const std::string& entry : host.inputs()) {
        const CommandResult result = RunCommand(host, CompressEntryCommand(head, entry, folder));
        if (result.code != 0) {
            failed = true;
            if (!result.report.empty()) {
                if (!failures.empty() && failures.back() != '\n')
                    failures += '\n';
                failures += result.report;
            }
        }
        ++job.CurItem;
    }
    if (failed)
        host.messageBox(failures.empty() ? "圧縮で異常が発生しました。" : failures, MsgCaption,
                        mb::IconError | mb::Ok);
    host.selectCompressFiles();
}

void ExtractArchives(JobHost& host) {
    const std::string dest = WithTrailingBackslash(host.outputText());
    JobState& job = host.job();
    job.CurItem = 0;
    for (const std::string& entry : host.inputs()) {
        if (RunCommand(host, ExtractCommand(entry, dest)).code != 0)
            host.messageBox("解凍で異常が発生しました。", MsgCaption, mb::IconError | mb::Ok);
        ++job.CurItem;
    }
}

} // namespace zol
