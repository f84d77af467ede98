// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/export_progress_window.h"

#include "ui/results/stream_text_file.h"
#include "ui/widgets/background_work.h"
#include "ui/widgets/ui_text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <atomic>

namespace quibel {

namespace {
// Events are handled at most this often (ms): often enough for the window to repaint and
// Cancel to answer, seldom enough to cost the export nothing.
constexpr qint64 kEventInterval = 50;
constexpr int kBarSteps = 1000;
} // namespace

ExportProgressWindow::ExportProgressWindow(QWidget* parent, Language language,
                                           const QString& fileName)
    : mDialog(new QProgressDialog(parent)) {
    mDialog->setObjectName(QStringLiteral("ExportProgress"));
    mDialog->setWindowModality(Qt::WindowModal);
    mDialog->setLabelText(
        uiText(language, "large.export_progress", {QFileInfo(fileName).fileName()}));
    mDialog->setCancelButtonText(uiText(language, "large.export_cancel"));
    mDialog->setRange(0, kBarSteps);
    mDialog->setMinimumDuration(400);
    mDialog->setAutoClose(false);
    mDialog->setAutoReset(false);
    mDialog->setValue(0);
    mClock.start();
}

ExportProgressWindow::~ExportProgressWindow() {
    delete mDialog;
}

ExportProgress ExportProgressWindow::progress() {
    return [this](std::size_t done, std::size_t total) { return advance(done, total); };
}

void ExportProgressWindow::runOffThread(const std::function<void(const ExportProgress&)>& work) {
    std::atomic<std::size_t> done = 0;
    std::atomic<std::size_t> total = 0;
    std::atomic<bool> cancelled = false;
    // Shown at once: it keeps the user's clicks from the window behind it while work runs.
    mDialog->show();
    QCoreApplication::processEvents();
    cancelled = mDialog->wasCanceled();
    std::future<void> finished = std::async(std::launch::async, [&] {
        work([&](std::size_t d, std::size_t t) {
            done = d;
            total = t;
            return !cancelled.load();
        });
    });
    waitResponsively(
        finished,
        [&] {
            const std::size_t t = total.load();
            if (t > 0)
                mDialog->setValue(static_cast<int>(static_cast<double>(done.load()) /
                                                   static_cast<double>(t) * kBarSteps));
            if (mDialog->wasCanceled())
                cancelled = true;
        },
        true);
}

bool ExportProgressWindow::advance(std::size_t done, std::size_t total) {
    const qint64 now = mClock.elapsed();
    if (mLastEvents < 0 || now - mLastEvents >= kEventInterval || done == total) {
        mLastEvents = now;
        const double share =
            total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
        // setValue also shows the window once the export has lasted its minimum duration.
        mDialog->setValue(static_cast<int>(share * kBarSteps));
        QCoreApplication::processEvents();
    }
    return !mDialog->wasCanceled();
}

bool exportTextRows(QWidget* parent, Language language, const QString& path, const TextRows& rows,
                    QString* error) {
    ExportProgressWindow window(parent, language, path);
    ExportOutcome outcome = ExportOutcome::Failed;
    // Off the window's thread, so that neither the lines nor the final flush of a large file
    // to the disk hold up its repaints.
    window.runOffThread([&](const ExportProgress& progress) {
        outcome = streamTextFile(path, rows, progress, error);
    });
    return outcome != ExportOutcome::Failed;
}

} // namespace quibel
