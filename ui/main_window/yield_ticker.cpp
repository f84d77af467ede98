// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/yield_ticker.h"

namespace quibel {

void YieldTicker::start(std::chrono::milliseconds interval) {
    stop();
    mDue.store(false, std::memory_order_relaxed);
    mStopping = false;
    mThread = std::thread([this, interval] {
        std::unique_lock lock(mMutex);
        while (!mWake.wait_for(lock, interval, [this] { return mStopping; }))
            mDue.store(true, std::memory_order_relaxed);
    });
}

void YieldTicker::stop() {
    if (!mThread.joinable())
        return;
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mWake.notify_all();
    mThread.join();
}

} // namespace quibel
