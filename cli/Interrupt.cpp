#include "cli/Interrupt.h"

#include <csignal>

namespace zol::cli {

namespace {

// The one piece of state a signal handler may touch.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

} // namespace

void CatchInterrupt() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second Ctrl-C gets the default action
    sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() {
    return interrupted != 0;
}

} // namespace zol::cli
