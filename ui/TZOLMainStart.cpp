// Start: the confirmations, the run of the mode, the two sequences and the reset.
#include "TZOLMain.h"
#include "engine/Media.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/PieceSetCheck.h"
#include "engine/SameFile.h"
#include "engine/Texts.h"
#include "platform/FileError.h"

#include <filesystem>
#include <optional>

namespace zol {

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

struct StartTexts {
    const char* emptyList;
    const char* confirm;
};

StartTexts startTexts(std::int32_t procMode) {
    switch (procMode) {
    case mode::Compress:
        return {"圧縮ファイルを指定していません。指定して再度開始をしてください。",
                "圧縮先フォルダと圧縮ファイル名の指定は問題ありませんか？"};
    case mode::Split:
        return {"分割ファイルを指定していません。指定して再度開始をしてください。",
                "分割先フォルダと分割ファイルの指定は問題ありませんか？"};
    case mode::Join:
    case mode::JoinAndExtract:
        return {"結合ファイルを指定していません。指定して再度開始をしてください。",
                "結合先フォルダと結合ファイルの指定は問題ありませんか？"};
    case mode::Extract:
        return {"解凍ファイルを指定していません。指定して再度開始をしてください。",
                "解凍先フォルダと解凍ファイルの指定は問題ありませんか？"};
    default: // mode::CompressAndSplit
        return {"圧縮ファイルを指定していません。指定して再度開始をしてください。",
                "圧縮ファイルと分割先フォルダの指定は問題ありませんか？"};
    }
}

bool isChosenMode(std::int32_t procMode) {
    return procMode >= 0 && procMode <= 5;
}

bool isJoinMode(std::int32_t procMode) {
    return procMode == mode::Join || procMode == mode::JoinAndExtract;
}

// Why listed pieces cannot be joined as one set, or nothing: a join would write a file with a
// piece missing, twice or of another file, and report it done. A list holding other files
// than pieces is the user's own and is joined as it stands.
std::optional<std::string> setGapText(const std::vector<std::string>& listed) {
    const std::vector<SetGap> gaps = FindSetGaps(listed);
    for (const SetGap& gap : gaps)
        if (gap.kind == SetGap::Kind::NotAPiece)
            return std::nullopt;
    if (gaps.empty())
        return std::nullopt;
    const SetGap& gap = gaps.front();
    const std::string name = "\n" + FileNamePart(gap.path) + "\n";
    switch (gap.kind) {
    case SetGap::Kind::Missing:
        return "分割ファイルが足りません。" + name + "全部を指定して再度開始をしてください。";
    case SetGap::Kind::Twice:
        return "同じ分割ファイルが二つ指定されています。" + name +
               "一つにして再度開始をしてください。";
    case SetGap::Kind::OtherSet:
        return "別の分割ファイルが混ざっています。" + name + "取除いて再度開始をしてください。";
    default: // OutOfRange, NoCount
        return "分割の数と合わない番号の分割ファイルです。" + name +
               "取除いて再度開始をしてください。";
    }
}

void removeQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

void TZOLMain::StartButtonClick() {
    if (running_)
        return;
    CancelButton->setEnabled(true);
    job_.CancelFlag = 0;
    LockForRun(true);
    bool finished = false;
    try {
        // A refused Start keeps the whole job, the joined file's name included.
        bool refused = false;
        if (!isChosenMode(job_.ProcMode))
            messageBox("処理方法が決定されていません。", MsgCaption, mb::Ok | mb::IconError);
        else if (!RunMode(job_.ProcMode))
            refused = true;
        else if (isChosenMode(job_.ProcMode))
            ResetAfterStart();
        CancelButton->setEnabled(false);
        if (!refused)
            job_.JoinFileName.clear();
        finished = true;
    } catch (const std::exception& error) {
        // A failed file operation ends the Start where it stands: the window keeps its mode
        // and Cancel stays enabled.
        ShowTopLevelError(error.what());
    }
    LockForRun(false);
    CancelButton->setEnabled(!finished);
    if (closeWhenDone_)
        close();
}

bool TZOLMain::RunMode(std::int32_t procMode) {
    // Without an output, or with a bare name (a piece clicked before any output folder was
    // chosen), every mode would work in the program's current folder, unseen, and extracting
    // would overwrite there. Nothing has been done yet, so the inputs stay listed (and no
    // floppy is asked for) until an output is given.
    if (!inputs().empty() && (outputText().empty() || outputText().front() != '/')) {
        messageBox(outputText().empty()
                       ? "出力先を指定していません。指定して再度開始をしてください。"
                       : "出力先のフォルダを指定していません。指定して再度開始をしてください。",
                   MsgCaption, mb::Ok | mb::IconError);
        return false;
    }
    bool gathered = false;
    if (isJoinMode(procMode)) {
        const std::vector<std::string> listed = inputs();
        if (!listed.empty() && IsRemovableDrive(*this, listed.front())) {
            operations_.gather(*this, listed.front());
            gathered = true;
        }
    }
    const StartTexts texts = startTexts(procMode);
    if (inputs().empty()) {
        messageBox(texts.emptyList, MsgCaption, mb::Ok | mb::IconError);
        return true;
    }
    // Pieces gathered from floppies are a whole set already; listed ones are checked before
    // anything is written, and the list stays for the user to mend.
    if (isJoinMode(procMode) && !gathered && joinPiecesChosen())
        if (const auto gap = setGapText(inputs())) {
            messageBox(*gap, MsgCaption, mb::Ok | mb::IconError);
            return false;
        }
    if (messageBox(texts.confirm, MsgCaption, mb::OkCancel | mb::IconQuestion) != mb::IdOk)
        return true;
    switch (procMode) {
    case mode::Compress:
        operations_.compress(*this);
        break;
    case mode::Split:
        operations_.split(*this);
        break;
    case mode::Join:
        NameJoinedFile();
        JoinListed(gathered);
        break;
    case mode::Extract:
        operations_.extract(*this);
        break;
    case mode::CompressAndSplit:
        CompressAndSplit();
        break;
    default:
        JoinAndExtract(gathered);
        break;
    }
    return true;
}

void TZOLMain::CompressAndSplit() {
    const std::string destination = outputText();
    const std::string folder = tempFolder();
    if (folder.empty()) {
        messageBox("一時フォルダを作成できません。圧縮と分割は行いません。", MsgCaption,
                   mb::Ok | mb::IconError);
        return;
    }
    const std::string archiveName = folder + "zoltemp";
    const std::string archive = archiveName + ".lzh";
    // A stale archive would be added to, not replaced.
    removeQuietly(archive);
    setOutputText(archiveName);
    operations_.compress(*this);
    setOutputText(destination);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(archive, ec)) {
        messageBox("圧縮ファイルが作成されませんでした。分割は行いません。", MsgCaption,
                   mb::Ok | mb::IconError);
        return;
    }
    clearInputs();
    addInput(archive);
    try {
        operations_.split(*this);
    } catch (...) {
        removeQuietly(archive);
        throw;
    }
    removeQuietly(archive);
}

void TZOLMain::JoinListed(bool gathered) {
    const std::vector<std::string> joined = inputs();
    operations_.join(*this);
    if (!gathered)
        return;
    // The copies gathered from floppies have served once the join has read them.
    const std::string folder = tempFolder();
    for (const std::string& copy : joined)
        if (!folder.empty() && copy.rfind(folder, 0) == 0)
            removeQuietly(copy);
}

// An output folder chosen before the pieces were listed (or in join and extract, always) is
// still only the folder: the joined file gets the pieces' original name in it. A click on a
// piece may already have named the file, which must not be named twice.
void TZOLMain::NameJoinedFile() {
    const std::string output = outputText();
    if (!output.empty() && output.back() == '/')
        setOutputText(output + job_.JoinFileName);
}

void TZOLMain::JoinAndExtract(bool gathered) {
    NameJoinedFile();
    const std::string joined = outputText();
    const bool refused = IsSameFileAsAny(joined, inputs());
    JoinListed(gathered);
    // A refused or cancelled join leaves no whole archive: extracting what is there would
    // overwrite files with the members it happens to hold.
    if (refused || job_.CancelFlag == 1)
        return;
    clearInputs();
    addInput(joined);
    setOutputText(FolderPart(joined));
    operations_.extract(*this);
}

void TZOLMain::ResetAfterStart() {
    for (int count = ListBox1->count(); count > 0; --count)
        delete ListBox1->takeItem(0);
    Edit1->clear();
    GroupBox2->hide();
    GroupBox6->hide();
    Prcinf->setText(q("最初に処理方法を決定して下さい。（圧縮、分割、結合、解凍）"));
    for (QRadioButton* modeRadio : {AchAndBun, Archive, Bunkatu, Ketugou, Melt, KetuAndMelt}) {
        // Exclusivity would keep the checked radio checked.
        modeRadio->setAutoExclusive(false);
        modeRadio->setChecked(false);
        modeRadio->setAutoExclusive(true);
    }
    job_.ProcMode = mode::None;
    GroupBox3->setTitle(q("入力ファイル"));
    GroupBox4->setTitle(q("出力ファイル"));
    ClearMemo();
}

void TZOLMain::ShowTopLevelError(const char* text) {
    std::string shown = text;
    if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.')
        shown += '.';
    messageBox(shown, AppTitle, mb::Ok | mb::IconError);
}

void TZOLMain::LockForRun(bool locked) {
    running_ = locked;
    for (QWidget* control :
         std::initializer_list<QWidget*>{StartButton, EndButton, GroupBox1, GroupBox2, GroupBox6,
                                         GroupBox7, ListBox1, BitBtn1, BitBtn3, Edit1, BitBtn2})
        control->setEnabled(!locked);
}

} // namespace zol
