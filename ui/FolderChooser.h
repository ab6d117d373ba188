#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace zol {

class Dialogs;

// Accepts a folder the user typed or picked: an existing folder as it is; for one that does
// not exist, asks whether to create it and, on Yes, creates it with its parents (a failure is
// told and nothing is accepted). A relative name is taken in base, the folder the chooser
// shows, and "~" is the home folder. Returns the accepted folder's absolute path.
std::optional<QString> AcceptFolder(Dialogs& dialogs, QWidget* owner, const QString& typed,
                                    const QString& base);

// The folder chooser: a folder tree, the chosen folder's path (editable) and a Help button
// that opens help at the chooser's help context.
class FolderChooser : public QDialog {
public:
    FolderChooser(Dialogs& dialogs, QWidget* owner, const QString& startFolder, int helpContext);

    QLineEdit* pathEdit() const { return pathEdit_; }
    // The OK button: accepts the dialog when AcceptFolder accepts the path text.
    void tryAccept();
    const QString& chosenFolder() const { return chosen_; }

private:
    Dialogs& dialogs_;
    int helpContext_;
    QFileSystemModel* model_;
    QTreeView* tree_;
    QLineEdit* pathEdit_;
    QString chosen_;
};

} // namespace zol
