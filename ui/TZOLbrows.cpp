#include "TZOLbrows.h"

#include "Dialogs.h"
#include "ProgramIcon.h"
#include "UiLook.h"
#include "ViewerSource.h"
#include "archiver/ArchiveListing.h"
#include "archiver/MemberText.h"
#include "engine/MessageBox.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <array>
#include <cstring>
#include <filesystem>

namespace zol {

namespace {

struct Column {
    const char* caption;
    int width;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;

const std::array<Column, 7> Columns = {{
    {"ファイル名", 120, Left},
    {"ｵﾘｼﾞﾅﾙｻｲｽﾞ", 80, Right},
    {"日付", 65, Left},
    {"時刻", 55, Left},
    {"属性", 40, Left},
    {"形式", 40, Right},
    {"圧縮ｻｲｽﾞ", 70, Right},
}};

// A fixed-size text field of the record, up to its first zero byte.
template <std::size_t N> std::string Field(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TZOLbrows::TZOLbrows(Dialogs& dialogs, const ViewerSource& source, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs), source_(source) {
    setObjectName("ZOLbrows");
    setWindowTitle("圧縮ファイルの内容");
    setWindowIcon(ProgramIcon());
    setFont(UiFont(12));
    setFixedSize(492, 273);

    HeaderControl1 = new QFrame(this);
    HeaderControl1->setObjectName("HeaderControl1");
    HeaderControl1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    HeaderControl1->setGeometry(0, 0, 492, 26);

    Button1 = new QPushButton("閉じる", HeaderControl1);
    Button1->setObjectName("Button1");
    Button1->setGeometry(410, 3, 60, 20);
    QFont bold = UiFont(12);
    bold.setBold(true);
    Button1->setFont(bold);
    connect(Button1, &QPushButton::clicked, this, &TZOLbrows::Button1Click);

    ListView = new QTreeWidget(this);
    ListView->setObjectName("ListView");
    ListView->setGeometry(0, 26, 492, 247);
    ListView->setRootIsDecorated(false);
    ListView->setSortingEnabled(false);
    ListView->setUniformRowHeights(true);
    ListView->setColumnCount(static_cast<int>(Columns.size()));
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionsMovable(false);
    QTreeWidgetItem* header = ListView->headerItem();
    for (int i = 0; i < static_cast<int>(Columns.size()); ++i) {
        header->setText(i, Columns[i].caption);
        header->setTextAlignment(i, Columns[i].alignment);
        ListView->setColumnWidth(i, Columns[i].width);
    }
    ApplyClassicLook(this);
}

void TZOLbrows::showEvent(QShowEvent* event) {
    // Only the program's own show, not the system's restore of a minimised window.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TZOLbrows::FormShow() {
    const QRect main = source_.mainFrame();
    move(main.left(), main.top() + 100);
    ListView->clear();
    ListArchive();
}

void TZOLbrows::Button1Click() {
    close();
}

void TZOLbrows::ListArchive() {
    // The entry names the archive itself: its extension passed the ".lzh" test in any case,
    // and on a case-sensitive file system another spelling would name another file.
    const std::string path = source_.selectedInput().value_or(std::string());
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        dialogs_.messageBox(this, "File not exist", "Error", mb::Ok);
        return;
    }
    const auto window = static_cast<UNLHA_HWND>(winId());
    ListArchiveMembers(window, path, [this](const INDIVIDUALINFO& info) {
        auto* row = new QTreeWidgetItem(ListView);
        const std::array<QString, 7> cells = {
            Utf8(LowerIfAllCaps(Field(info.szFileName))),
            Utf8(SizeText(info.dwOriginalSize)),
            Utf8(DateText(info.wDate)),
            Utf8(TimeText(info.wTime)),
            Utf8(LowerIfAllCaps(Field(info.szAttribute))),
            Utf8(Field(info.szMode)),
            Utf8(SizeText(info.dwCompressedSize)),
        };
        for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
            row->setText(i, cells[i]);
            row->setTextAlignment(i, Columns[i].alignment);
        }
    });
}

} // namespace zol
