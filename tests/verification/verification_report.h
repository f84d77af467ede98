// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quibel::verification {

/// One comparison of the manual: a difference between the program and the independent
/// solution, and the tolerance the manual states for it (same unit).
struct Check final {
    std::string name;
    double difference = 0.0;
    double tolerance = 0.0;

    bool passed() const noexcept { return difference <= tolerance; }
};

/// A table of the manual, in Markdown: header cells and rows of cells.
struct Table final {
    std::string id; ///< the name of the table in the manual's markers
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    std::string markdown() const;
};

/// One curve of a plot.
struct PlotSeries final {
    enum class Style { Line, Dashed, Markers };
    std::string label; ///< shown at the curve's end; at most 15 characters
    std::string color; ///< "#rrggbb"
    Style style = Style::Line;
    std::vector<double> x;
    std::vector<double> y;
};

/// A plot of the manual, drawn by the program's chart into docs/images/<file>.png.
struct Plot final {
    std::string file; ///< name without extension
    std::string xLabel;
    std::string yLabel;
    std::vector<PlotSeries> series;
};

/// What one verification problem yields: its tables, its checks and its plots.
struct CaseReport final {
    std::vector<Table> tables;
    std::vector<Check> checks;
    std::vector<Plot> plots;

    void check(std::string name, double difference, double tolerance) {
        checks.push_back({std::move(name), difference, tolerance});
    }
};

/// x with `decimals` decimals, "." as separator.
std::string Fixed(double x, int decimals);
/// x in scientific notation with `digits` significant digits ("1.23e-05").
std::string Scientific(double x, int digits);
/// x with `digits` significant digits, fixed when 1e-3 <= |x| < 1e6, else scientific.
std::string Significant(double x, int digits);

} // namespace quibel::verification
