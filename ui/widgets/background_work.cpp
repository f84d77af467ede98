// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/background_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace quibel {

namespace {
// How often the finished work is looked for (ms), and after how long the bar shows (ms).
constexpr int kPollInterval = 15;
constexpr int kShowBarAfter = 300;
} // namespace

void waitResponsively(std::future<void>& done, const std::function<void()>& poll, bool userInput) {
    if (done.wait_for(std::chrono::milliseconds(kPollInterval)) != std::future_status::ready) {
        QEventLoop loop;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            if (poll)
                poll();
            if (done.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
                loop.quit();
        });
        timer.start(kPollInterval);
        loop.exec(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    done.get(); // throws what work threw
}

void runInBackground(QWidget* parent, const QString& label, const std::function<void()>& work) {
    QProgressDialog bar(label, QString(), 0, 0, parent);
    bar.setObjectName(QStringLiteral("LoadProgress"));
    bar.setWindowModality(Qt::WindowModal);
    bar.setMinimumDuration(kShowBarAfter);
    bar.setValue(0);
    std::future<void> done = std::async(std::launch::async, work);
    waitResponsively(done, {}, false);
}

} // namespace quibel
