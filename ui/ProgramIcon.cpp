#include "ProgramIcon.h"

namespace zol {

QPixmap ProgramPixmap() {
    return QPixmap(QStringLiteral(":/tessmarc/tessmarc.xpm"));
}

QIcon ProgramIcon() {
    return QIcon(ProgramPixmap());
}

} // namespace zol
