// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/reports.h"

#include "documents/analysis_report.h"

#include <exception>
#include <thread>

namespace quibel::cli {

BatchReports::BatchReports(std::filesystem::path folder, Language language, std::size_t waiting)
    : mFolder(std::move(folder)), mLanguage(language), mWaiting(std::max<std::size_t>(waiting, 1)) {
}

void BatchReports::submit(const std::string& name, TBlocStatic model, ReportRunLog log) {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [this] { return mJobs.size() < mWaiting; });
    mJobs.push_back({name, std::move(model), std::move(log)});
    mChanged.notify_all();
}

std::vector<std::string> BatchReports::writeWhile(const std::function<void()>& work) {
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mMutex);
        mDone = true;
        mChanged.notify_all();
    });
    std::vector<std::string> unwritten;
    for (;;) {
        std::unique_lock lock(mMutex);
        mChanged.wait(lock, [this] { return mDone || !mJobs.empty(); });
        if (mJobs.empty())
            break;
        Job job = std::move(mJobs.front());
        mJobs.pop_front();
        mChanged.notify_all();
        lock.unlock();
        const std::string path = (mFolder / (job.name + ".pdf")).string();
        if (WriteAnalysisReport(
                {.model = job.model, .run = &job.log, .language = mLanguage, .date = {}}, path) !=
            ReportWrite::Written)
            unwritten.push_back(path);
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return unwritten;
}

} // namespace quibel::cli
