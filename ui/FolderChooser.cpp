#include "FolderChooser.h"

#include "Dialogs.h"
#include "UiLook.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zol {

std::optional<QString> AcceptFolder(Dialogs& dialogs, QWidget* owner, const QString& typed,
                                    const QString& base) {
    if (typed.isEmpty())
        return std::nullopt;
    // The program's own current folder is nothing the user sees.
    QString name = typed;
    if (name == QStringLiteral("~") || name.startsWith(QStringLiteral("~/")))
        name.replace(0, 1, QDir::homePath());
    const QString path = QDir::cleanPath(QDir(base).absoluteFilePath(name));
    const QFileInfo info(path);
    const QString caption = QString::fromUtf8(MsgCaption);
    if (info.isDir())
        return path;
    if (info.exists()) {
        dialogs.messageBox(owner,
                           QStringLiteral("指定されたパスはフォルダではありません。\n") + path,
                           caption, mb::Ok | mb::IconError);
        return std::nullopt;
    }
    if (dialogs.messageBox(owner, QStringLiteral("指定されたﾃﾞｨﾚｸﾄﾘが存在しません。作成しますか？"),
                           caption, mb::YesNo | mb::IconQuestion) != mb::IdYes)
        return std::nullopt;
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir()) {
        dialogs.messageBox(owner, QStringLiteral("フォルダを作成できませんでした。\n") + path,
                           caption, mb::Ok | mb::IconError);
        return std::nullopt;
    }
    return path;
}

FolderChooser::FolderChooser(Dialogs& dialogs, QWidget* owner, const QString& startFolder,
                             int helpContext)
    : QDialog(owner), dialogs_(dialogs), helpContext_(helpContext),
      model_(new QFileSystemModel(this)), tree_(new QTreeView), pathEdit_(new QLineEdit) {
    setObjectName(QStringLiteral("FolderChooser"));
    setWindowTitle(QStringLiteral("フォルダの参照"));
    setFont(UiFont(12));
    resize(380, 420);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QStringLiteral("/"));
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->header()->hide();

    const QString start =
        QFileInfo(startFolder).isDir() ? QDir::cleanPath(startFolder) : QDir::homePath();
    pathEdit_->setText(start);
    const QModelIndex startIndex = model_->index(start);
    tree_->setCurrentIndex(startIndex);
    tree_->scrollTo(startIndex);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    pathEdit_->setText(model_->filePath(current));
            });

    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
    auto* help = new QPushButton(QStringLiteral("ヘルプ"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FolderChooser::tryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { dialogs_.showHelp(QString::number(helpContext_)); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("フォルダを選択するか、フォルダ名を入力してください。")));
    layout->addWidget(tree_);
    layout->addWidget(pathEdit_);
    layout->addLayout(buttons);
}

void FolderChooser::tryAccept() {
    const QModelIndex shown = tree_->currentIndex();
    const QString base = shown.isValid() ? model_->filePath(shown) : QDir::homePath();
    if (const auto folder = AcceptFolder(dialogs_, this, pathEdit_->text(), base)) {
        chosen_ = *folder;
        accept();
    }
}

} // namespace zol
