// Build-time tool: writes the program's XPM icon as the PNG that desktop menus look for.

#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: icon-to-png ICON.xpm ICON.png\n", stderr);
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "icon-to-png: cannot convert %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
