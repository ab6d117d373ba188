#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class QShowEvent;
class QTreeWidget;

namespace zol {

class Dialogs;
class ViewerSource;

// The archive contents viewer: a fixed window listing the members of the LZH archive selected
// in the main window's input list. Created hidden at start-up and shown modally; every showing
// reads the selection afresh.
class TZOLbrows : public QDialog {
    Q_OBJECT
public:
    TZOLbrows(Dialogs& dialogs, const ViewerSource& source, QWidget* parent = nullptr);

    QFrame* HeaderControl1;
    QPushButton* Button1;
    QTreeWidget* ListView;

    // Places the window below the main window's top, empties the list and lists the archive.
    void FormShow();
    void Button1Click();
    void ListArchive();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& dialogs_;
    const ViewerSource& source_;
};

} // namespace zol
