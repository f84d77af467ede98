// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_file.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace quibel::verification {

namespace {

const char* StyleName(PlotSeries::Style s) {
    switch (s) {
    case PlotSeries::Style::Line:
        return "line";
    case PlotSeries::Style::Dashed:
        return "dashed";
    case PlotSeries::Style::Markers:
        return "markers";
    }
    return "line";
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

// A number written with "." whatever the locale.
double Number(const std::string& s, const std::string& file, int line) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        throw std::runtime_error(file + ": line " + std::to_string(line) + ": not a number");
    return v;
}

} // namespace

std::string PlotToText(const Plot& plot) {
    std::string out = "xlabel\t" + plot.xLabel + "\nylabel\t" + plot.yLabel + "\n";
    char buf[80];
    for (const PlotSeries& s : plot.series) {
        out += "series\t" + s.label + "\t" + s.color + "\t" + StyleName(s.style) + "\n";
        for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%.17g\t%.17g\n", s.x[i], s.y[i]);
            out += buf;
        }
    }
    return out;
}

Plot PlotFromText(const std::string& text, const std::string& file) {
    Plot plot;
    plot.file = file;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty())
            continue;
        const std::vector<std::string> f = Fields(line);
        if (f[0] == "xlabel" && f.size() == 2) {
            plot.xLabel = f[1];
        } else if (f[0] == "ylabel" && f.size() == 2) {
            plot.yLabel = f[1];
        } else if (f[0] == "series" && f.size() == 4) {
            PlotSeries s;
            s.label = f[1];
            s.color = f[2];
            s.style = f[3] == "dashed"    ? PlotSeries::Style::Dashed
                      : f[3] == "markers" ? PlotSeries::Style::Markers
                                          : PlotSeries::Style::Line;
            plot.series.push_back(std::move(s));
        } else if (f.size() == 2 && !plot.series.empty()) {
            plot.series.back().x.push_back(Number(f[0], file, number));
            plot.series.back().y.push_back(Number(f[1], file, number));
        } else {
            throw std::runtime_error(file + ": line " + std::to_string(number) +
                                     " is not a plot line");
        }
    }
    return plot;
}

} // namespace quibel::verification
