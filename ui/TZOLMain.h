#pragma once

#include "InputList.h"
#include "JobOperations.h"
#include "ViewerSource.h"
#include "engine/JobHost.h"
#include "engine/JobState.h"
#include "tray/NotifyArea.h"
#include "tray/TaskTray.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

namespace zol {

class Dialogs;
class DriveService;
class TempFolder;
struct ModeLook;

// The main window: the six modes, the input list and output text, Start and the job state.
// It is the host of every operation (JobHost) and what the archive viewer reads (ViewerSource).
class TZOLMain : public QWidget, public JobHost, public ViewerSource {
public:
    // Builds the window and runs FormCreate with the command-line inputs.
    TZOLMain(Dialogs& dialogs, DriveService& drives, TempFolder& temp, const QStringList& arguments,
             QWidget* parent = nullptr);

    // Components, by their form names.
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5, *GroupBox6, *GroupBox7;
    QGroupBox* VersionBox;
    QRadioButton *AchAndBun, *Archive, *Bunkatu, *Ketugou, *Melt, *KetuAndMelt;
    QRadioButton *AsnFile, *AsnDir, *FD144, *FD125, *FD095, *FD072, *BuFile, *FeFile;
    QPushButton *CancelButton, *StartButton, *EndButton, *HelpButton;
    QLabel* Prcinf;
    QProgressBar* PrgBar;
    QLineEdit* Edit1;
    InputList* ListBox1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Version;
    QLabel* Image1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;
    // The tray icon's menu: show, hide, separator, end. The tray icon itself (TaskTray) is
    // hosted on this window at start-up with PopupMenu and TaskTrayMouseDown.
    QMenu* PopupMenu;
    QAction *K1, *K2, *N1, *K3;
    // The tray icon; null where the desktop has no notification area.
    TTaskTray* TaskTray = nullptr;

    // Puts the tray icon on the given notification area (the desktop's when null) with its
    // saved settings. Returns false, and the window goes on without a tray, when it cannot.
    bool HostTaskTray(std::shared_ptr<NotifyArea> area = nullptr);

    // Start-up, modes and window commands.
    void FormCreate(const QStringList& arguments);
    void PrepareMode();
    void ClearMemo();
    void AchAndBunClick();
    void ArchiveClick();
    void BunkatuClick();
    void KetugouClick();
    void MeltClick();
    void KetuAndMeltClick();
    void AsnFileClick();
    void AsnDirClick();
    void BuFileClick();
    void FeFileClick();
    void FD144Click();
    void FD125Click();
    void FD095Click();
    void FD072Click();
    void HelpButtonClick();
    void K1Click();
    void K2Click();
    // The tray icon's mouse-down: the right button hides the window.
    void TaskTrayMouseDown(Qt::MouseButton button);
    void EndButtonClick();
    void CancelButtonClick();
    void FormClose();

    // Start and its sequences.
    void StartButtonClick();

    // Inputs and output.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void ListBox1Click();
    void ListBox1DblClick();
    // Files dropped on the window, as native paths.
    void WMDropFiles(const std::vector<std::string>& paths);

    // The archive viewer, shown modally by the view button.
    void setViewerOpener(std::function<void()> open) { openViewer_ = std::move(open); }
    // Runs once the window has closed: the program ends then, also when the window was hidden
    // in the tray, and no other window (the help) ends it.
    void setClosedHandler(std::function<void()> closed) { closed_ = std::move(closed); }
    void setOperations(JobOperations operations) { operations_ = std::move(operations); }
    // True while a Start is being handled: the job cannot be changed then.
    bool isRunning() const { return running_; }

    // JobHost
    JobState& job() override { return job_; }
    std::vector<std::string> inputs() const override;
    void clearInputs() override;
    void addInput(const std::string& path) override;
    std::string outputText() const override;
    void setOutputText(const std::string& text) override;
    std::string memo(int line) const override;
    void setMemo(int line, const std::string& text) override;
    bool joinPiecesChosen() const override;
    bool compressFolderChosen() const override;
    void selectCompressFiles() override;
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void showProgress(bool visible) override;
    void setProgressMax(std::int64_t max) override;
    void setProgressPos(std::int64_t pos) override;
    void stepProgress() override;
    void processEvents() override;
    DriveService& drives() override { return drives_; }
    void formatFloppy(const std::string& driveRoot) override;
    std::string tempFolder() override;
    std::uintptr_t windowHandle() const override;

    // ViewerSource
    QRect mainFrame() const override;
    std::optional<std::string> selectedInput() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void EnterMode(const ModeLook& look, const std::function<void()>& checkChoices);
    void CheckLargestPieceSize();
    void buildComponents();
    void setKeyboardOrder();
    void connectHandlers();
    void SetPieceSize(std::int64_t size);
    void ResetAfterStart();
    // False when the Start was refused before anything ran and the window keeps its job.
    bool RunMode(std::int32_t mode);
    void CompressAndSplit();
    void NameJoinedFile();
    void JoinListed(bool gathered);
    void JoinAndExtract(bool gathered);
    void ShowTopLevelError(const char* text);
    void LockForRun(bool locked);
    void NoteLastEntry();
    QLabel* memoLabel(int line) const;

    Dialogs& dialogs_;
    DriveService& drives_;
    TempFolder& temp_;
    JobState job_;
    JobOperations operations_;
    std::function<void()> openViewer_;
    std::function<void()> closed_;
    // Start folder of the file dialog (OpenDialog1): whatever was last assigned to it.
    std::string openDialogFolder_;
    bool running_ = false;
    bool closeWhenDone_ = false;
};

} // namespace zol
