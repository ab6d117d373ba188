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

void TZOLMain::AchAndBunClick() {
    job_.ProcMode = mode::CompressAndSplit;
    PrepareMode();
    GroupBox3->setTitle(q("圧縮処理ファイル"));
    GroupBox4->setTitle(q("分割先フォルダ"));
    Prcinf->setText(q("圧縮するファイル、又はフォルダと分割先フォルダを指定してください。"));
    FD144->setChecked(true);
    job_.PieceSize = piece::Size144;
    AsnFile->setChecked(true);
    GroupBox2->show();
    GroupBox6->show();
    GroupBox7->hide();
    Label1->setText(q(CompressMemo1));
    Label2->setText(q(CompressMemo2));
}

void TZOLMain::ArchiveClick() {
    job_.ProcMode = mode::Compress;
    PrepareMode();
    GroupBox3->setTitle(q("圧縮処理ファイル"));
    GroupBox4->setTitle(q("圧縮先ファイル"));
    Prcinf->setText(q("圧縮するファイル、又はフォルダと圧縮先ファイルを指定してください。"));
    AsnFile->setChecked(true);
    GroupBox2->hide();
    GroupBox6->show();
    GroupBox7->hide();
    Label1->setText(q(CompressMemo1));
    Label2->setText(q(CompressMemo2));
}

void TZOLMain::BunkatuClick() {
    job_.ProcMode = mode::Split;
    PrepareMode();
    GroupBox3->setTitle(q("分割処理ファイル"));
    GroupBox4->setTitle(q("分割先フォルダ"));
    Prcinf->setText(q("分割するファイル、ＦＤのサイズ、分割先フォルダを指定してください。"));
    FD144->setChecked(true);
    job_.PieceSize = piece::Size144;
    GroupBox2->show();
    GroupBox6->hide();
    GroupBox7->hide();
}

void TZOLMain::KetugouClick() {
    job_.ProcMode = mode::Join;
    PrepareMode();
    GroupBox3->setTitle(q("結合処理ファイル"));
    GroupBox4->setTitle(q("結合先ファイル"));
    Prcinf->setText(q("結合するファイルを選択した後、結合先ファイルを指定してください。"));
    GroupBox2->hide();
    GroupBox6->hide();
    GroupBox7->show();
    Label1->setText(q(JoinMemo1));
    Label2->setText(q(JoinMemo2));
    Label3->setText(q(JoinMemo3));
    Label4->setText(q(JoinMemo4));
}

void TZOLMain::MeltClick() {
    job_.ProcMode = mode::Extract;
    PrepareMode();
    GroupBox3->setTitle(q("解凍処理ファイル"));
    GroupBox4->setTitle(q("解凍先フォルダ"));
    Prcinf->setText(q("解凍するファイルを指定した後、解凍先フォルダを指定してください。"));
    GroupBox2->hide();
    GroupBox6->hide();
    GroupBox7->hide();
}

void TZOLMain::KetuAndMeltClick() {
    job_.ProcMode = mode::JoinAndExtract;
    PrepareMode();
    GroupBox3->setTitle(q("結合処理ファイル"));
    GroupBox4->setTitle(q("結合先ファイル"));
    Prcinf->setText(q("結合するファイルを選択した後、結合先ファイルを指定してください。"));
    GroupBox2->hide();
    GroupBox6->hide();
    GroupBox7->show();
    Label1->setText(q(JoinMemo1));
    Label2->setText(q(JoinMemo2));
    Label3->setText(q(JoinMemo3));
    Label4->setText(q(JoinAndExtractMemo4));
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
