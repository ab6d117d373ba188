#include "archiver/ArchiverBinding.h"
#include "archiver/MemberText.h"
#include "ui/Dialogs.h"
#include "ui/TZOLbrows.h"
#include "ui/ViewerSource.h"
#include "unlha32.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace zol {
namespace {

struct ShownBox {
    QWidget* owner;
    QString text;
    QString caption;
    unsigned flags;
};

// Records every box; the viewer asks nothing else.
class RecordingDialogs : public Dialogs {
public:
    std::vector<ShownBox> boxes;
    int messageBox(QWidget* owner, const QString& text, const QString& caption,
                   unsigned flags) override {
        boxes.push_back({owner, text, caption, flags});
        return 1;
    }
    std::optional<QStringList> openFiles(QWidget*, const QString&) override { return {}; }
    std::optional<QString> nameFile(QWidget*, const QString&) override { return {}; }
    std::optional<QString> chooseFolder(QWidget*, const QString&, int) override { return {}; }
    void formatDrive(QWidget*, const QString&) override {}
    void showHelp(const QString&) override {}
    void closeHelp() override {}
};

class MainWindowStandIn : public ViewerSource {
public:
    QRect frame{200, 150, 500, 400};
    std::optional<std::string> selection;
    QRect mainFrame() const override { return frame; }
    std::optional<std::string> selectedInput() const override { return selection; }
};

void EnsureApplication() {
    if (QApplication::instance() != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "viewer_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Local time 2024-05-03 13:45:30 as a file time, and its packed date and time texts.
time_t KnownTime() {
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 4;
    tm.tm_mday = 3;
    tm.tm_hour = 13;
    tm.tm_min = 45;
    tm.tm_sec = 30;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::vector<std::string> Row(const QTreeWidget* list, int row) {
    std::vector<std::string> cells;
    for (int column = 0; column < list->columnCount(); ++column)
        cells.push_back(list->topLevelItem(row)->text(column).toStdString());
    return cells;
}

// The viewer over a main window stand-in, with the library's not-loaded box routed to the
// same dialogs as the application routes it; no library bound.
class ViewerWindow : public testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetOwnerlessMessageBox(
            [this](const std::string& text, const std::string& caption, unsigned flags) {
                dialogs.messageBox(nullptr, QString::fromStdString(text),
                                   QString::fromStdString(caption), flags);
            });
        BindArchiverLibrary("/nonexistent/libunlha32.so");
    }
    void TearDown() override {
        viewer.hide();
        ReleaseArchiverLibrary();
        SetOwnerlessMessageBox(nullptr);
    }

    std::string Path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }

    // A file of size bytes in the test folder, last written at KnownTime().
    std::string WriteFile(const std::string& name, std::size_t size) {
        const std::string path = Path(name);
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < size; ++i)
            out.put(static_cast<char>('a' + i % 7));
        out.close();
        const utimbuf times{KnownTime(), KnownTime()};
        utime(path.c_str(), &times);
        return path;
    }

    // Adds the files to the archive with the real library, one command each.
    void Compress(const std::string& archive, const std::vector<std::string>& files) {
        for (const std::string& file : files) {
            std::vector<char> output(32000);
            const std::string command = "a \"" + archive + "\" \"" + file + "\"";
            ASSERT_EQ(::Unlha(0, command.c_str(), output.data(), 32000), 0) << output.data();
        }
    }

    void Show(const std::string& entry) {
        source.selection = entry;
        viewer.show();
    }

    QTemporaryDir folder;
    RecordingDialogs dialogs;
    MainWindowStandIn source;
    TZOLbrows viewer{dialogs, source};
};

// The same with the real library bound by its file name, as the program binds it.
class ViewerWithLibrary : public ViewerWindow {
protected:
    void SetUp() override {
        ViewerWindow::SetUp();
        BindArchiverLibrary();
        ASSERT_NE(ArchiverModule, nullptr) << "libunlha32.so not found beside the tests";
    }
};

TEST_F(ViewerWindow, LayoutOfTheWindow) {
    EXPECT_EQ(viewer.windowTitle(), "圧縮ファイルの内容");
    EXPECT_EQ(viewer.minimumSize(), QSize(492, 273));
    EXPECT_EQ(viewer.maximumSize(), QSize(492, 273));
    EXPECT_FALSE(viewer.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(viewer.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(viewer.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(viewer.HeaderControl1->geometry(), QRect(0, 0, 492, 26));
    EXPECT_EQ(viewer.Button1->text(), "閉じる");
    EXPECT_EQ(viewer.Button1->geometry(), QRect(410, 3, 60, 20));
    EXPECT_TRUE(viewer.Button1->font().bold());
    EXPECT_EQ(viewer.ListView->geometry(), QRect(0, 26, 492, 247));

    struct Column {
        const char* caption;
        int width;
        Qt::Alignment alignment;
    };
    const std::array<Column, 7> columns = {{{"ファイル名", 120, Qt::AlignLeft},
                                            {"ｵﾘｼﾞﾅﾙｻｲｽﾞ", 80, Qt::AlignRight},
                                            {"日付", 65, Qt::AlignLeft},
                                            {"時刻", 55, Qt::AlignLeft},
                                            {"属性", 40, Qt::AlignLeft},
                                            {"形式", 40, Qt::AlignRight},
                                            {"圧縮ｻｲｽﾞ", 70, Qt::AlignRight}}};
    ASSERT_EQ(viewer.ListView->columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(viewer.ListView->headerItem()->text(i), columns[i].caption) << i;
        EXPECT_EQ(viewer.ListView->columnWidth(i), columns[i].width) << i;
        const auto alignment = Qt::Alignment(viewer.ListView->headerItem()->textAlignment(i)) &
                               Qt::AlignHorizontal_Mask;
        EXPECT_EQ(alignment, columns[i].alignment) << i;
    }
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ViewerWithLibrary, ListsEveryMemberWithItsCells) {
    const std::string archive = Path("SET.lzh");
    Compress(archive, {WriteFile("README.TXT", 1234567), WriteFile("Notes.txt", 999),
                       WriteFile("資料DATA.TXT", 0)});

    Show(archive);

    QTreeWidget* list = viewer.ListView;
    ASSERT_EQ(list->topLevelItemCount(), 3);
    std::vector<std::string> names;
    for (int row = 0; row < 3; ++row) {
        const std::vector<std::string> cells = Row(list, row);
        names.push_back(cells[0]);
        EXPECT_EQ(cells[2], "24/05/03") << cells[0];
        EXPECT_EQ(cells[3], "13:45:30") << cells[0];
        EXPECT_FALSE(cells[5].empty()) << cells[0];
        for (int column : {1, 5, 6})
            EXPECT_EQ(Qt::Alignment(list->topLevelItem(row)->textAlignment(column)) &
                          Qt::AlignHorizontal_Mask,
                      Qt::AlignRight);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "Notes.txt", "資料data.txt"}));
    EXPECT_EQ(Row(list, 0)[1], "1,234,567");
    EXPECT_EQ(Row(list, 1)[1], "999");
    EXPECT_EQ(Row(list, 2)[1], "0");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ViewerWithLibrary, CompressedSizeAndMethodAreTheLibrarys) {
    const std::string archive = Path("one.lzh");
    Compress(archive, {WriteFile("big.txt", 100000)});

    Show(archive);

    ASSERT_EQ(viewer.ListView->topLevelItemCount(), 1);
    const HARC handle = ArchiverEntries.UnlhaOpenArchive(0, archive.c_str(), 1);
    INDIVIDUALINFO info{};
    ASSERT_EQ(ArchiverEntries.UnlhaFindFirst(handle, "*.*", &info), 0);
    ArchiverEntries.UnlhaCloseArchive(handle);
    const std::vector<std::string> cells = Row(viewer.ListView, 0);
    EXPECT_EQ(cells[4], LowerIfAllCaps(info.szAttribute));
    EXPECT_EQ(cells[5], info.szMode);
    EXPECT_EQ(cells[6], SizeText(info.dwCompressedSize));
    EXPECT_LT(info.dwCompressedSize, 100000u);
}

TEST_F(ViewerWithLibrary, EmptyArchiveShowsNoRowsAndNoBox) {
    const std::string archive = Path("empty.lzh");
    std::ofstream(archive, std::ios::binary).put('\0');

    Show(archive);

    EXPECT_EQ(viewer.ListView->topLevelItemCount(), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(viewer.isVisible());
}

TEST_F(ViewerWindow, MissingFileShowsFileNotExist) {
    Show(Path("gone.lzh"));

    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].owner, &viewer);
    EXPECT_EQ(dialogs.boxes[0].text, "File not exist");
    EXPECT_EQ(dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(dialogs.boxes[0].flags, 0u);
    EXPECT_EQ(viewer.ListView->topLevelItemCount(), 0);
    EXPECT_TRUE(viewer.isVisible());
}

TEST_F(ViewerWithLibrary, LowerCaseExtensionOpensTheFileAsNamed) {
    const std::string archive = Path("lower.lzh");
    Compress(archive, {WriteFile("a.txt", 10)});

    Show(archive);

    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(viewer.ListView->topLevelItemCount(), 1);
}

TEST_F(ViewerWithLibrary, LongPathIsNotCut) {
    std::string deep = Path("");
    while (deep.size() < 300) {
        deep += "/folder_of_a_long_name";
        ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
    }
    const std::string archive = deep + "/set.lzh";
    Compress(archive, {WriteFile("a.txt", 10)});

    Show(archive);

    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(viewer.ListView->topLevelItemCount(), 1);
}

TEST_F(ViewerWithLibrary, SecondShowingListsOnlyTheSecondArchive) {
    const std::string first = Path("first.lzh");
    const std::string second = Path("second.lzh");
    Compress(first, {WriteFile("one.txt", 1), WriteFile("two.txt", 2)});
    Compress(second, {WriteFile("three.txt", 3)});

    Show(first);
    ASSERT_EQ(viewer.ListView->topLevelItemCount(), 2);
    viewer.Button1->click();
    EXPECT_FALSE(viewer.isVisible());
    Show(second);

    ASSERT_EQ(viewer.ListView->topLevelItemCount(), 1);
    EXPECT_EQ(Row(viewer.ListView, 0)[0], "three.txt");
}

TEST_F(ViewerWithLibrary, PlacedHundredPixelsBelowTheMainWindowTop) {
    const std::string archive = Path("place.lzh");
    Compress(archive, {WriteFile("a.txt", 1)});

    for (const QRect& frame :
         {QRect(200, 150, 500, 400), QRect(0, 0, 500, 400), QRect(640, 20, 300, 200)}) {
        source.frame = frame;
        Show(archive);
        EXPECT_EQ(viewer.frameGeometry().topLeft(), frame.topLeft() + QPoint(0, 100));
        viewer.hide();
    }
}

TEST_F(ViewerWithLibrary, CloseButtonEndsTheModalShowing) {
    const std::string archive = Path("modal.lzh");
    Compress(archive, {WriteFile("a.txt", 1)});
    source.selection = archive;
    int rowsWhileShown = -1;
    QTimer::singleShot(0, &viewer, [&] {
        rowsWhileShown = viewer.ListView->topLevelItemCount();
        viewer.Button1->click();
    });

    viewer.exec();

    EXPECT_EQ(rowsWhileShown, 1);
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ViewerWindow, UnboundListingEntriesShowTheirBoxesAndNoRows) {
    // Any file will do: nothing but the unbound entries reads it.
    const std::string archive = WriteFile("set.lzh", 10);

    Show(archive);

    EXPECT_EQ(viewer.ListView->topLevelItemCount(), 0);
    std::vector<QString> texts;
    for (const ShownBox& box : dialogs.boxes) {
        texts.push_back(box.text);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.caption, "PANIC!!");
        EXPECT_EQ(box.flags, 0x10u);
    }
    EXPECT_EQ(texts, (std::vector<QString>{"UnlhaOpenArchive: LHA.DLL not loaded.",
                                           "UnlhaFindFirst: LHA.DLL not loaded.",
                                           "UnlhaCloseArchive: LHA.DLL not loaded."}));
}

} // namespace
} // namespace zol
