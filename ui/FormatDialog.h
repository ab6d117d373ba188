#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

class QCheckBox;
class QLineEdit;

namespace zol {

class Dialogs;
class DriveFormatter;

// Removes every entry under the drive root (the medium's own root folder stays). Refuses an
// empty root, "/" and anything that is not a folder. True when everything went.
bool EraseMedium(const std::string& driveRoot);

// The format dialog for one drive: on confirmation it erases the medium, or, where the
// formatter can reach the drive and the user asks for it, gives it a fresh FAT file system.
class FormatDialog : public QDialog {
public:
    // With the UDisks2 formatter of the system bus.
    FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot);
    FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot,
                 DriveFormatter& formatter);
    ~FormatDialog() override;

    // The Start button: asks, erases or formats, tells the outcome and closes. A failed real
    // format leaves the dialog open with the erase chosen.
    void startFormat();

    // The choice of a real format and its volume label; null where the formatter cannot
    // reach the drive.
    QCheckBox* realFormatBox() const { return realFormat_; }
    QLineEdit* labelEdit() const { return label_; }

private:
    FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot,
                 std::unique_ptr<DriveFormatter> own);
    void erase();
    void formatReally();

    Dialogs& dialogs_;
    QString driveRoot_;
    std::unique_ptr<DriveFormatter> ownFormatter_;
    DriveFormatter& formatter_;
    QCheckBox* realFormat_ = nullptr;
    QLineEdit* label_ = nullptr;
};

} // namespace zol
