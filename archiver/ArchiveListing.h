#pragma once

#include "unlha32.h"

#include <cstddef>
#include <functional>
#include <string>

namespace zol {

// More members than any real archive holds; a library that never ends its listing is stopped
// here.
constexpr std::size_t MaxListedMembers = 1u << 17;

// Lists the members of the archive at path through the bound table: open (mode 1), find first
// ("*.*"), find next while members come, close. member receives each filled record in the
// library's order. A search entry still on its fallback delivers nothing, so the listing ends
// there; at most MaxListedMembers members are delivered.
void ListArchiveMembers(UNLHA_HWND window, const std::string& path,
                        const std::function<void(const INDIVIDUALINFO&)>& member);

} // namespace zol
