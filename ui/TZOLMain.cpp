#include "TZOLMain.h"

#include "Dialogs.h"
#include "NativePath.h"
#include "ProgramIcon.h"
#include "UiLook.h"
#include "engine/Texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

namespace zol {

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

template <typename W> W* place(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                    int h) {
    return place(new QGroupBox(caption, parent), name, x, y, w, h);
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, int x, int w) {
    return place(new QRadioButton(caption, parent), name, x, 16, w, 17);
}

QLabel* label(QWidget* parent, const char* name, int x, int y, int w, int h) {
    return place(new QLabel(parent), name, x, y, w, h);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                    int h) {
    return place(new QPushButton(caption, parent), name, x, y, w, h);
}

const char* const VersionText = "Version  V6.60 99.05.03";
const char* const BuildNote = "  (Linux / Qt 6 build)";

} // namespace

TZOLMain::TZOLMain(Dialogs& dialogs, DriveService& drives, TempFolder& temp,
                   const QStringList& arguments, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs), drives_(drives), temp_(temp), operations_(DefaultJobOperations()) {
    setObjectName(QStringLiteral("ZOLMain"));
    setWindowTitle(q(MsgCaption));
    setWindowIcon(ProgramIcon());
    setFixedSize(420, 363);
    setFont(UiFont(12));
    buildComponents();
    ApplyClassicLook(this);
    setKeyboardOrder();
    connectHandlers();
    FormCreate(arguments);
}

void TZOLMain::buildComponents() {
    VersionBox = groupBox(this, "VersionBox", QString(), 0, -4, 420, 42);
    Image1 = label(VersionBox, "Image1", 8, 8, 32, 32);
    Image1->setPixmap(ProgramPixmap());
    Label5 = label(VersionBox, "Label5", 67, 12, 345, 13);
    Label5->setText(QStringLiteral("File compress / split / join / extract for floppy disks"));
    Version = label(VersionBox, "Version", 79, 25, 333, 13);
    for (QLabel* versionLabel : {Label5, Version}) {
        versionLabel->setFont(VersionFont());
        QPalette palette = versionLabel->palette();
        palette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
        versionLabel->setPalette(palette);
    }

    GroupBox1 = groupBox(this, "GroupBox1", q("処理方法"), 0, 40, 420, 39);
    AchAndBun = radio(GroupBox1, "AchAndBun", q("圧縮＆分割"), 8, 80);
    Archive = radio(GroupBox1, "Archive", q("圧縮"), 92, 50);
    Bunkatu = radio(GroupBox1, "Bunkatu", q("分割"), 148, 50);
    Ketugou = radio(GroupBox1, "Ketugou", q("結合"), 204, 50);
    Melt = radio(GroupBox1, "Melt", q("解凍"), 260, 50);
    KetuAndMelt = radio(GroupBox1, "KetuAndMelt", q("結合＆解凍"), 316, 84);

    GroupBox6 = groupBox(this, "GroupBox6", q("圧縮処理"), 0, 80, 210, 40);
    AsnFile = radio(GroupBox6, "AsnFile", q("ファイル指定"), 8, 96);
    AsnDir = radio(GroupBox6, "AsnDir", q("フォルダ指定"), 108, 96);
    AsnFile->setChecked(true);
    GroupBox6->hide();

    GroupBox2 = groupBox(this, "GroupBox2", q("分割サイズ（単位ＭＢ）"), 210, 80, 210, 40);
    FD144 = radio(GroupBox2, "FD144", QStringLiteral("1.44"), 8, 48);
    FD125 = radio(GroupBox2, "FD125", QStringLiteral("1.25"), 58, 48);
    FD095 = radio(GroupBox2, "FD095", QStringLiteral("0.95"), 108, 48);
    FD072 = radio(GroupBox2, "FD072", QStringLiteral("0.72"), 158, 48);

    GroupBox7 = groupBox(this, "GroupBox7", q("結合処理"), 210, 80, 210, 40);
    BuFile = radio(GroupBox7, "BuFile", q("分割済ﾌｧｲﾙ"), 8, 96);
    FeFile = radio(GroupBox7, "FeFile", q("指定自由"), 108, 96);
    BuFile->setChecked(true);
    GroupBox7->hide();

    GroupBox3 = groupBox(this, "GroupBox3", q("入力ファイル"), 0, 120, 420, 80);
    ListBox1 = place(new InputList(GroupBox3), "ListBox1", 4, 12, 375, 60);
    ListBox1->setFont(UiFont(13));
    BitBtn1 = button(GroupBox3, "BitBtn1", QString(), 384, 12, 30, 20);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    BitBtn1->setToolTip(q("入力ファイルの指定"));
    BitBtn3 = button(GroupBox3, "BitBtn3", QString(), 384, 50, 30, 20);
    BitBtn3->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    BitBtn3->setToolTip(q("圧縮ファイルの内容"));
    BitBtn3->hide();

    GroupBox4 = groupBox(this, "GroupBox4", q("出力ファイル"), 0, 200, 420, 40);
    Edit1 = place(new QLineEdit(GroupBox4), "Edit1", 4, 12, 375, 21);
    Edit1->setFont(UiFont(13));
    // Files dropped on the field are inputs like those dropped anywhere on the window, not
    // text for the field (a file manager's drag offers both).
    Edit1->setAcceptDrops(false);
    BitBtn2 = button(GroupBox4, "BitBtn2", QString(), 384, 12, 30, 20);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    BitBtn2->setToolTip(q("出力先の指定"));

    GroupBox5 = groupBox(this, "GroupBox5", q("メ  モ"), 0, 240, 420, 70);
    Label1 = label(GroupBox5, "Label1", 5, 12, 410, 13);
    Label2 = label(GroupBox5, "Label2", 5, 26, 410, 13);
    Label3 = label(GroupBox5, "Label3", 5, 40, 410, 13);
    Label4 = label(GroupBox5, "Label4", 5, 54, 410, 13);

    Prcinf = label(this, "Prcinf", 0, 315, 420, 20);
    Prcinf->setText(q("最初に処理方法を決定して下さい。（圧縮、分割、結合、解凍）"));
    Prcinf->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Prcinf->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Prcinf->setIndent(2);
    QFont bold = Prcinf->font();
    bold.setBold(true);
    Prcinf->setFont(bold);

    PrgBar = place(new QProgressBar(this), "PrgBar", 0, 315, 420, 20);
    PrgBar->setRange(0, 100);
    PrgBar->setTextVisible(false);
    PrgBar->hide();

    HelpButton = button(this, "HelpButton", q("ヘルプ"), 65, 340, 80, 20);
    StartButton = button(this, "StartButton", q("開始"), 155, 340, 80, 20);
    CancelButton = button(this, "CancelButton", q("キャンセル"), 245, 340, 80, 20);
    EndButton = button(this, "EndButton", q("終了"), 335, 340, 80, 20);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    K1 = PopupMenu->addAction(q("ファイルの圧縮・分割・結合・解凍の表示"));
    K2 = PopupMenu->addAction(q("ファイルの圧縮・分割・結合・解凍の非表示"));
    N1 = PopupMenu->addSeparator();
    K3 = PopupMenu->addAction(q("ファイルの圧縮・分割・結合・解凍の終了"));
    K1->setObjectName(QStringLiteral("K1"));
    K2->setObjectName(QStringLiteral("K2"));
    N1->setObjectName(QStringLiteral("N1"));
    K3->setObjectName(QStringLiteral("K3"));
}

// Tab goes through the groups and buttons in the window's own order (the mode group, the
// piece sizes, Cancel, Start, End, input, output, the compress and join options, Help);
// hidden and disabled controls are passed over. Focus starts in the mode group.
void TZOLMain::setKeyboardOrder() {
    QWidget* const order[] = {AchAndBun, Archive,  Bunkatu, Ketugou, Melt,         KetuAndMelt,
                              FD144,     FD125,    FD095,   FD072,   CancelButton, StartButton,
                              EndButton, ListBox1, BitBtn1, BitBtn3, Edit1,        BitBtn2,
                              AsnFile,   AsnDir,   BuFile,  FeFile,  HelpButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    AchAndBun->setFocus();
}

void TZOLMain::connectHandlers() {
    // A radio's handler runs when it becomes checked, by the user or by the program;
    // unchecking runs nothing.
    const auto onChecked = [this](QRadioButton* radioButton, void (TZOLMain::*handler)()) {
        connect(radioButton, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChecked(AchAndBun, &TZOLMain::AchAndBunClick);
    onChecked(Archive, &TZOLMain::ArchiveClick);
    onChecked(Bunkatu, &TZOLMain::BunkatuClick);
    onChecked(Ketugou, &TZOLMain::KetugouClick);
    onChecked(Melt, &TZOLMain::MeltClick);
    onChecked(KetuAndMelt, &TZOLMain::KetuAndMeltClick);
    onChecked(AsnFile, &TZOLMain::AsnFileClick);
    onChecked(AsnDir, &TZOLMain::AsnDirClick);
    onChecked(BuFile, &TZOLMain::BuFileClick);
    onChecked(FeFile, &TZOLMain::FeFileClick);
    onChecked(FD144, &TZOLMain::FD144Click);
    onChecked(FD125, &TZOLMain::FD125Click);
    onChecked(FD095, &TZOLMain::FD095Click);
    onChecked(FD072, &TZOLMain::FD072Click);

    connect(StartButton, &QPushButton::clicked, this, &TZOLMain::StartButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TZOLMain::CancelButtonClick);
    connect(EndButton, &QPushButton::clicked, this, &TZOLMain::EndButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TZOLMain::HelpButtonClick);
    // F1 opens the help at the window's own help context.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { dialogs_.showHelp(QStringLiteral("1")); });
    connect(BitBtn1, &QPushButton::clicked, this, &TZOLMain::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TZOLMain::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TZOLMain::BitBtn3Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &TZOLMain::ListBox1Click);
    // Moving the selection with the keys counts as a click too; a mouse press is left to the
    // click that follows it.
    connect(ListBox1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        if (current && ListBox1->hasFocus() && QApplication::mouseButtons() == Qt::NoButton)
            ListBox1Click();
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TZOLMain::ListBox1DblClick);
    connect(K1, &QAction::triggered, this, &TZOLMain::K1Click);
    connect(K2, &QAction::triggered, this, &TZOLMain::K2Click);
    connect(K3, &QAction::triggered, this, &TZOLMain::EndButtonClick);
}

void TZOLMain::FormCreate(const QStringList& arguments) {
    setAcceptDrops(true);
    job_.LastInputDir.clear();
    job_.LastOutputDir.clear();
    openDialogFolder_ = job_.LastInputDir;

    ListBox1->setUpdatesEnabled(false);
    for (const QString& argument : arguments)
        addInput(ToNative(argument));
    ListBox1->setUpdatesEnabled(true);

    // Centred on the outer frame; integer division, so a window larger than the screen
    // gets a negative position.
    if (const QScreen* screenNow = screen()) {
        const QRect area = screenNow->geometry();
        const QRect frame = frameGeometry();
        const int top = (area.height() - frame.height()) / 2;
        const int left = (area.width() - frame.width()) / 2;
        move(area.left() + left, area.top() + top);
    }

    job_.CancelFlag = 0;
    job_.ProcMode = mode::None;
    GroupBox2->hide();
    ClearMemo();
    job_.JoinFileName.clear();
    CancelButton->setEnabled(false);
    Version->setText(q(VersionText) + q(BuildNote));
}

void TZOLMain::ClearMemo() {
    for (QLabel* memoLine : {Label1, Label2, Label3, Label4})
        memoLine->clear();
}

void TZOLMain::HelpButtonClick() {
    dialogs_.showHelp(QStringLiteral("はじめに"));
}

void TZOLMain::K1Click() {
    show();
    raise();
    activateWindow();
}

void TZOLMain::K2Click() {
    hide();
}

void TZOLMain::TaskTrayMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        hide();
}

void TZOLMain::EndButtonClick() {
    close();
}

void TZOLMain::CancelButtonClick() {
    job_.CancelFlag = 1;
}

void TZOLMain::FormClose() {
    setAcceptDrops(false);
    dialogs_.closeHelp();
}

void TZOLMain::closeEvent(QCloseEvent* event) {
    if (running_) {
        // The piece in hand is finished first; the window closes when the Start returns.
        job_.CancelFlag = 1;
        closeWhenDone_ = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    if (closed_)
        closed_();
}

} // namespace zol
