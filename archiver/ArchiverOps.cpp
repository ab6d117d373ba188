#include "ArchiverOps.h"

#include "ArchiverCommands.h"
#include "engine/JobHost.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/Texts.h"
#include "unlha32.h"

#include <filesystem>
#include <optional>
#include <set>
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

// A file is stored under its own name, and a second file of that name replaces the first:
// the name of the first such pair, if any. Folders are added from inside and left out.
std::optional<std::string> FileNameListedTwice(const std::vector<std::string>& entries) {
    std::set<std::string> names;
    for (const std::string& entry : entries) {
        std::error_code error;
        if (!std::filesystem::is_directory(entry, error) &&
            !names.insert(FileNamePart(entry)).second)
            return FileNamePart(entry);
    }
    return std::nullopt;
}

} // namespace

void CompressInputs(JobHost& host) {
    if (const auto twice = FileNameListedTwice(host.inputs())) {
        host.messageBox("同じ名前のファイルが二つあります。\n" + *twice +
                            "\n一つの圧縮ファイルの中では、後のファイルが先のファイルを置き換えて"
                            "しまいます。\n何も圧縮していません。",
                        MsgCaption, mb::IconError | mb::Ok);
        host.selectCompressFiles();
        return;
    }
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
