#pragma once

#include "engine/JobState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zol {

class DriveService;

// The one channel between the operations and whoever runs them: the main window in the
// program, a console front end in `zol`, a fake in the tests. The operations read and change
// the job through it and ask every question through messageBox; they never touch a widget.
class JobHost {
public:
    virtual ~JobHost() = default;

    virtual JobState& job() = 0;

    // The input list (ListBox1): entries in list order. addInput puts the entry at its sorted
    // place while the list sorts, at the end otherwise.
    virtual std::vector<std::string> inputs() const = 0;
    virtual void clearInputs() = 0;
    virtual void addInput(const std::string& path) = 0;

    // The output text (Edit1).
    virtual std::string outputText() const = 0;
    virtual void setOutputText(const std::string& text) = 0;

    // Memo lines Label1 to Label4 (line 1 to 4).
    virtual std::string memo(int line) const = 0;
    virtual void setMemo(int line, const std::string& text) = 0;

    // Sub-choices: BuFile (join pieces of a split set) and AsnDir (compress a folder).
    virtual bool joinPiecesChosen() const = 0;
    virtual bool compressFolderChosen() const = 0;
    // Checks AsnFile, running its handler when it was not checked.
    virtual void selectCompressFiles() = 0;

    // Every message box of the operations: flags from MessageBox.h; returns mb::IdOk and so on.
    virtual int messageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;

    // The progress bar (PrgBar) shown over the status line while split and join run.
    virtual void showProgress(bool visible) = 0;
    virtual void setProgressMax(std::int64_t max) = 0;
    virtual void setProgressPos(std::int64_t pos) = 0;
    virtual void stepProgress() = 0;

    // Lets pending window events run (Cancel, painting) between blocks.
    virtual void processEvents() = 0;

    // Drive facts (removable or not, drive root) and the format dialog for a drive root.
    virtual DriveService& drives() = 0;
    virtual void formatFloppy(const std::string& driveRoot) = 0;

    // The program's private temporary folder, ending with "/".
    virtual std::string tempFolder() = 0;

    // Opaque handle of the main window, passed to the archiver library.
    virtual std::uintptr_t windowHandle() const = 0;
};

} // namespace zol
