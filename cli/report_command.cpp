// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/report_command.h"

#include "cli/command_line.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "reporting/computed_data_report.h"

#include <ostream>

namespace quibel::cli {

int runReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     Language lang) {
    if (args.size() != 1 || args[0].starts_with("-")) {
        err << render(lang, Message("cli.usage.report")) << "\n";
        return UsageError;
    }
    TBlocStatic model = startupModel();
    try {
        ReadFromFile(model, args[0]);
    } catch (const Error& e) {
        err << render(lang, e.message()) << "\n";
        return ReadFailed;
    }
    SetCriticalAngles(model);
    for (const std::string& line : ComputedDataReport(model, lang))
        out << line << "\n";
    return Success;
}

} // namespace quibel::cli
