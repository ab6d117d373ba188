#pragma once

#include "Dialogs.h"

#include <memory>

namespace zol {

class HelpWindow;

// The program's dialogs: Qt's message box and file dialog, our folder chooser, format dialog
// and help window.
class QtDialogs : public Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;

    int messageBox(QWidget* owner, const QString& text, const QString& caption,
                   unsigned flags) override;
    std::optional<QStringList> openFiles(QWidget* owner, const QString& startFolder) override;
    std::optional<QString> nameFile(QWidget* owner, const QString& startFolder) override;
    std::optional<QString> chooseFolder(QWidget* owner, const QString& startFolder,
                                        int helpContext) override;
    void formatDrive(QWidget* owner, const QString& driveRoot) override;
    void showHelp(const QString& topic) override;
    void closeHelp() override;

private:
    std::unique_ptr<HelpWindow> help_;
};

} // namespace zol
