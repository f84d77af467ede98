// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quibel {

/// Tells a long computation on the user-interface thread when it is time to let the event loop
/// run: a helper thread raises a flag at every interval, and the computation reads it between
/// its steps. Reading the flag is one relaxed load, so the steps pay neither a clock read nor a
/// write for it. The helper thread touches nothing but the flag.
class YieldTicker final {
public:
    YieldTicker() = default;
    ~YieldTicker() { stop(); }
    YieldTicker(const YieldTicker&) = delete;
    YieldTicker& operator=(const YieldTicker&) = delete;

    /// Raises the flag every interval from now on (restarts a ticker already running).
    void start(std::chrono::milliseconds interval);
    /// Ends the helper thread; the flag stays as it is.
    void stop();

    /// true once an interval has passed since the last take(); cheap enough for every step.
    bool due() const noexcept { return mDue.load(std::memory_order_relaxed); }
    /// Lowers the flag: the event loop has just run.
    void take() noexcept { mDue.store(false, std::memory_order_relaxed); }

private:
    std::atomic<bool> mDue{false};
    std::mutex mMutex;
    std::condition_variable mWake;
    bool mStopping = false;
    std::thread mThread;
};

} // namespace quibel
