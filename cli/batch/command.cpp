// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/command.h"

#include "cli/atomic_text_file.h"
#include "cli/batch/case.h"
#include "cli/batch/csv.h"
#include "cli/batch/inputs.h"
#include "cli/batch/merge.h"
#include "cli/batch/options.h"
#include "cli/batch/progress.h"
#include "cli/batch/reports.h"
#include "cli/batch/runner.h"
#include "cli/batch/summary.h"
#include "cli/command_line.h"
#include "documents/document_session.h"
#include "numeric/error.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

namespace quibel::cli {

namespace {

namespace fs = std::filesystem;

struct BatchOptions {
    std::string table;
    std::optional<std::string> output;
    CaseSpread spread;
    std::optional<std::string> resultsDir;
    std::optional<std::string> reportsDir;
    QuestionAnswer policy = QuestionAnswer::Continue;
    GridPrecision precision = GridPrecision::Grid;
};

bool parseBatchOptions(const std::vector<std::string>& args, BatchOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (const std::optional<bool> read = ReadCaseSpread(args, i, o.spread)) {
            if (!*read)
                return false;
            continue;
        }
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            o.output = args[++i];
        } else if (a == "--results-dir" && hasValue) {
            o.resultsDir = args[++i];
        } else if (a == "--reports" && hasValue) {
            o.reportsDir = args[++i];
        } else if (a == "--on-question" && hasValue) {
            const std::string& v = args[++i];
            if (v != "continue" && v != "stop")
                return false;
            o.policy = v == "stop" ? QuestionAnswer::Stop : QuestionAnswer::Continue;
        } else if (a == "--precision" && hasValue) {
            const std::string& v = args[++i];
            if (v != "grid" && v != "full")
                return false;
            o.precision = v == "full" ? GridPrecision::Full : GridPrecision::Grid;
        } else if (!a.starts_with("-") && o.table.empty()) {
            o.table = a;
        } else {
            return false;
        }
    }
    return !o.table.empty();
}

// Whether a file can be created at path, tried before hours of runs depend on it.
std::optional<std::string> checkWritable(const std::string& path) {
    const std::string probe = path + ".part";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f)
        return std::generic_category().message(errno);
    std::fclose(f);
    std::remove(probe.c_str());
    return std::nullopt;
}

bool failed(CaseEnd end) {
    return end != CaseEnd::Completed && end != CaseEnd::Stopped;
}

// Whether a case's end is reported on err as it comes: those that give no results.
bool reported(CaseEnd end) {
    return end == CaseEnd::InputError || end == CaseEnd::ChecksFailed ||
           end == CaseEnd::WriteFailed;
}

// Creates folder (and its parents) when missing; false, said on err, when it cannot be had.
bool makeFolder(const std::string& folder, std::ostream& err, Language lang) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && !fs::is_directory(folder))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        err << render(lang, Message("file.unable_to_write", {folder, ec.message()})) << "\n";
    return !ec;
}

int writeOutput(const std::optional<std::string>& output, const std::string& text,
                std::ostream& out, std::ostream& err, Language lang) {
    if (!output) {
        out << text << std::flush;
        return Success;
    }
    if (const std::optional<std::string> failure = WriteTextAtomically(*output, text)) {
        err << render(lang, Message("file.unable_to_write", {*output, *failure})) << "\n";
        return WriteFailed;
    }
    return Success;
}

} // namespace

int runBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    Language lang) {
    BatchOptions o;
    if (!parseBatchOptions(args, o)) {
        err << render(lang, Message("cli.usage.batch")) << "\n";
        return UsageError;
    }
    // The reports are painted on this thread, in a session made before any case runs.
    std::optional<DocumentSession> session;
    if (o.reportsDir && !session.emplace().available()) {
        err << render(lang, Message("pdf.unavailable")) << "\n";
        return UsageError;
    }
    std::string text;
    if (const std::optional<std::string> failure = ReadWholeFile(o.table, text)) {
        err << render(lang, Message("cli.batch.cannot_read", {o.table, *failure})) << "\n";
        return ReadFailed;
    }
    BatchTable table;
    try {
        table = ReadBatchTable(text, fs::path(o.table).parent_path());
    } catch (const Error& e) {
        err << render(lang, Message("cli.batch.bad_table", {o.table, render(lang, e.message())}))
            << "\n";
        return ReadFailed;
    }
    for (const Message& remark : table.remarks)
        err << render(lang, Message("cli.run.warning", {render(lang, remark)})) << "\n";

    BatchSettings settings;
    settings.jobs = o.spread.threads();
    settings.policy = o.policy;
    settings.language = lang;
    settings.precision = o.precision;
    if (o.output) {
        if (const std::optional<std::string> failure = checkWritable(*o.output)) {
            err << render(lang, Message("file.unable_to_write", {*o.output, *failure})) << "\n";
            return WriteFailed;
        }
    }
    if (o.resultsDir) {
        if (!makeFolder(*o.resultsDir, err, lang))
            return WriteFailed;
        settings.resultsDir = fs::path(*o.resultsDir);
    }
    std::optional<BatchReports> reports;
    if (o.reportsDir) {
        if (!makeFolder(*o.reportsDir, err, lang))
            return WriteFailed;
        // A few reports per thread wait to be painted, no more.
        reports.emplace(*o.reportsDir, lang, 2 * static_cast<std::size_t>(settings.jobs));
        settings.reports = &*reports;
    }

    std::vector<const BatchCase*> cases;
    for (const BatchCase& c : table.cases)
        if (o.spread.takes(c.index))
            cases.push_back(&c);

    const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO) != 0;
    BatchProgress progress(err, lang, static_cast<int>(cases.size()), terminal);
    BatchInputs inputs;
    std::vector<CaseResult> results;
    std::vector<std::string> unwrittenReports;
    const auto runAll = [&] {
        results = RunBatchCases(cases, inputs, settings, [&](std::size_t i, const CaseResult& r) {
            if (reported(r.end))
                progress.line(render(lang, Message("cli.batch.row_failed",
                                                   {std::to_string(cases[i]->row), cases[i]->name,
                                                    CaseMessageText(r, lang)})));
            progress.caseDone(failed(r.end));
        });
    };
    try {
        if (reports)
            unwrittenReports = reports->writeWhile(runAll);
        else
            runAll();
    } catch (const std::exception& e) {
        // No thread could be started, for one.
        progress.finish();
        err << render(lang, Message("cli.batch.unexpected", {e.what()})) << "\n";
        return UsageError;
    }
    progress.finish();
    for (const std::string& path : unwrittenReports)
        err << render(lang, Message("pdf.unwritable", {path})) << "\n";

    const int count = static_cast<int>(table.cases.size());
    std::string summary = CsvLine(SummaryHeader(table.columns), kSummarySeparator);
    bool notRun = false;
    bool writeFailed = false;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        summary += CsvLine(SummaryRow(table.columns, *cases[i], results[i], count, lang),
                           kSummarySeparator);
        notRun = notRun || results[i].end == CaseEnd::InputError ||
                 results[i].end == CaseEnd::ChecksFailed;
        writeFailed = writeFailed || results[i].end == CaseEnd::WriteFailed;
    }
    const int written = writeOutput(o.output, summary, out, err, lang);
    if (written != Success || writeFailed || !unwrittenReports.empty())
        return WriteFailed;
    return notRun ? PreconditionFailed : Success;
}

int runBatchMergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         Language lang) {
    std::vector<std::string> inputs;
    std::optional<std::string> output;
    bool partial = false;
    bool usable = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (args[i] == "--partial")
            partial = true;
        else if (!args[i].starts_with("-"))
            inputs.push_back(args[i]);
        else
            usable = false;
    }
    if (!usable || inputs.empty()) {
        err << render(lang, Message("cli.usage.batch_merge")) << "\n";
        return UsageError;
    }
    std::vector<SummaryFile> files;
    for (const std::string& path : inputs) {
        SummaryFile f{path, {}};
        if (const std::optional<std::string> failure = ReadWholeFile(path, f.text)) {
            err << render(lang, Message("cli.batch.cannot_read", {path, *failure})) << "\n";
            return ReadFailed;
        }
        files.push_back(std::move(f));
    }
    MergedSummary merged;
    try {
        merged = MergeSummaries(files);
    } catch (const Error& e) {
        err << render(lang, e.message()) << "\n";
        return ReadFailed;
    }
    if (!merged.missing.empty()) {
        std::string list;
        constexpr std::size_t kListed = 20;
        for (std::size_t i = 0; i < merged.missing.size() && i < kListed; ++i)
            list += (i ? ", " : "") + std::to_string(merged.missing[i]);
        if (merged.missing.size() > kListed)
            list += ", ...";
        const Message missing("cli.merge.missing", {std::to_string(merged.missing.size()), list});
        if (!partial) {
            err << render(lang, missing) << "\n";
            return ReadFailed;
        }
        err << render(lang, Message("cli.run.warning", {render(lang, missing)})) << "\n";
    }
    return writeOutput(output, merged.text, out, err, lang);
}

} // namespace quibel::cli
