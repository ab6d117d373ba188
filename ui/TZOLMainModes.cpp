// The six mode handlers and the sub-choice handlers.
#include "TZOLMain.h"
#include "engine/InputAnalysis.h"

namespace zol {

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

const char* const CompressMemo1 = "ファイルを指定した場合指定したファイルが圧縮の対象になります。";
const char* const CompressMemo2 =
    "フォルダを指定した場合フォルダ以下の全てのファイルが対象になります。";
const char* const JoinMemo1 =
    "分割済ファイルは、このソフトで分割した「zold(xxxxxx.xxx)xxxxxx.zol」が";
const char* const JoinMemo2 =
    "結合の対象ファイルです。「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして";
const char* const JoinMemo3 = "ファイル名を取出せます。";
const char* const JoinMemo4 = "指定自由は、ファイル全てが対象となります。指定の順番に結合します。";
const char* const JoinAndExtractMemo4 = "結合先のフォルダが解凍先フォルダになります。";

} // namespace

void TZOLMain::PrepareMode() {
    ListBox1->setSorting(true);
    BitBtn3->hide();
    ClearMemo();
}

void TZOLMain::SetPieceSize(std::int64_t size) {
    job_.PieceSize = size;
    if (const auto selected = ListBox1->selectedEntry())
        AnalyseInput(*this, *selected);
}

// What a mode shows: group captions, status line, option groups and memo lines.
struct ModeLook {
    std::int32_t mode;
    const char* inputCaption;
    const char* outputCaption;
    const char* status;
    bool sizes, compressOptions, joinOptions;
    const char* memo[4];
};

namespace {

const ModeLook CompressAndSplitLook{
    mode::CompressAndSplit,
    "圧縮処理ファイル",
    "分割先フォルダ",
    "圧縮するファイル、又はフォルダと分割先フォルダを指定してください。",
    true,
    true,
    false,
    {CompressMemo1, CompressMemo2}};
const ModeLook CompressLook{mode::Compress,
                            "圧縮処理ファイル",
                            "圧縮先ファイル",
                            "圧縮するファイル、又はフォルダと圧縮先ファイルを指定してください。",
                            false,
                            true,
                            false,
                            {CompressMemo1, CompressMemo2}};
const ModeLook SplitLook{mode::Split,
                         "分割処理ファイル",
                         "分割先フォルダ",
                         "分割するファイル、ＦＤのサイズ、分割先フォルダを指定してください。",
                         true,
                         false,
                         false,
                         {}};
const ModeLook JoinLook{mode::Join,
                        "結合処理ファイル",
                        "結合先ファイル",
                        "結合するファイルを選択した後、結合先ファイルを指定してください。",
                        false,
                        false,
                        true,
                        {JoinMemo1, JoinMemo2, JoinMemo3, JoinMemo4}};
const ModeLook ExtractLook{mode::Extract,
                           "解凍処理ファイル",
                           "解凍先フォルダ",
                           "解凍するファイルを指定した後、解凍先フォルダを指定してください。",
                           false,
                           false,
                           false,
                           {}};
const ModeLook JoinAndExtractLook{
    mode::JoinAndExtract,
    "結合処理ファイル",
    "結合先ファイル",
    "結合するファイルを選択した後、結合先ファイルを指定してください。",
    false,
    false,
    true,
    {JoinMemo1, JoinMemo2, JoinMemo3, JoinAndExtractMemo4}};

} // namespace

// The steps every mode handler takes, in their order; checkChoices checks the sub-choice
// radios the mode names (their handlers run as they become checked).
void TZOLMain::EnterMode(const ModeLook& look, const std::function<void()>& checkChoices) {
    job_.ProcMode = look.mode;
    PrepareMode();
    GroupBox3->setTitle(q(look.inputCaption));
    GroupBox4->setTitle(q(look.outputCaption));
    Prcinf->setText(q(look.status));
    if (checkChoices)
        checkChoices();
    GroupBox2->setVisible(look.sizes);
    GroupBox6->setVisible(look.compressOptions);
    GroupBox7->setVisible(look.joinOptions);
    QLabel* const memo[] = {Label1, Label2, Label3, Label4};
    for (int line = 0; line < 4; ++line) {
        if (look.memo[line])
            memo[line]->setText(q(look.memo[line]));
    }
}

void TZOLMain::CheckLargestPieceSize() {
    FD144->setChecked(true);
    job_.PieceSize = piece::Size144;
}

void TZOLMain::AchAndBunClick() {
    EnterMode(CompressAndSplitLook, [this] {
        CheckLargestPieceSize();
        AsnFile->setChecked(true);
    });
}

void TZOLMain::ArchiveClick() {
    EnterMode(CompressLook, [this] { AsnFile->setChecked(true); });
}

void TZOLMain::BunkatuClick() {
    EnterMode(SplitLook, [this] { CheckLargestPieceSize(); });
}

void TZOLMain::KetugouClick() {
    EnterMode(JoinLook, nullptr);
}

void TZOLMain::MeltClick() {
    EnterMode(ExtractLook, nullptr);
}

void TZOLMain::KetuAndMeltClick() {
    EnterMode(JoinAndExtractLook, nullptr);
}

void TZOLMain::AsnFileClick() {
    GroupBox3->setTitle(q("圧縮処理ファイル"));
}

void TZOLMain::AsnDirClick() {
    GroupBox3->setTitle(q("圧縮処理フォルダ"));
}

void TZOLMain::BuFileClick() {
    ListBox1->setSorting(true);
}

void TZOLMain::FeFileClick() {
    ListBox1->setSorting(false);
}

void TZOLMain::FD144Click() {
    SetPieceSize(piece::Size144);
}

void TZOLMain::FD125Click() {
    SetPieceSize(piece::Size125);
}

void TZOLMain::FD095Click() {
    SetPieceSize(piece::Size095);
}

void TZOLMain::FD072Click() {
    SetPieceSize(piece::Size072);
}

} // namespace zol
