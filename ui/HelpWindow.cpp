#include "HelpWindow.h"

#include "ProgramIcon.h"
#include "UiLook.h"

#include <QUrl>

namespace zol {

namespace {
const QString HelpPage = QStringLiteral("qrc:/tessmarc/tessmarc.html");
}

QString HelpAnchor(const QString& topic) {
    bool isNumber = false;
    const int context = topic.toInt(&isNumber);
    if (isNumber)
        return QStringLiteral("context%1").arg(context);
    return QStringLiteral("intro");
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("ファイルの圧縮・分割・結合・解凍 ヘルプ"));
    setWindowIcon(ProgramIcon());
    setFont(UiFont(13));
    setOpenLinks(true);
    resize(520, 480);
}

void HelpWindow::showTopic(const QString& topic) {
    QUrl url(HelpPage);
    url.setFragment(HelpAnchor(topic));
    setSource(url);
    scrollToAnchor(url.fragment());
    show();
    raise();
    activateWindow();
}

} // namespace zol
