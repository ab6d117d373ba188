// The two compound modes with the real archiver: compress and split a file onto pieces, then
// join the pieces and extract the archive, and get the file back.
#include "WindowFixture.h"
#include "engine/PieceName.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace zol::test {
namespace {

class ArchiverSequenceTest : public WindowTest {};

std::vector<std::string> FilesUnder(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    return files;
}

// Bytes that do not compress, so that the archive needs several pieces.
std::string WriteNoise(const std::string& path, std::size_t size) {
    std::mt19937 random(42);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST_F(ArchiverSequenceTest, CompressAndSplitThenJoinAndExtractGiveTheFileBack) {
    makeWindow();
    const std::string input = WriteNoise(scratch("src/report.doc"), 2000000);
    const std::string pieces = makeFolder("pieces");
    const std::string out = makeFolder("out");

    win_->AchAndBun->click();
    win_->FD072->click();
    dialogs_.fileAnswers = {{QString::fromStdString(input)}};
    win_->BitBtn1->click();
    dialogs_.folderAnswers = {QString::fromStdString(pieces)};
    win_->BitBtn2->click();
    win_->StartButton->click();
    ASSERT_EQ(dialogs_.texts(),
              std::vector<std::string>{"圧縮ファイルと分割先フォルダの指定は問題ありませんか？"});
    EXPECT_FALSE(Exists(temp_.path() + "zoltemp.lzh"));
    const std::vector<std::string> made = FilesUnder(pieces);
    ASSERT_EQ(made.size(), 3u);
    for (const std::string& piece : made)
        EXPECT_NE(piece.find("zold(zoltemp.lzh)"), std::string::npos) << piece;

    win_->KetuAndMelt->click();
    QStringList chosen;
    for (const std::string& piece : made)
        chosen << QString::fromStdString(piece);
    dialogs_.fileAnswers = {chosen};
    win_->BitBtn1->click();
    EXPECT_EQ(win_->job().JoinFileName, "zoltemp.lzh");
    dialogs_.folderAnswers = {QString::fromStdString(out)};
    win_->BitBtn2->click();
    EXPECT_EQ(win_->outputText(), out);
    win_->StartButton->click();
    ASSERT_EQ(dialogs_.texts().size(), 2u) << dialogs_.texts().back();

    EXPECT_TRUE(Exists(out + "zoltemp.lzh"));
    bool found = false;
    for (const std::string& file : FilesUnder(out))
        found = found || (std::filesystem::path(file).filename() == "report.doc" &&
                          ReadAll(file) == ReadAll(input));
    EXPECT_TRUE(found);
}

} // namespace
} // namespace zol::test
