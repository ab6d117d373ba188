// Start-up and shutdown order of the program.
#include "ProgramIcon.h"
#include "QtDialogs.h"
#include "TZOLMain.h"
#include "TZOLbrows.h"
#include "archiver/ArchiverBinding.h"
#include "engine/Texts.h"
#include "platform/DriveService.h"
#include "platform/TempFolder.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // The library is bound before any window exists.
    zol::BindArchiverLibrary();
    int result = 0;
    {
        // Every argument is an input: Qt is given none, or it would take names such as
        // "-reverse" or "-title" as its own options and drop them from the list.
        QStringList inputs;
        for (int i = 1; i < argc; ++i)
            inputs << QFile::decodeName(argv[i]);
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        // The application's own title (a display name would be appended to every window title).
        QApplication::setApplicationName(QString::fromUtf8(zol::AppTitle));
        QApplication::setWindowIcon(zol::ProgramIcon());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        // Qt's own texts (the file dialog's labels and buttons) in Japanese, like the window;
        // without the translations installed they stay English.
        QTranslator qtTexts;
        if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTexts);

        zol::QtDialogs dialogs;
        zol::SetOwnerlessMessageBox(
            [&dialogs](const std::string& text, const std::string& caption, unsigned flags) {
                dialogs.messageBox(nullptr, QString::fromStdString(text),
                                   QString::fromStdString(caption), flags);
            });
        // Lives until after the loop, so the pieces gathered from floppies and the
        // compress-and-split archive go with it.
        zol::TempFolder temp;
        const std::unique_ptr<zol::DriveService> drives = zol::makeSystemDriveService();

        zol::TZOLMain mainWindow(dialogs, *drives, temp, inputs);
        // The program ends with the main window, hidden or not, and only with it: Qt's own
        // rule would miss a hidden window and count the help window as one.
        QApplication::setQuitOnLastWindowClosed(false);
        mainWindow.setClosedHandler([] { QCoreApplication::quit(); });
        // Without a notification area the program runs all the same, with its taskbar entry.
        mainWindow.HostTaskTray();
        zol::TZOLbrows viewer(dialogs, mainWindow, &mainWindow);
        viewer.hide();
        mainWindow.setViewerOpener([&viewer] { viewer.exec(); });
        mainWindow.show();
        result = QApplication::exec();
        zol::SetOwnerlessMessageBox(nullptr);
    }
    zol::ReleaseArchiverLibrary();
    return result;
}
