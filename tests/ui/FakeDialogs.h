#pragma once

#include "Dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zol::test {

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags;
};

// Dialogs that record what was asked and answer from a script. A message box without a
// scripted answer gets its first button (OK or Yes); file dialogs and folder choosers without
// one are cancelled.
class FakeDialogs : public Dialogs {
public:
    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    // Runs before each box is answered (to change a simulated drive, for instance).
    std::function<void(const ShownBox&)> onBox;

    // A null or empty answer cancels.
    std::deque<QStringList> fileAnswers;
    std::vector<QString> fileStarts;
    std::deque<QString> folderAnswers;
    std::vector<std::pair<QString, int>> folderCalls;
    std::vector<QString> formatted;
    std::vector<QString> helpTopics;
    int helpCloses = 0;

    int messageBox(QWidget* owner, const QString& text, const QString& caption,
                   unsigned flags) override;
    std::optional<QStringList> openFiles(QWidget* owner, const QString& startFolder) override;
    // The same script as openFiles (fileAnswers, fileStarts): the first name of an answer.
    std::optional<QString> nameFile(QWidget* owner, const QString& startFolder) override;
    std::optional<QString> chooseFolder(QWidget* owner, const QString& startFolder,
                                        int helpContext) override;
    void formatDrive(QWidget* owner, const QString& driveRoot) override;
    void showHelp(const QString& topic) override;
    void closeHelp() override { ++helpCloses; }

    std::vector<std::string> texts() const;
};

} // namespace zol::test
