#include "FormatDialog.h"

#include "Dialogs.h"
#include "NativePath.h"
#include "UiLook.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

namespace zol {

namespace fs = std::filesystem;

bool EraseMedium(const std::string& driveRoot) {
    std::error_code ec;
    if (driveRoot.empty() || fs::equivalent(driveRoot, "/", ec) || !fs::is_directory(driveRoot, ec))
        return false;
    bool allGone = true;
    for (const fs::directory_entry& entry : fs::directory_iterator(driveRoot, ec)) {
        std::error_code removeError;
        fs::remove_all(entry.path(), removeError);
        allGone = allGone && !removeError;
    }
    return allGone && !ec;
}

FormatDialog::FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot)
    : QDialog(owner), dialogs_(dialogs), driveRoot_(driveRoot) {
    setObjectName(QStringLiteral("FormatDialog"));
    setWindowTitle(QStringLiteral("フォーマット - ") + driveRoot);
    setFont(UiFont(12));

    auto* start = new QPushButton(QStringLiteral("開始"));
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    connect(start, &QPushButton::clicked, this, &FormatDialog::startFormat);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ドライブ: ") + driveRoot));
    layout->addWidget(new QLabel(QStringLiteral("ＦＤの中のファイルとフォルダを全て消去します。")));
    layout->addLayout(buttons);
}

void FormatDialog::startFormat() {
    const QString caption = QString::fromUtf8(MsgCaption);
    if (dialogs_.messageBox(
            this, driveRoot_ + QStringLiteral(" の内容は全て消去されます。よろしいですか？"),
            caption, mb::OkCancel | mb::IconQuestion) != mb::IdOk)
        return;
    if (EraseMedium(ToNative(driveRoot_)))
        dialogs_.messageBox(this, QStringLiteral("フォーマットが終了しました。"), caption, mb::Ok);
    else
        dialogs_.messageBox(this, QStringLiteral("消去できなかったファイルがあります。"), caption,
                            mb::Ok | mb::IconError);
    accept();
}

} // namespace zol
