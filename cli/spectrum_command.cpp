#include "cli/spectrum_command.h"

#include "cli/command_line.h"
#include "model/project_file.h"
#include "numeric/error.h"
#include "signals/decimal_format.h"
#include "signals/effective_signal.h"
#include "signals/generated_table.h"
#include "signals/number_stream_reader.h"
#include "signals/response_spectrum.h"
#include "signals/spectrum_file.h"
#include "signals/spectrum_parameters.h"

#include <array>
#include <cmath>
#include <optional>
#include <ostream>
#include <string_view>

namespace quibel::cli {

namespace {

struct SpectrumRequest {
    std::string project;
    std::string historyWord;
    std::vector<PeriodSet> periodSets{kDefaultPeriodSets.begin(), kDefaultPeriodSets.end()};
    DampingRange damping = kDefaultDamping;
    std::optional<double> ratio;
    std::string outputFile;
};

// A usage problem: its message, followed by the command's usage line.
struct UsageProblem {
    Message message;
};

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// START:END:INCREMENT, three numbers with "." as decimal separator.
std::array<double, 3> parseRange(std::string_view word) {
    const auto parts = split(word, ':');
    std::array<double, 3> values{};
    if (parts.size() != 3)
        throw UsageProblem{Message("signals.spectrum_cli.bad_range", {std::string(word)})};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = ParseDecimalToken(parts[i]);
        if (!v)
            throw UsageProblem{Message("signals.spectrum_cli.bad_range", {std::string(word)})};
        values[i] = *v;
    }
    return values;
}

std::vector<PeriodSet> parsePeriodSets(std::string_view word) {
    std::vector<PeriodSet> sets;
    for (std::string_view part : split(word, ',')) {
        const auto r = parseRange(part);
        sets.push_back({r[0], r[1], r[2]});
    }
    if (sets.size() > 4)
        throw UsageProblem{Message("signals.spectrum_cli.too_many_sets")};
    return sets;
}

SpectrumRequest parseArguments(const std::vector<std::string>& args) {
    SpectrumRequest request;
    bool historyGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool isOption = word.size() > 1 && word[0] == '-';
        if (!isOption) {
            if (!request.project.empty())
                throw UsageProblem{Message("signals.spectrum_cli.extra_argument", {word})};
            request.project = word;
            continue;
        }
        if (word != "--history" && word != "--periods" && word != "--damping" &&
            word != "--ratio" && word != "-o")
            throw UsageProblem{Message("signals.spectrum_cli.unknown_option", {word})};
        if (i + 1 >= args.size())
            throw UsageProblem{Message("signals.spectrum_cli.missing_value", {word})};
        const std::string& value = args[++i];
        if (word == "--history") {
            request.historyWord = value;
            historyGiven = true;
        } else if (word == "--periods") {
            request.periodSets = parsePeriodSets(value);
        } else if (word == "--damping") {
            const auto r = parseRange(value);
            request.damping = {r[0], r[1], r[2]};
        } else if (word == "--ratio") {
            request.ratio = ParseDecimalToken(value);
            if (!request.ratio)
                throw UsageProblem{Message("signals.spectrum_cli.bad_number", {value})};
        } else {
            request.outputFile = value;
        }
    }
    if (request.project.empty())
        throw UsageProblem{Message("signals.spectrum_cli.missing_project")};
    if (!historyGiven)
        throw UsageProblem{Message("signals.spectrum_cli.missing_history")};
    return request;
}

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
        request = parseArguments(args);
    } catch (const UsageProblem& problem) {
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
