// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_options.h"

#include "signals/number_stream_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace quibel::cli {

namespace {
[[noreturn]] void problem(const char* key, const std::string& word) {
    throw RecordUsageProblem{Message(key, {word})};
}

double number(const std::string& word) {
    const auto v = ParseDecimalToken(word);
    if (!v)
        problem("records.cli.bad_number", word);
    return *v;
}

// "A:B" or "A:B:C" as numbers.
template <std::size_t N>
std::array<double, N> numbers(const std::string& option, const std::string& word) {
    std::array<double, N> out{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t end = word.find(':', start);
        if ((end == std::string::npos) != (i + 1 == N))
            problem("records.cli.bad_list", option + " " + word);
        const auto v = ParseDecimalToken(std::string_view(word).substr(start, end - start));
        if (!v)
            problem("records.cli.bad_list", option + " " + word);
        out[i] = *v;
        start = end + 1;
    }
    return out;
}

std::size_t count(const std::string& word) {
    const double v = number(word);
    if (!(v >= 0.0 && v <= 1e6 && v == std::floor(v)))
        problem("records.cli.bad_number", word);
    return static_cast<std::size_t>(v);
}

void setOption(RecordRequest& r, const std::string& option, const std::string& value) {
    RecordProcessing& p = r.processing;
    if (option == "-o") {
        r.output = value;
    } else if (option == "--component") {
        r.component = count(value);
    } else if (option == "--format") {
        r.format = value;
    } else if (option == "--dt") {
        r.read.TimeStep = number(value);
    } else if (option == "--detrend") {
        p.DetrendDegree = static_cast<int>(count(value));
    } else if (option == "--taper") {
        p.TaperLength = number(value);
    } else if (option == "--bandpass") {
        const auto b = numbers<3>(option, value);
        if (!(b[0] >= 1.0 && b[0] <= 8.0 && b[0] == std::floor(b[0])))
            problem("records.cli.bad_list", option + " " + value);
        p.Filter = BandPass{static_cast<int>(b[0]), b[1], b[2]};
    } else if (option == "--trim") {
        const auto t = numbers<2>(option, value);
        p.Trim = std::make_pair(t[0], t[1]);
    } else if (option == "--resample") {
        p.ResampleStep = number(value);
    } else if (option == "--scale-pga") {
        p.TargetPga = number(value);
    } else {
        const auto s = numbers<3>(option, value);
        p.TargetSa = SpectralTarget{s[0], s[1], s[2]};
    }
}

constexpr std::string_view kOptions[] = {"-o",         "--component", "--format",   "--dt",
                                         "--detrend",  "--taper",     "--bandpass", "--trim",
                                         "--resample", "--scale-pga", "--scale-sa"};
} // namespace

RecordRequest ParseRecordRequest(const std::vector<std::string>& args) {
    RecordRequest r;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.size() < 2 || word[0] != '-') {
            if (!r.file.empty())
                problem("records.cli.extra_argument", word);
            r.file = word;
            continue;
        }
        if (std::find(std::begin(kOptions), std::end(kOptions), word) == std::end(kOptions))
            problem("records.cli.unknown_option", word);
        if (i + 1 >= args.size())
            problem("records.cli.missing_value", word);
        setOption(r, word, args[++i]);
    }
    if (r.file.empty())
        throw RecordUsageProblem{Message("records.cli.missing_file")};
    return r;
}

} // namespace quibel::cli
