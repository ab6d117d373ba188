#include "cli/Progress.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <utility>

namespace zol::cli {

namespace {

constexpr int BarWidth = 30;
constexpr std::chrono::milliseconds RedrawInterval{100};

std::chrono::milliseconds delayFromEnvironment() {
    const char* text = std::getenv("ZOL_PROGRESS_DELAY_MS");
    if (text == nullptr || *text == '\0') {
        return std::chrono::milliseconds{500};
    }
    return std::chrono::milliseconds{std::max(0L, std::strtol(text, nullptr, 10))};
}

} // namespace

ProgressBar::ProgressBar(std::string label)
    : label_(std::move(label)), enabled_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()), delay_(delayFromEnvironment()) {}

ProgressBar::~ProgressBar() {
    erase();
}

void ProgressBar::show(bool visible) {
    visible_ = visible;
    if (visible) {
        draw(true);
    } else {
        erase();
    }
}

void ProgressBar::setMax(std::int64_t max) {
    max_ = max;
    draw(false);
}

void ProgressBar::setPos(std::int64_t pos) {
    pos_ = pos;
    draw(false);
}

void ProgressBar::step() {
    ++pos_;
    draw(pos_ >= max_);
}

void ProgressBar::draw(bool force) {
    if (!enabled_ || !visible_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < delay_ || (!force && drawn_ && now - lastDraw_ < RedrawInterval)) {
        return;
    }
    lastDraw_ = now;
    drawn_ = true;
    const std::int64_t shown = std::clamp<std::int64_t>(pos_, 0, max_);
    const int filled = max_ > 0 ? static_cast<int>(shown * BarWidth / max_) : 0;
    const int percent = max_ > 0 ? static_cast<int>(shown * 100 / max_) : 0;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", label_.c_str(), std::string(filled, '#').c_str(),
                 std::string(BarWidth - filled, '.').c_str(), percent);
    std::fflush(stderr);
}

void ProgressBar::erase() {
    if (drawn_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        drawn_ = false;
    }
}

} // namespace zol::cli
