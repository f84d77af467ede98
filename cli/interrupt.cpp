// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/interrupt.h"

namespace quibel::cli {

namespace {

// A signal handler can only reach the program through a flag of static storage.
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void noteInterrupt(int) {
    gInterrupted = 1;
}

} // namespace

InterruptGuard::InterruptGuard() noexcept {
    gInterrupted = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &mPrevious);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &mPrevious, nullptr);
}

bool InterruptRequested() noexcept {
    return gInterrupted != 0;
}

} // namespace quibel::cli
