#pragma once

#include <QIcon>
#include <QPixmap>

namespace zol {

// The program's own 32 x 32, 16-colour picture: a floppy with a split and a join arrow.
QPixmap ProgramPixmap();
QIcon ProgramIcon();

} // namespace zol
