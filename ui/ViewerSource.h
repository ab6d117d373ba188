#pragma once

#include <QRect>
#include <optional>
#include <string>

namespace zol {

// What the archive viewer reads from the main window each time it is shown.
class ViewerSource {
public:
    virtual ~ViewerSource() = default;
    // Outer frame of the main window on the screen.
    virtual QRect mainFrame() const = 0;
    // Text of the selected input-list entry; nullopt with no selection.
    virtual std::optional<std::string> selectedInput() const = 0;
};

} // namespace zol
