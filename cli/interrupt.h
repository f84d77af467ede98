// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>

namespace quibel::cli {

/// While it lives, Ctrl+C (SIGINT) no longer ends the process: it is noted, and
/// InterruptRequested() turns true, so a run can end after its current step and keep what it
/// computed. The previous handling comes back when it is destroyed. One at a time.
class InterruptGuard final {
public:
    InterruptGuard() noexcept;
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction mPrevious {};
};

/// Whether Ctrl+C came since the InterruptGuard that lives now was made.
bool InterruptRequested() noexcept;

} // namespace quibel::cli
