#include "engine/Media.h"

#include "engine/JobHost.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/Texts.h"
#include "platform/DriveService.h"
#include "platform/FolderListing.h"

namespace zol {

bool IsRemovableDrive(JobHost& host, const std::string& path) {
    return !path.empty() && host.drives().isRemovable(path);
}

void PrepareFloppy(JobHost& host, const std::string& folderText) {
    if (!IsRemovableDrive(host, folderText)) {
        return;
    }
    // "." and ".." say nothing about the disk: only a real entry makes it "not empty", also
    // in a folder below the drive root.
    if (FolderEntries(FolderPart(folderText)).empty()) {
        return;
    }
    const int answer = host.messageBox(
        "指定のＦＤは、初期化されたＦＤではありません。\nＦＤのフォーマットを行いますか？",
        MsgCaption, mb::OkCancel | mb::IconQuestion);
    if (answer == mb::IdOk) {
        FormatFloppy(host, folderText);
    }
}

void FormatFloppy(JobHost& host, const std::string& driveText) {
    const std::string root = host.drives().driveRoot(driveText);
    if (!root.empty()) {
        host.formatFloppy(root);
    }
}

} // namespace zol
