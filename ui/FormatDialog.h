#pragma once

#include <QDialog>
#include <QString>
#include <string>

namespace zol {

class Dialogs;

// Removes every entry under the drive root (the medium's own root folder stays). Refuses an
// empty root, "/" and anything that is not a folder. True when everything went.
bool EraseMedium(const std::string& driveRoot);

// The format dialog for one drive: on confirmation it erases the medium.
class FormatDialog : public QDialog {
public:
    FormatDialog(Dialogs& dialogs, QWidget* owner, const QString& driveRoot);
    // The Start button: asks, erases, tells the outcome and closes.
    void startFormat();

private:
    Dialogs& dialogs_;
    QString driveRoot_;
};

} // namespace zol
