// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/result_grid.h"

#include "engine/run/number_text.h"
#include "reporting/grid_columns.h"
#include "reporting/rocking_result_grid.h"
#include "reporting/sliding_rocking_result_grid.h"

#include <cmath>
#include <memory>

namespace quibel {

namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 16;

char* writeGridCell(char* out, const GridColumn& column, int row, GridPrecision precision) {
    const double value = column.values[static_cast<std::size_t>(row)];
    if (precision == GridPrecision::Full)
        return writeGeneral17(out, value);
    return writeFixed(out, value, column.decimals);
}

std::string headingLine(const ResultGrid& grid, std::string GridColumn::*text) {
    std::string line;
    for (std::size_t c = 0; c < grid.columns.size(); ++c) {
        if (c > 0)
            line += ';';
        line += grid.columns[c].*text;
    }
    line += '\n';
    return line;
}

} // namespace

void AppendGridCell(std::string& out, const GridColumn& column, int row, GridPrecision precision) {
    char buffer[kNumberTextRoom];
    out.append(buffer, writeGridCell(buffer, column, row, precision));
}

std::string GridCellText(const GridColumn& column, int row, GridPrecision precision) {
    std::string s;
    AppendGridCell(s, column, row, precision);
    return s;
}

int TimeColumnDecimals(double saveStep) noexcept {
    if (!(saveStep > 0.0) || !std::isfinite(saveStep))
        return 3;
    const double digits = std::fabs(std::round(std::log10(saveStep)));
    return 1 + static_cast<int>(std::fmin(digits, 30.0));
}

ResultGrid SlidingResultGrid(const TBlocStatic& model, Language language) {
    return GridColumns(model, language, AnalysisKind::Sliding)
        .withEnergyErrors(ResultSeries::FrictionEnergy, true);
}

ResultGrid ResultGridFor(const TBlocStatic& model, Language language) {
    switch (model.AnalysisKind) {
    case AnalysisKind::Sliding:
        return SlidingResultGrid(model, language);
    case AnalysisKind::Rocking:
        return RockingResultGrid(model, language);
    case AnalysisKind::SlidingAndRocking:
        return SlidingRockingResultGrid(model, language);
    }
    return {};
}

bool WriteResultGridCsv(const ResultGrid& grid, GridPrecision precision,
                        const std::function<bool(std::string_view)>& write) {
    if (!write(headingLine(grid, &GridColumn::title)) ||
        !write(headingLine(grid, &GridColumn::unit)))
        return false;
    // The rows are written straight into one buffer, with room for a whole row past the piece
    // size: no check of the room per cell, and the same few pages for a grid of any length.
    const std::size_t rowRoom = grid.columns.size() * (kNumberTextRoom + 1) + 1;
    const auto piece = std::make_unique_for_overwrite<char[]>(kPieceSize + rowRoom);
    char* const begin = piece.get();
    char* const full = begin + kPieceSize;
    char* out = begin;
    for (int r = 0; r < grid.rows(); ++r) {
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            if (c > 0)
                *out++ = ';';
            out = writeGridCell(out, grid.columns[c], r, precision);
        }
        *out++ = '\n';
        if (out >= full) {
            if (!write({begin, out}))
                return false;
            out = begin;
        }
    }
    return out == begin || write({begin, out});
}

std::string ResultGridCsv(const ResultGrid& grid, GridPrecision precision) {
    std::string out;
    WriteResultGridCsv(grid, precision, [&](std::string_view piece) {
        out += piece;
        return true;
    });
    return out;
}

} // namespace quibel
