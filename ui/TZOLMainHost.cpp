// What the operations and the viewer see of the window.
#include "Dialogs.h"
#include "NativePath.h"
#include "TZOLMain.h"
#include "platform/TempFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <climits>

namespace zol {

namespace {

int progressValue(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

} // namespace

std::vector<std::string> TZOLMain::inputs() const {
    return ListBox1->entries();
}

void TZOLMain::clearInputs() {
    ListBox1->clearEntries();
}

void TZOLMain::addInput(const std::string& path) {
    ListBox1->addEntry(path);
}

std::string TZOLMain::outputText() const {
    return ToNative(Edit1->text());
}

void TZOLMain::setOutputText(const std::string& text) {
    Edit1->setText(FromNative(text));
}

QLabel* TZOLMain::memoLabel(int line) const {
    switch (line) {
    case 1:
        return Label1;
    case 2:
        return Label2;
    case 3:
        return Label3;
    case 4:
        return Label4;
    default:
        return nullptr;
    }
}

std::string TZOLMain::memo(int line) const {
    const QLabel* memoLine = memoLabel(line);
    return memoLine ? memoLine->text().toStdString() : std::string();
}

void TZOLMain::setMemo(int line, const std::string& text) {
    if (QLabel* memoLine = memoLabel(line))
        memoLine->setText(QString::fromStdString(text));
}

bool TZOLMain::joinPiecesChosen() const {
    return BuFile->isChecked();
}

bool TZOLMain::compressFolderChosen() const {
    return !AsnFile->isChecked();
}

void TZOLMain::selectCompressFiles() {
    AsnFile->setChecked(true);
}

int TZOLMain::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return dialogs_.messageBox(this, QString::fromStdString(text), QString::fromStdString(caption),
                               flags);
}

void TZOLMain::showProgress(bool visible) {
    PrgBar->setVisible(visible);
    if (visible)
        PrgBar->raise();
}

void TZOLMain::setProgressMax(std::int64_t max) {
    PrgBar->setMaximum(progressValue(max));
}

void TZOLMain::setProgressPos(std::int64_t pos) {
    PrgBar->setValue(progressValue(pos));
}

void TZOLMain::stepProgress() {
    PrgBar->setValue(PrgBar->value() + 1);
}

void TZOLMain::processEvents() {
    QCoreApplication::processEvents();
}

void TZOLMain::formatFloppy(const std::string& driveRoot) {
    dialogs_.formatDrive(this, FromNative(driveRoot));
}

std::string TZOLMain::tempFolder() {
    return temp_.path();
}

std::uintptr_t TZOLMain::windowHandle() const {
    return reinterpret_cast<std::uintptr_t>(this);
}

QRect TZOLMain::mainFrame() const {
    return frameGeometry();
}

std::optional<std::string> TZOLMain::selectedInput() const {
    return ListBox1->selectedEntry();
}

} // namespace zol
