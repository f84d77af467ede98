// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/report_run_log.h"
#include "model/project_record.h"
#include "texts/text_catalogue.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace quibel::cli {

/// The analysis reports of a batch, one per case, at <folder>/<case name>.pdf. Painting
/// belongs to one thread, so the cases' threads hand their model and run over and the thread
/// that made the DocumentSession paints them as they come. At most `waiting` reports wait to
/// be painted: a case's thread that would make one more waits, so memory stays bounded however
/// long the batch.
class BatchReports final {
public:
    BatchReports(std::filesystem::path folder, Language language, std::size_t waiting);

    /// From a case's thread: the case's model after its run, and what the run said.
    void submit(const std::string& name, TBlocStatic model, ReportRunLog log);

    /// Runs work on a thread of its own and, on this one, writes every report submitted until
    /// work has returned and none is left. An exception of work is thrown again here once the
    /// reports are written. Returns the files that could not be written.
    std::vector<std::string> writeWhile(const std::function<void()>& work);

private:
    struct Job {
        std::string name;
        TBlocStatic model;
        ReportRunLog log;
    };

    std::filesystem::path mFolder;
    Language mLanguage;
    std::size_t mWaiting;
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::deque<Job> mJobs;
    bool mDone = false;
};

} // namespace quibel::cli
