#pragma once

#include "archiver/ArchiverBinding.h"

#include <string>
#include <vector>

namespace zol::test {

// Installs itself as the not-loaded box for its lifetime and keeps every box shown.
class BoxRecorder {
public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned flags;
    };
    std::vector<Box> boxes;

    BoxRecorder() {
        SetOwnerlessMessageBox(
            [this](const std::string& text, const std::string& caption, unsigned flags) {
                boxes.push_back({text, caption, flags});
            });
    }
    ~BoxRecorder() { SetOwnerlessMessageBox(nullptr); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
};

} // namespace zol::test
