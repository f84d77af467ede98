// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_files.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quibel::verification {

namespace {

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        const auto at = line.find(sep, start);
        out.push_back(line.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos)
            return out;
        start = at + 1;
    }
}

double Number(const std::string& s, const std::string& file, int line) {
    const char* begin = s.data();
    const char* end = s.data() + s.size();
    while (begin < end && *begin == ' ')
        ++begin;
    double v = 0.0;
    const auto [stop, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || stop == begin)
        throw std::runtime_error(file + ": line " + std::to_string(line) + ": \"" + s +
                                 "\" is not a number");
    return v;
}

std::string WithoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

GridColumns ReadGridCsv(const std::string& text, const std::string& file) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line))
        throw std::runtime_error(file + ": empty");
    const std::vector<std::string> titles = Split(WithoutCarriageReturn(line), ';');
    std::getline(in, line); // units
    std::vector<std::vector<double>> values(titles.size());
    int number = 2;
    while (std::getline(in, line)) {
        ++number;
        line = WithoutCarriageReturn(line);
        if (line.empty())
            continue;
        const std::vector<std::string> cells = Split(line, ';');
        if (cells.size() != titles.size())
            throw std::runtime_error(file + ": line " + std::to_string(number) + " has " +
                                     std::to_string(cells.size()) + " cells");
        for (std::size_t c = 0; c < cells.size(); ++c)
            values[c].push_back(Number(cells[c], file, number));
    }
    GridColumns grid;
    for (std::size_t c = 0; c < titles.size(); ++c)
        grid.columns[titles[c]] = std::move(values[c]);
    return grid;
}

SpectrumCurve ReadSpectrumText(const std::string& text, const std::string& file) {
    std::istringstream in(text);
    std::string line;
    SpectrumCurve curve;
    int dashes = 0;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = WithoutCarriageReturn(line);
        if (line.rfind("-----", 0) == 0) {
            ++dashes;
            continue;
        }
        if (dashes != 1 || line.empty())
            continue;
        std::vector<double> row;
        for (const std::string& cell : Split(line, ' '))
            if (!cell.empty())
                row.push_back(Number(cell, file, number));
        if (row.size() != 4)
            throw std::runtime_error(file + ": line " + std::to_string(number) +
                                     " is not a spectrum row");
        curve.periods.push_back(row[0]);
        curve.Sd.push_back(row[1]);
        curve.Sv.push_back(row[2]);
        curve.Sa.push_back(row[3]);
    }
    if (curve.periods.empty())
        throw std::runtime_error(file + ": no spectrum rows");
    return curve;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ProjectFile(const std::string& name) {
    return name + ".qbl";
}
std::string GridFile(const std::string& name) {
    return name + ".csv";
}
std::string SpectrumFile(const std::string& name, double ratio) {
    return name + "@" + DecimalText(ratio) + ".txt";
}

std::string DecimalText(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.10g", x);
    return buf;
}

} // namespace quibel::verification
