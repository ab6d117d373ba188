#pragma once

namespace zol {

// Caption of every message box of the program.
inline constexpr const char* MsgCaption = "ファイルの圧縮・分割・結合・解凍";
// The application's own title: caption of the top-level error box.
inline constexpr const char* AppTitle = "ファイルの圧縮・分割・結合・解凍 for Win95";

} // namespace zol
