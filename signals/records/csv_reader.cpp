// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include "signals/number_stream_reader.h"

#include <cctype>
#include <cmath>

namespace quibel {

namespace {
char separatorOf(std::string_view header) {
    for (char c : {',', ';', '\t'})
        if (header.find(c) != std::string_view::npos)
            return c;
    return '\0';
}

std::vector<std::string_view> cells(std::string_view line, char separator) {
    std::vector<std::string_view> out;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        out.push_back(Trim(line.substr(start, end - start)));
        if (end == std::string_view::npos)
            return out;
        start = end + 1;
    }
}

// "acc (cm/s2)" gives "cm/s2"; a column without a unit is in g.
std::string unitOf(std::string_view name) {
    const std::size_t open = name.find_first_of("([");
    const std::size_t close = name.find_first_of(")]", open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return "g";
    return std::string(Trim(name.substr(open + 1, close - open - 1)));
}

bool isTimeColumn(std::string_view name) {
    return StartsWithNoCase(name, "time") || StartsWithNoCase(name, "t ") ||
           StartsWithNoCase(name, "t(") || name == "t" || name == "T";
}
} // namespace

// A header row of column names, then rows of numbers: time and one or more accelerations,
// or accelerations only at the step the user gives.
bool RecognisesCsv(const RecordLines& lines) {
    const std::string_view header = lines.line(1);
    const char separator = separatorOf(header);
    if (lines.count() < 2)
        return false;
    // One column: a single word over a number.
    if (separator == '\0' &&
        (header.find(' ') != std::string_view::npos || !ParseDecimalToken(Trim(lines.line(2)))))
        return false;
    for (std::string_view cell : cells(header, separator))
        if (cell.empty() || !std::isalpha(static_cast<unsigned char>(cell[0])))
            return false;
    return cells(lines.line(2), separator).size() == cells(header, separator).size();
}

RecordData ReadCsv(const RecordLines& lines, const RecordReadOptions& options) {
    const char separator = separatorOf(lines.line(1));
    const auto names = cells(lines.line(1), separator);
    const bool timed = isTimeColumn(names[0]);
    RecordData data;
    data.Format = "csv";
    std::vector<double> factors;
    for (std::size_t i = timed ? 1 : 0; i < names.size(); ++i) {
        RecordComponent c{std::string(names[i]), unitOf(names[i]), options.TimeStep, {}};
        factors.push_back(FactorToG(c.Units));
        if (factors.back() == 0.0)
            lines.fail("records.not_acceleration", 1, {c.Units});
        data.Components.push_back(std::move(c));
    }
    if (data.Components.empty())
        lines.fail("records.missing_field", 1, {"acceleration"});
    std::vector<double> times;
    std::size_t k = 2;
    for (; k <= lines.count() && !Trim(lines.line(k)).empty(); ++k) {
        const auto row = cells(lines.line(k), separator);
        if (row.size() != names.size())
            lines.fail("records.row_width", k,
                       {std::to_string(names.size()), std::to_string(row.size())});
        if (timed)
            times.push_back(FieldNumber(lines, k, row[0]));
        for (std::size_t i = 0; i < data.Components.size(); ++i)
            data.Components[i].Values.push_back(FieldNumber(lines, k, row[i + (timed ? 1 : 0)]) *
                                                factors[i]);
    }
    if (k == 2)
        lines.fail("records.too_few_values", 2, {"2", "0"});
    double dt = options.TimeStep;
    if (timed) {
        if (times.size() < 2)
            lines.fail("records.too_few_values", 2, {"2", std::to_string(times.size())});
        dt = (times.back() - times.front()) / static_cast<double>(times.size() - 1);
        for (std::size_t j = 1; j < times.size(); ++j)
            if (std::abs(times[j] - times[0] - static_cast<double>(j) * dt) > 0.01 * dt)
                lines.fail("records.uneven_time", j + 2, {});
    }
    CheckTimeStep(lines, timed ? 2 : 1, dt);
    for (auto& c : data.Components)
        c.Dt = dt;
    return data;
}

} // namespace quibel
