// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/case.h"
#include "cli/batch/measures_cache.h"
#include "model/project_record.h"
#include "numeric/error.h"
#include "signals/signal_samples.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <variant>

namespace quibel::cli {

/// A file named by a case that cannot be read: the reader's message and the file's path
/// (many of the readers' messages do not name the file).
class BatchFileError final : public Error {
public:
    BatchFileError(std::string path, Message message)
        : Error(std::move(message)), mPath(std::move(path)) {}
    const std::string& path() const noexcept { return mPath; }

private:
    std::string mPath;
};

/// A record read for a case, with the title it gets in the model.
struct LoadedRecord final {
    SignalSamples samples;
    std::string title;
};

/// The files the cases of a batch read: base projects, record text files and earthquake
/// workbooks. Each file is read once, however many cases use it, and what was read (or the
/// reason it could not be) is kept for the other cases. Safe to use from several threads at
/// once; the cases receive read-only copies to start from.
class BatchInputs final {
public:
    BatchInputs();
    ~BatchInputs();
    BatchInputs(const BatchInputs&) = delete;
    BatchInputs& operator=(const BatchInputs&) = delete;

    /// The project at path as read from its file. Throws BatchFileError with the reader's
    /// message.
    std::shared_ptr<const TBlocStatic> project(const std::string& path);

    /// The record of source (a text file, a record file or a database record). Throws
    /// BatchFileError with the message of the text import or of the workbook, or with
    /// Message("cli.batch.no_sheet", {sheet, workbook}) or Message("cli.batch.no_record", {record,
    /// sheet, workbook}) for names the workbook does not hold.
    std::shared_ptr<const LoadedRecord> record(const RecordSource& source);

    /// The intensity measures of the signals the cases run.
    MeasuresCache& measures() noexcept { return mMeasures; }

private:
    template <class T>
    using Loaded = std::variant<std::shared_ptr<const T>, Message>;
    struct Workbook;

    std::shared_ptr<const LoadedRecord> databaseRecord(const RecordSource& source);

    std::mutex mMutex;
    std::map<std::string, Loaded<TBlocStatic>> mProjects;
    /// Keyed by path, format (the reader's name or the text import's number) and step.
    std::map<std::tuple<std::string, std::string, double>, Loaded<LoadedRecord>> mTextRecords;
    std::map<std::tuple<std::string, std::string, std::string>, Loaded<LoadedRecord>>
        mDatabaseRecords;
    MeasuresCache mMeasures;
    std::map<std::string, std::variant<std::shared_ptr<Workbook>, Message>> mWorkbooks;
};

} // namespace quibel::cli
