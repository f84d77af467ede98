// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_command.h"

#include "cli/atomic_text_file.h"
#include "cli/cli_run_host.h"
#include "cli/command_line.h"
#include "cli/interrupt.h"
#include "engine/run/run_driver.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "reporting/result_grid.h"

#include <unistd.h>

#include <cmath>
#include <iostream>
#include <optional>
#include <ostream>

namespace quibel::cli {

namespace {

struct RunOptions {
    std::string project;
    std::optional<std::string> output;
    GridPrecision precision = GridPrecision::Grid;
    QuestionAnswer policy = QuestionAnswer::Continue;
    bool debug = false;
};

bool parseOptions(const std::vector<std::string>& args, RunOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            options.output = args[++i];
        } else if (a == "--precision" && hasValue) {
            const std::string& v = args[++i];
            if (v == "grid")
                options.precision = GridPrecision::Grid;
            else if (v == "full")
                options.precision = GridPrecision::Full;
            else
                return false;
        } else if (a == "--on-question" && hasValue) {
            const std::string& v = args[++i];
            if (v == "continue")
                options.policy = QuestionAnswer::Continue;
            else if (v == "stop")
                options.policy = QuestionAnswer::Stop;
            else
                return false;
        } else if (a == "--debug") {
            options.debug = true;
        } else if (!a.starts_with("-") && options.project.empty()) {
            options.project = a;
        } else {
            return false;
        }
    }
    return !options.project.empty();
}

} // namespace

int runRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  Language lang) {
    RunOptions options;
    if (!parseOptions(args, options)) {
        err << render(lang, Message("cli.usage.run")) << "\n";
        return UsageError;
    }
    TBlocStatic model = startupModel();
    try {
        ReadFromFile(model, options.project);
    } catch (const Error& e) {
        err << render(lang, e.message()) << "\n";
        return ReadFailed;
    }
    model.FileName = options.project;
    if (options.debug)
        model.Options.DebugFile = 1;

    std::unique_ptr<AnalysisStep> step = MakeAnalysisStep(model.AnalysisKind);
    if (!step || ResultGridFor(model, lang).columns.empty()) {
        err << render(lang, Message("engine.analysis_not_available")) << "\n";
        return UsageError;
    }
    const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO) != 0;
    CliRunHost host(err, lang, options.policy, terminal);
    AnalysisRun run(model, host, std::move(step));
    RunOutcome outcome;
    {
        const InterruptGuard ctrlC;
        outcome = run.run();
    }
    if (outcome.end == RunEnd::ChecksFailed)
        return PreconditionFailed;
    const bool interrupted = outcome.end == RunEnd::Stopped && outcome.cause == StopCause::Host;
    if (outcome.end == RunEnd::Stopped) {
        const char* key = interrupted ? "cli.run.interrupted" : "cli.run.stopped";
        err << render(lang, Message(key, {std::to_string(outcome.samples)})) << "\n";
    }

    const ResultGrid grid = ResultGridFor(model, lang);
    const int done = interrupted ? Interrupted : Success;
    if (!options.output) {
        WriteResultGridCsv(grid, options.precision, [&](std::string_view piece) {
            out << piece;
            return true;
        });
        return done;
    }
    const std::optional<std::string> failure =
        WriteTextAtomically(*options.output, [&](const TextSink& sink) {
            return WriteResultGridCsv(grid, options.precision, sink);
        });
    if (failure) {
        err << render(lang, Message("file.unable_to_write", {*options.output, *failure})) << "\n";
        return WriteFailed;
    }
    return done;
}

} // namespace quibel::cli
