#pragma once

#include <QFont>

class QWidget;

namespace zol {

// The Japanese UI font at the given pixel size: "ＭＳ Ｐゴシック" where it exists, then
// IPAPGothic (metric-compatible), then whatever Japanese font fontconfig has.
QFont UiFont(int pixelSize);

// The bold Latin serif of the version box (11 pixels).
QFont VersionFont();

// Gives widget and all its children Qt's "Windows" style (caption on the group box frame)
// and the background of the system menu colour.
void ApplyClassicLook(QWidget* widget);

} // namespace zol
