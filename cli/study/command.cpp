// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/command.h"

#include "cli/atomic_text_file.h"
#include "cli/batch/case.h"
#include "cli/batch/csv.h"
#include "cli/batch/fields.h"
#include "cli/batch/inputs.h"
#include "cli/batch/merge.h"
#include "cli/batch/number.h"
#include "cli/batch/options.h"
#include "cli/batch/progress.h"
#include "cli/batch/runner.h"
#include "cli/batch/summary.h"
#include "cli/command_line.h"
#include "cli/study/case_table.h"
#include "cli/study/journal.h"
#include "cli/study/record_scales.h"
#include "cli/study/study_charts.h"
#include "cli/study/study_outputs.h"
#include "documents/document_session.h"
#include "documents/study_plots.h"
#include "numeric/error.h"
#include "study/study_plan.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

namespace quibel::cli {

namespace {

namespace fs = std::filesystem;

struct StudyOptions {
    std::string study;
    std::optional<std::string> dir;
    CaseSpread spread;
    bool dryRun = false;
};

bool parseOptions(const std::vector<std::string>& args, StudyOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (const std::optional<bool> read = ReadCaseSpread(args, i, o.spread)) {
            if (!*read)
                return false;
            continue;
        }
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            o.dir = args[++i];
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (!a.starts_with("-") && o.study.empty()) {
            o.study = a;
        } else {
            return false;
        }
    }
    return !o.study.empty();
}

// The study, checked as a whole before anything runs: its fields and its records.
struct Prepared {
    study::StudyDescription study;
    study::StudyPlan plan;
    std::string caseTable;
};

std::optional<Prepared> prepare(const StudyOptions& o, BatchInputs& inputs, std::ostream& err,
                                Language lang) {
    const auto refuse = [&](const Message& m) {
        err << render(lang, Message("study.bad_study", {o.study, render(lang, m)})) << "\n";
    };
    std::string text;
    if (const std::optional<std::string> failure = ReadWholeFile(o.study, text)) {
        err << render(lang, Message("cli.batch.cannot_read", {o.study, *failure})) << "\n";
        return std::nullopt;
    }
    Prepared p;
    try {
        p.study = study::ReadStudyDescription(text, fs::path(o.study).parent_path());
    } catch (const Error& e) {
        refuse(e.message());
        return std::nullopt;
    }
    for (const study::StudyParameter& param : p.study.parameters)
        if (!FindBatchField(param.field)) {
            refuse(Message("study.unknown_field", {std::to_string(param.line), param.field}));
            return std::nullopt;
        }
    std::optional<RecordProblem> problem;
    const std::optional<std::vector<double>> intensities =
        RecordIntensities(p.study, inputs, problem);
    if (!intensities) {
        std::string reason = render(lang, problem->message);
        if (!problem->file.empty() && reason.find(problem->file) == std::string::npos)
            reason = problem->file + ": " + reason;
        refuse(Message("study.bad_record", {std::to_string(problem->line), reason}));
        return std::nullopt;
    }
    p.plan = study::PlanStudy(p.study);
    std::vector<std::vector<double>> scales;
    for (double im : *intensities) {
        scales.emplace_back();
        for (double level : p.study.intensity.levels)
            scales.back().push_back(level / im);
    }
    p.caseTable = StudyCaseTable(p.study, p.plan, scales);
    return p;
}

bool failedEnd(CaseEnd end) {
    return end != CaseEnd::Completed && end != CaseEnd::Stopped;
}

// Seconds one case takes, from the journal's run times, or by running a few cases spread
// over the ones to run (the levels differ much in length of sliding) now.
double secondsPerCase(const StudyJournal& journal, const std::vector<const BatchCase*>& toRun,
                      BatchInputs& inputs, const BatchSettings& settings) {
    double sum = 0.0;
    int count = 0;
    for (const SummaryFile& f : journal.files) {
        const CsvTable t = ParseCsv(f.text);
        const auto& header = t.header.cells;
        const auto column = static_cast<std::size_t>(
            std::find(header.begin(), header.end(), kRunTimeColumn) - header.begin());
        for (const CsvRow& row : t.rows)
            if (column < row.cells.size())
                if (const std::optional<double> v = ParseFiniteNumber(row.cells[column])) {
                    sum += *v;
                    ++count;
                }
    }
    BatchSettings alone = settings;
    alone.resultsDir.reset();
    constexpr std::size_t kTried = 5;
    for (std::size_t k = 0; count == 0 && k < kTried && k < toRun.size(); ++k) {
        sum +=
            RunBatchCase(*toRun[k * toRun.size() / std::min(kTried, toRun.size())], inputs, alone)
                .seconds;
        if (k + 1 == std::min(kTried, toRun.size()))
            count = static_cast<int>(k + 1);
    }
    return count > 0 ? sum / count : 0.0;
}

int writeFile(const fs::path& path, const std::string& text, std::ostream& err, Language lang) {
    if (const std::optional<std::string> failure = WriteTextAtomically(path.string(), text)) {
        err << render(lang, Message("file.unable_to_write", {path.string(), *failure})) << "\n";
        return WriteFailed;
    }
    return Success;
}

// The rows of the merged summary whose case belongs to shard I of N.
std::string shardRows(const std::string& merged, const CaseSpread& spread) {
    const CsvTable t = ParseCsv(merged);
    std::string text = CsvLine(t.header.cells, kSummarySeparator);
    for (const CsvRow& row : t.rows) {
        const std::optional<double> index = row.cells.size() > kCaseIndexColumn
                                                ? ParseFiniteNumber(row.cells[kCaseIndexColumn])
                                                : std::nullopt;
        if (index && spread.takes(static_cast<int>(*index)))
            text += CsvLine(row.cells, kSummarySeparator);
    }
    return text;
}

int writeFindings(const fs::path& dir, const Prepared& p, const std::string& summary,
                  std::ostream& out, std::ostream& err, Language lang) {
    const StudyFindings f = AnalyseStudy(p.study, p.plan, summary);
    const std::string text = StudySummaryText(p.study, p.plan, f, lang);
    int code = Success;
    std::error_code ec;
    for (const auto& [name, content] : {std::pair<std::string, std::string>{"summary.csv", summary},
                                        {"fractions.csv", FractionsCsv(p.study, f)},
                                        {"fragility.csv", FragilityCsv(p.study, f)},
                                        {"incremental.csv", IncrementalCsv(p.study, p.plan, f)},
                                        {"study.txt", text}})
        code = std::max(code, writeFile(dir / name, content, err, lang));
    const fs::path charts = dir / "charts";
    fs::create_directories(charts, ec);
    const DocumentSession session;
    const StudyPlotsOutcome drawn =
        session.available() ? DrawStudyCharts(StudyCharts(p.study, p.plan, f, charts, lang))
                            : StudyPlotsOutcome::Unavailable;
    if (drawn == StudyPlotsOutcome::Unavailable)
        err << render(lang, Message("study.no_plots")) << "\n";
    if (drawn == StudyPlotsOutcome::WriteFailed) {
        err << render(lang, Message("file.unable_to_write", {charts.string(), ""})) << "\n";
        code = WriteFailed;
    }
    out << text << std::flush;
    return code;
}

} // namespace

int runStudyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    Language lang) {
    StudyOptions o;
    if (!parseOptions(args, o)) {
        err << render(lang, Message("cli.usage.study")) << "\n";
        return UsageError;
    }
    BatchInputs inputs;
    const std::optional<Prepared> prepared = prepare(o, inputs, err, lang);
    if (!prepared)
        return ReadFailed;
    const Prepared& p = *prepared;
    const fs::path dir = o.dir ? fs::path(*o.dir) : fs::path(o.study).replace_extension();
    const fs::path journalDir = dir / "journal";
    std::error_code ec;
    if (!o.dryRun)
        fs::create_directories(journalDir, ec);
    if (ec) {
        err << render(lang, Message("file.unable_to_write", {journalDir.string(), ec.message()}))
            << "\n";
        return WriteFailed;
    }
    // The case table of the folder must be this study's: resuming into another's would mix them.
    const fs::path tablePath = dir / "cases.csv";
    std::string existing;
    if (fs::exists(tablePath, ec) && !ReadWholeFile(tablePath.string(), existing) &&
        existing != p.caseTable) {
        err << render(lang, Message("study.other_study", {tablePath.string()})) << "\n";
        return ReadFailed;
    }
    // Shards starting together write the same table at once, through one temporary file: a
    // shard that finds it failed or not whole writes it once more.
    if (existing.empty() && !o.dryRun) {
        std::string written;
        if ((WriteTextAtomically(tablePath.string(), p.caseTable) ||
             ReadWholeFile(tablePath.string(), written) || written != p.caseTable) &&
            writeFile(tablePath, p.caseTable, err, lang) != Success)
            return WriteFailed;
    }

    const BatchTable table = ReadBatchTable(p.caseTable, dir);
    const std::string header = CsvLine(SummaryHeader(table.columns), kSummarySeparator);
    StudyJournal journal;
    try {
        journal = ReadStudyJournals(journalDir, header);
    } catch (const Error& e) {
        err << render(lang, e.message()) << "\n";
        return ReadFailed;
    }
    std::vector<const BatchCase*> cases;
    for (const BatchCase& c : table.cases)
        if (o.spread.takes(c.index) && !journal.done.contains(c.index))
            cases.push_back(&c);

    BatchSettings settings;
    settings.jobs = o.spread.threads();
    settings.language = lang;
    const int count = static_cast<int>(table.cases.size());

    if (o.dryRun) {
        const double each = secondsPerCase(journal, cases, inputs, settings);
        const double total =
            each * static_cast<double>(cases.size()) /
            std::min<double>(settings.jobs, std::max<std::size_t>(cases.size(), 1));
        out << render(lang, Message("study.dry_run",
                                    {std::to_string(count), std::to_string(journal.done.size()),
                                     std::to_string(cases.size()), std::to_string(settings.jobs),
                                     std::to_string(std::llround(total))}))
            << "\n";
        return Success;
    }

    const Shard& shard = o.spread.shard;
    const std::string name = shard.parts == 1 ? "all.csv"
                                              : "shard-" + std::to_string(shard.part) + "-of-" +
                                                    std::to_string(shard.parts) + ".csv";
    JournalWriter writer;
    if (const std::optional<std::string> failure = writer.open(journalDir / name, header)) {
        err << render(lang,
                      Message("file.unable_to_write", {(journalDir / name).string(), *failure}))
            << "\n";
        return WriteFailed;
    }
    const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO) != 0;
    BatchProgress progress(err, lang, static_cast<int>(cases.size()), terminal);
    try {
        RunBatchCases(cases, inputs, settings, [&](std::size_t i, const CaseResult& r) {
            writer.append(
                CsvLine(SummaryRow(table.columns, *cases[i], r, count, lang), kSummarySeparator));
            progress.caseDone(failedEnd(r.end));
        });
    } catch (const std::exception& e) {
        progress.finish();
        err << render(lang, Message("cli.batch.unexpected", {e.what()})) << "\n";
        return UsageError;
    }
    progress.finish();

    MergedSummary merged;
    try {
        merged = MergeSummaries(ReadStudyJournals(journalDir, header).files);
    } catch (const Error& e) {
        err << render(lang, e.message()) << "\n";
        return ReadFailed;
    }
    const CsvTable rows = ParseCsv(merged.text);
    const std::size_t status = static_cast<std::size_t>(
        std::find(rows.header.cells.begin(), rows.header.cells.end(), "status") -
        rows.header.cells.begin());
    const bool notRun = std::any_of(rows.rows.begin(), rows.rows.end(), [&](const CsvRow& r) {
        return status < r.cells.size() && (r.cells[status] == CaseEndName(CaseEnd::InputError) ||
                                           r.cells[status] == CaseEndName(CaseEnd::ChecksFailed));
    });
    int code = Success;
    if (shard.parts > 1) {
        code = writeFile(dir / ("summary-" + std::to_string(shard.part) + "-of-" +
                                std::to_string(shard.parts) + ".csv"),
                         shardRows(merged.text, o.spread), err, lang);
    } else {
        code = writeFindings(dir, p, merged.text, out, err, lang);
    }
    if (code != Success)
        return code;
    return notRun ? PreconditionFailed : Success;
}

} // namespace quibel::cli
