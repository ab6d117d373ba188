#include "FakeDialogs.h"

#include "engine/MessageBox.h"

namespace zol::test {

int FakeDialogs::messageBox(QWidget*, const QString& text, const QString& caption, unsigned flags) {
    boxes.push_back({text.toStdString(), caption.toStdString(), flags});
    if (onBox)
        onBox(boxes.back());
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (flags & mb::ButtonMask) == mb::YesNo ? mb::IdYes : mb::IdOk;
}

std::optional<QStringList> FakeDialogs::openFiles(QWidget*, const QString& startFolder) {
    fileStarts.push_back(startFolder);
    if (fileAnswers.empty())
        return std::nullopt;
    const QStringList answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

std::optional<QString> FakeDialogs::nameFile(QWidget* owner, const QString& startFolder) {
    const auto answer = openFiles(owner, startFolder);
    if (!answer)
        return std::nullopt;
    return answer->first();
}

std::optional<QString> FakeDialogs::chooseFolder(QWidget*, const QString& startFolder,
                                                 int helpContext) {
    folderCalls.emplace_back(startFolder, helpContext);
    if (folderAnswers.empty())
        return std::nullopt;
    const QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    return answer;
}

void FakeDialogs::formatDrive(QWidget*, const QString& driveRoot) {
    formatted.push_back(driveRoot);
}

void FakeDialogs::showHelp(const QString& topic) {
    helpTopics.push_back(topic);
}

std::vector<std::string> FakeDialogs::texts() const {
    std::vector<std::string> result;
    for (const ShownBox& box : boxes)
        result.push_back(box.text);
    return result;
}

} // namespace zol::test
