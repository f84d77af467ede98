// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "cli/batch/command.h"
#include "cli/command.h"
#include "cli/project_commands.h"
#include "cli/record_command.h"
#include "cli/report_command.h"
#include "cli/run_command.h"
#include "cli/spectrum_command.h"
#include "cli/study/command.h"
#include "version/program_version.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace quibel::cli {

namespace {

struct CommandEntry {
    std::string_view name;
    CommandFunction run;
    std::string_view helpKey; ///< one line of --help
};

// Commands written against the plain signature (words, streams, language).
using PlainCommand = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&,
                             Language);
template <PlainCommand F>
int plain(const Invocation& inv) {
    return F(inv.args, inv.out, inv.err, inv.language);
}

// Each command lives in its own file; adding one is one line here.
constexpr CommandEntry kCommands[] = {
    {"info", runInfoCommand, "cli.help.info"},
    {"convert", runConvertCommand, "cli.help.convert"},
    {"spectrum", plain<runSpectrumCommand>, "cli.help.spectrum"},
    {"report", plain<runReportCommand>, "cli.help.report"},
    {"run", plain<runRunCommand>, "cli.help.run"},
    {"batch", plain<runBatchCommand>, "cli.help.batch"},
    {"batch-merge", plain<runBatchMergeCommand>, "cli.help.batch_merge"},
    {"record", runRecordCommand, "cli.help.record"},
    {"study", plain<runStudyCommand>, "cli.help.study"},
};

void printHelp(std::ostream& out, Language lang) {
    out << text(lang, "cli.help.usage") << "\n\n";
    for (const CommandEntry& c : kCommands)
        out << "  " << text(lang, c.helpKey) << "\n";
    out << "\n" << text(lang, "cli.help.options") << "\n";
}

} // namespace

void Invocation::error(const Message& message) const {
    err << render(language, message) << "\n";
}

int runCommandLine(const std::vector<std::string>& argsIn, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args;
    Language lang = Language::English;
    for (std::size_t i = 0; i < argsIn.size(); ++i) {
        if (argsIn[i] == "--lang") {
            if (i + 1 >= argsIn.size() || (argsIn[i + 1] != "en" && argsIn[i + 1] != "fr")) {
                err << render(lang, Message("cli.bad_language")) << "\n";
                return UsageError;
            }
            lang = argsIn[++i] == "fr" ? Language::French : Language::English;
        } else if (argsIn[i].starts_with("--lang=")) {
            const std::string v = argsIn[i].substr(7);
            if (v != "en" && v != "fr") {
                err << render(lang, Message("cli.bad_language")) << "\n";
                return UsageError;
            }
            lang = v == "fr" ? Language::French : Language::English;
        } else {
            args.push_back(argsIn[i]);
        }
    }
    if (args.empty()) {
        printHelp(err, lang);
        return UsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out, lang);
        return Success;
    }
    if (args[0] == "--version") {
        out << render(lang, Message("cli.version", {std::string(programVersion())})) << "\n";
        return Success;
    }
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&](const CommandEntry& c) { return c.name == args[0]; });
    if (it == std::end(kCommands)) {
        err << render(lang, Message("cli.unknown_command", {args[0]})) << "\n";
        printHelp(err, lang);
        return UsageError;
    }
    Invocation inv{std::vector<std::string>(args.begin() + 1, args.end()), out, err, lang};
    return it->run(inv);
}

} // namespace quibel::cli
