#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace zol {

// Every modal dialog the windows open goes through this one seam, so a test can script the
// answers and read back exactly what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box; flags and the answer use the values of engine/MessageBox.h.
    // owner may be null (a box of its own, such as the library's not-loaded box).
    virtual int messageBox(QWidget* owner, const QString& text, const QString& caption,
                           unsigned flags) = 0;

    // The multi-select file-open dialog (no filter). nullopt when cancelled.
    virtual std::optional<QStringList> openFiles(QWidget* owner, const QString& startFolder) = 0;
    // The same dialog for one name that need not exist yet (an archive to make or add to).
    virtual std::optional<QString> nameFile(QWidget* owner, const QString& startFolder) = 0;

    // The folder chooser, with its Help button tied to helpContext. nullopt when cancelled.
    virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& startFolder,
                                                int helpContext) = 0;

    // The format dialog for the drive whose root is given; its result is not used.
    virtual void formatDrive(QWidget* owner, const QString& driveRoot) = 0;

    // The help window at a topic (a keyword such as "はじめに" or a context number's anchor).
    virtual void showHelp(const QString& topic) = 0;
    virtual void closeHelp() = 0;
};

} // namespace zol
