// Choosing inputs and output: the input and output buttons, drops, the list clicks and the
// view button.
#include "Dialogs.h"
#include "NativePath.h"
#include "TZOLMain.h"
#include "engine/InputAnalysis.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/TextFormat.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace zol {

namespace {

bool isJoinMode(std::int32_t procMode) {
    return procMode == mode::Join || procMode == mode::JoinAndExtract;
}

// Help contexts of the output folder chooser, by mode 1 to 5.
int outputHelpContext(std::int32_t procMode) {
    switch (procMode) {
    case mode::Split:
        return 9;
    case mode::Join:
        return 10;
    case mode::Extract:
        return 11;
    case mode::CompressAndSplit:
        return 7;
    default:
        return 12;
    }
}

constexpr int InputFolderHelpContext = 8;

std::vector<std::string> droppedPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = url.toLocalFile();
        // A folder is listed as dropped: without the separator a file manager may add.
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        paths.push_back(ToNative(path));
    }
    return paths;
}

} // namespace

void TZOLMain::NoteLastEntry() {
    if (ListBox1->count() == 0)
        return;
    const std::string last = ListBox1->entry(ListBox1->count() - 1);
    job_.LastInputDir = FolderPart(last);
    if (isJoinMode(job_.ProcMode))
        job_.JoinFileName = PieceOriginalName(last);
}

void TZOLMain::BitBtn1Click() {
    if (running_)
        return;
    if (AsnFile->isChecked()) {
        openDialogFolder_ = job_.LastInputDir;
        const auto files = dialogs_.openFiles(this, FromNative(openDialogFolder_));
        if (!files || files->isEmpty())
            return;
        for (const QString& file : *files)
            addInput(ToNative(file));
        NoteLastEntry();
        return;
    }
    const auto folder =
        dialogs_.chooseFolder(this, FromNative(job_.LastInputDir), InputFolderHelpContext);
    if (!folder)
        return;
    addInput(WithTrailingBackslash(ToNative(*folder)));
    job_.LastInputDir = FolderPart(ListBox1->entry(ListBox1->count() - 1));
}

void TZOLMain::WMDropFiles(const std::vector<std::string>& paths) {
    if (running_)
        return;
    ListBox1->setUpdatesEnabled(false);
    for (const std::string& path : paths)
        addInput(path);
    ListBox1->setUpdatesEnabled(true);
    NoteLastEntry();
}

void TZOLMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!running_ && !droppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TZOLMain::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = droppedPaths(event->mimeData());
    if (running_ || paths.empty())
        return;
    WMDropFiles(paths);
    event->acceptProposedAction();
}

void TZOLMain::ListBox1Click() {
    const auto selected = ListBox1->selectedEntry();
    if (running_ || !selected)
        return;
    ClearMemo();
    setMemo(1, FileLengthText(*selected));
    AnalyseInput(*this, *selected);
    if (isJoinMode(job_.ProcMode) && IsPieceName(*selected))
        setOutputText(job_.OutputDir + PieceOriginalName(*selected));
    BitBtn3->setVisible(ExtensionLower(*selected) == ".lzh");
}

void TZOLMain::ListBox1DblClick() {
    if (running_)
        return;
    const int row = ListBox1->selectedRow();
    if (row >= 0)
        delete ListBox1->takeItem(row);
    // Qt would select the next entry unseen, without its advice and output name; a second
    // double-click would then remove that one too.
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
    ClearMemo();
    BitBtn3->hide();
    Label1->setText(QStringLiteral("指定ファイルリストから削除しました。"));
}

void TZOLMain::BitBtn2Click() {
    if (running_)
        return;
    if (job_.ProcMode == mode::Compress) {
        const auto file = dialogs_.nameFile(this, FromNative(openDialogFolder_));
        if (!file || file->isEmpty())
            return;
        setOutputText(ToNative(*file));
        job_.OutputDir = FolderPart(outputText());
        job_.LastOutputDir = job_.OutputDir;
        return;
    }
    if (job_.ProcMode < mode::Split || job_.ProcMode > mode::JoinAndExtract)
        return;
    const auto folder = dialogs_.chooseFolder(this, FromNative(job_.LastOutputDir),
                                              outputHelpContext(job_.ProcMode));
    if (!folder)
        return;
    job_.OutputDir = WithTrailingBackslash(ToNative(*folder));
    setOutputText(job_.OutputDir);
    if (job_.ProcMode == mode::Join && !job_.JoinFileName.empty())
        setOutputText(job_.OutputDir + job_.JoinFileName);
    job_.LastOutputDir = job_.OutputDir;
}

void TZOLMain::BitBtn3Click() {
    const auto selected = ListBox1->selectedEntry();
    if (running_ || !selected || ExtensionLower(*selected) != ".lzh")
        return;
    if (openViewer_)
        openViewer_();
}

} // namespace zol
