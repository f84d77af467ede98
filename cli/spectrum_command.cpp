// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/spectrum_command.h"

#include "cli/command_line.h"
#include "cli/spectrum_arguments.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "signals/decimal_format.h"
#include "signals/effective_signal.h"
#include "signals/generated_table.h"
#include "signals/response_spectrum.h"
#include "signals/spectrum_file.h"
#include "signals/spectrum_parameters.h"

#include <cmath>
#include <ostream>
#include <string_view>

namespace quibel::cli {

namespace {

std::string ratioList(const std::vector<double>& dampings) {
    std::string list;
    for (double d : dampings) {
        if (!list.empty())
            list += ", ";
        list += FormatDecimals(d, 1, 7);
    }
    return list;
}

} // namespace

int runSpectrumCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       Language lang) {
    auto fail = [&](const Message& message, int code) {
        err << render(lang, message) << "\n";
        return code;
    };

    SpectrumRequest request;
    try {
        request = ParseSpectrumArguments(args);
    } catch (const SpectrumUsageProblem& problem) {
        err << render(lang, problem.message) << "\n"
            << text(lang, "signals.spectrum_cli.usage") << "\n";
        return UsageError;
    }

    const std::string& h = request.historyWord;
    if (h == "2" || h == "3")
        return fail(Message("signals.spectrum_cli.force_history", {h}), UsageError);
    if (h != "0" && h != "1") {
        err << render(lang, Message("signals.spectrum_cli.bad_history", {h})) << "\n"
            << text(lang, "signals.spectrum_cli.usage") << "\n";
        return UsageError;
    }

    // Parameters first: a typing error is reported without reading the project.
    std::vector<double> periods, dampings;
    try {
        periods = PeriodList(request.periodSets);
        dampings = DampingList(request.damping);
    } catch (const Error& e) {
        return fail(e.message(), UsageError);
    }
    if (periods.empty())
        return fail(Message("signals.spectrum_no_periods"), UsageError);
    if (dampings.empty())
        return fail(Message("signals.spectrum_no_damping"), UsageError);
    int column = 1;
    if (request.ratio) {
        column = 0;
        for (std::size_t d = 0; d < dampings.size() && column == 0; ++d)
            if (std::abs(dampings[d] - *request.ratio) <= 1e-9)
                column = static_cast<int>(d) + 1;
        if (column == 0)
            return fail(Message("signals.spectrum_cli.ratio_not_in_list",
                                {FormatDecimals(*request.ratio, 1, 7), ratioList(dampings)}),
                        UsageError);
    }

    TBlocStatic model = startupModel();
    try {
        ReadFromFile(model, request.project);
    } catch (const Error& e) {
        return fail(e.message(), ReadFailed);
    }

    const TimeHistoryRecord& record = model.history(h == "0" ? HistoryKind::HorizontalAcceleration
                                                             : HistoryKind::VerticalAcceleration);
    if (record.Source == HistorySource::Undefined)
        return fail(Message("signals.spectrum_cli.undefined_history", {h}), UsageError);
    if (record.Source == HistorySource::Generated && !HasActiveTerm(record.Terms))
        return fail(Message("signals.spectrum_cli.no_active_term", {h}), UsageError);
    const std::optional<SignalSamples> signal = EffectiveSignal(record);
    if (!signal)
        return fail(Message("signals.spectrum_cli.no_samples", {h}), UsageError);

    try {
        const ResponseSpectra spectra =
            ComputeResponseSpectra(*signal, periods, dampings, model.UnitSystem);
        if (request.outputFile.empty()) {
            out << SpectrumText(spectra, column, model.UnitSystem, lang);
            return Success;
        }
        try {
            SaveSpectrumFile(request.outputFile, spectra, column, model.UnitSystem, lang);
        } catch (const Error& e) {
            return fail(e.message(), WriteFailed);
        }
    } catch (const Error& e) {
        return fail(e.message(), UsageError);
    }
    return Success;
}

} // namespace quibel::cli
