#include "QtDialogs.h"

#include "FolderChooser.h"
#include "FormatDialog.h"
#include "HelpWindow.h"
#include "engine/MessageBox.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace zol {

namespace {

QMessageBox::Icon iconOf(unsigned flags) {
    switch (flags & mb::IconMask) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsOf(unsigned flags) {
    switch (flags & mb::ButtonMask) {
    case mb::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case mb::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int answerOf(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return mb::IdOk;
    case QMessageBox::Yes:
        return mb::IdYes;
    case QMessageBox::No:
        return mb::IdNo;
    default:
        return mb::IdCancel;
    }
}

} // namespace

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

int QtDialogs::messageBox(QWidget* owner, const QString& text, const QString& caption,
                          unsigned flags) {
    QMessageBox box(iconOf(flags), caption, text, buttonsOf(flags), owner);
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("キャンセル"));
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(QStringLiteral("はい(&Y)"));
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("いいえ(&N)"));
    return answerOf(box.exec());
}

std::optional<QStringList> QtDialogs::openFiles(QWidget* owner, const QString& startFolder) {
    const QStringList files =
        QFileDialog::getOpenFileNames(owner, QStringLiteral("ファイルを開く"), startFolder);
    if (files.isEmpty())
        return std::nullopt;
    return files;
}

std::optional<QString> QtDialogs::nameFile(QWidget* owner, const QString& startFolder) {
    QFileDialog dialog(owner, QStringLiteral("ファイルを開く"), startFolder);
    // Any name is taken as typed; an existing archive is added to, so no overwrite question.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A desktop's own open dialog would insist on an existing file.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtDialogs::chooseFolder(QWidget* owner, const QString& startFolder,
                                               int helpContext) {
    FolderChooser chooser(*this, owner, startFolder, helpContext);
    // Window-modal, so that the help window stays usable beside it.
    chooser.setWindowModality(Qt::WindowModal);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.chosenFolder();
}

void QtDialogs::formatDrive(QWidget* owner, const QString& driveRoot) {
    FormatDialog dialog(*this, owner, driveRoot);
    dialog.exec();
}

void QtDialogs::showHelp(const QString& topic) {
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    help_->showTopic(topic);
}

void QtDialogs::closeHelp() {
    if (help_)
        help_->close();
}

} // namespace zol
