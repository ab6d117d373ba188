#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace zol::cli {

// A one-line progress bar on standard error. It appears only when standard error is a
// terminal and the run has lasted longer than a moment (ZOL_PROGRESS_DELAY_MS, 500 ms by
// default), so scripts and logs never see it.
class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void show(bool visible);
    void setMax(std::int64_t max);
    void setPos(std::int64_t pos);
    void step();

private:
    void draw(bool force);
    void erase();

    std::string label_;
    bool enabled_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds delay_;
    std::chrono::steady_clock::time_point lastDraw_{};
    bool visible_ = false;
    bool drawn_ = false;
    std::int64_t max_ = 0;
    std::int64_t pos_ = 0;
};

} // namespace zol::cli
