// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/background_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <future>

namespace quibel {

namespace {
// How often the finished work is looked for (ms), and after how long the bar shows (ms).
constexpr int kPollInterval = 15;
constexpr int kShowBarAfter = 300;
} // namespace

void runInBackground(QWidget* parent, const QString& label, const std::function<void()>& work) {
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::milliseconds(kPollInterval)) != std::future_status::ready) {
        QProgressDialog bar(label, QString(), 0, 0, parent);
        bar.setObjectName(QStringLiteral("LoadProgress"));
        bar.setWindowModality(Qt::WindowModal);
        bar.setMinimumDuration(kShowBarAfter);
        bar.setValue(0);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
                loop.quit();
        });
        poll.start(kPollInterval);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    done.get(); // throws what work threw
}

} // namespace quibel
