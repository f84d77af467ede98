// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/spectrum_arguments.h"

#include "signals/number_stream_reader.h"

#include <array>
#include <string_view>

namespace quibel::cli {

namespace {

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
        throw SpectrumUsageProblem{Message("signals.spectrum_cli.bad_range", {std::string(word)})};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = ParseDecimalToken(parts[i]);
        if (!v)
            throw SpectrumUsageProblem{
                Message("signals.spectrum_cli.bad_range", {std::string(word)})};
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
        throw SpectrumUsageProblem{Message("signals.spectrum_cli.too_many_sets")};
    return sets;
}

} // namespace

SpectrumRequest ParseSpectrumArguments(const std::vector<std::string>& args) {
    SpectrumRequest request;
    bool historyGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool isOption = word.size() > 1 && word[0] == '-';
        if (!isOption) {
            if (!request.project.empty())
                throw SpectrumUsageProblem{Message("signals.spectrum_cli.extra_argument", {word})};
            request.project = word;
            continue;
        }
        if (word != "--history" && word != "--periods" && word != "--damping" &&
            word != "--ratio" && word != "-o")
            throw SpectrumUsageProblem{Message("signals.spectrum_cli.unknown_option", {word})};
        if (i + 1 >= args.size())
            throw SpectrumUsageProblem{Message("signals.spectrum_cli.missing_value", {word})};
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
                throw SpectrumUsageProblem{Message("signals.spectrum_cli.bad_number", {value})};
        } else {
            request.outputFile = value;
        }
    }
    if (request.project.empty())
        throw SpectrumUsageProblem{Message("signals.spectrum_cli.missing_project")};
    if (!historyGiven)
        throw SpectrumUsageProblem{Message("signals.spectrum_cli.missing_history")};
    return request;
}

} // namespace quibel::cli
