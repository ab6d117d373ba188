#include "FormatDialog.h"

#include "Dialogs.h"
#include "DriveFormatter.h"
#include "NativePath.h"
#include "UiLook.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

namespace zol {

namespace fs = std::filesystem;

// A FAT volume label holds eleven characters.
constexpr int VolumeLabelLength = 11;

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
    : FormatDialog(dialogs, owner, driveRoot, makeUDisks2Formatter()) {}

FormatDialog::FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot,
                           std::unique_ptr<DriveFormatter> own)
    : FormatDialog(dialogs, owner, driveRoot, *own) {
    ownFormatter_ = std::move(own);
}

FormatDialog::FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot,
                           DriveFormatter& formatter)
    : QDialog(owner), dialogs_(dialogs), driveRoot_(driveRoot), formatter_(formatter) {
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
    // Keeping the label keeps the folder the desktop mounts the medium at.
    if (const std::optional<QString> label = formatter_.currentLabel(driveRoot_)) {
        realFormat_ = new QCheckBox(QStringLiteral("FAT 形式で物理フォーマットする"));
        label_ = new QLineEdit(*label);
        label_->setMaxLength(VolumeLabelLength);
        label_->setEnabled(false);
        connect(realFormat_, &QCheckBox::toggled, label_, &QWidget::setEnabled);
        auto* labelRow = new QHBoxLayout;
        labelRow->addWidget(new QLabel(QStringLiteral("ボリュームラベル:")));
        labelRow->addWidget(label_);
        layout->addWidget(realFormat_);
        layout->addLayout(labelRow);
    }
    layout->addLayout(buttons);
}

FormatDialog::~FormatDialog() = default;

void FormatDialog::startFormat() {
    const QString caption = QString::fromUtf8(MsgCaption);
    if (dialogs_.messageBox(
            this, driveRoot_ + QStringLiteral(" の内容は全て消去されます。よろしいですか？"),
            caption, mb::OkCancel | mb::IconQuestion) != mb::IdOk)
        return;
    if (realFormat_ && realFormat_->isChecked())
        formatReally();
    else
        erase();
}

void FormatDialog::erase() {
    const QString caption = QString::fromUtf8(MsgCaption);
    if (EraseMedium(ToNative(driveRoot_)))
        dialogs_.messageBox(this, QStringLiteral("フォーマットが終了しました。"), caption, mb::Ok);
    else
        dialogs_.messageBox(this, QStringLiteral("消去できなかったファイルがあります。"), caption,
                            mb::Ok | mb::IconError);
    accept();
}

void FormatDialog::formatReally() {
    const QString caption = QString::fromUtf8(MsgCaption);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FormatOutcome outcome = formatter_.format(driveRoot_, label_->text());
    QApplication::restoreOverrideCursor();
    QString text = outcome.formatted ? QStringLiteral("フォーマットが終了しました。") : QString();
    if (outcome.formatted && !outcome.mountPoint.isEmpty() &&
        QDir::cleanPath(outcome.mountPoint) != QDir::cleanPath(driveRoot_))
        text += QStringLiteral("\n新しいマウント先: ") + outcome.mountPoint;
    if (!outcome.error.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + outcome.error;
    dialogs_.messageBox(this, text, caption,
                        outcome.error.isEmpty() ? mb::Ok : mb::Ok | mb::IconError);
    if (outcome.formatted) {
        accept();
        return;
    }
    // The format did not happen; the erase is still there to choose.
    realFormat_->setChecked(false);
}

} // namespace zol
