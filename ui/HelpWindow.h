#pragma once

#include <QString>
#include <QTextBrowser>

namespace zol {

// The anchor of a help topic: the keyword "はじめに" is "intro", a help context number n
// is "context<n>".
QString HelpAnchor(const QString& topic);

// The program's help: the guide shipped as a resource, shown at one topic at a time.
class HelpWindow : public QTextBrowser {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showTopic(const QString& topic);
};

} // namespace zol
