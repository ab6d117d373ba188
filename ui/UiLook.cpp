#include "UiLook.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace zol {

QFont UiFont(int pixelSize) {
    QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")};
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    if (!japanese.isEmpty())
        families << japanese.first();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

QFont VersionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

void ApplyClassicLook(QWidget* widget) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Windows"));
    if (style) {
        style->setParent(widget);
        widget->setStyle(style);
        for (QWidget* child : widget->findChildren<QWidget*>())
            child->setStyle(style);
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace zol
