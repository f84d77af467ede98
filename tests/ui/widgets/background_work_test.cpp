// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/background_work.h"

#include "numeric/error.h"

#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace quibel;

// The work waits for a timer of the window's thread: it can only end if the window handles
// its events while the work runs.
TEST(BackgroundWorkTest, WindowHandlesItsEventsWhileTheWorkRuns) {
    QWidget window;
    std::atomic<bool> released = false;
    QTimer::singleShot(100, &window, [&released] { released = true; });
    bool sawRelease = false;
    runInBackground(&window, QStringLiteral("Reading"), [&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!released && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sawRelease = released;
    });
    EXPECT_TRUE(sawRelease);
}

TEST(BackgroundWorkTest, WhatTheWorkThrowsIsThrownToTheCaller) {
    QWidget window;
    EXPECT_THROW(runInBackground(&window, QStringLiteral("Reading"),
                                 [] { throw Error(Message("signals.cannot_read_file")); }),
                 Error);
}
