// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/workbook_export.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

namespace quibel {

namespace {

/// The number format that shows decimals digits after the separator: "0.000" for 3.
std::string numberFormat(int decimals) {
    return decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
}

} // namespace

bool WriteGridWorkbook(const ResultGrid& grid, const std::string& path, std::string* error,
                       const ExportProgress& progress) {
    auto fail = [error](std::string reason) {
        if (error)
            *error = std::move(reason);
        return false;
    };
    if (grid.rows() + 2 > kWorkbookMaxRows)
        return fail("the results have more rows than a worksheet holds");

    // The workbook is built beside its target and takes its name only when complete.
    const std::string part = path + ".part";
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows are written in order, so they need not be kept
    lxw_workbook* workbook = workbook_new_opt(part.c_str(), &options);
    if (!workbook)
        return fail("cannot create the workbook");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Results");
    std::map<int, lxw_format*> formats;
    std::vector<lxw_format*> columnFormats; // looked up once, not once a cell
    for (const GridColumn& c : grid.columns) {
        if (!formats.count(c.decimals)) {
            lxw_format* f = workbook_add_format(workbook);
            format_set_num_format(f, numberFormat(c.decimals).c_str());
            formats[c.decimals] = f;
        }
        columnFormats.push_back(formats[c.decimals]);
    }
    lxw_error status = LXW_NO_ERROR;
    // Row by row: in constant-memory mode a row is final once the next one is started.
    for (std::size_t c = 0; c < grid.columns.size() && status == LXW_NO_ERROR; ++c)
        status = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                        grid.columns[c].title.c_str(), nullptr);
    for (std::size_t c = 0; c < grid.columns.size() && status == LXW_NO_ERROR; ++c)
        if (!grid.columns[c].unit.empty())
            status = worksheet_write_string(sheet, 1, static_cast<lxw_col_t>(c),
                                            grid.columns[c].unit.c_str(), nullptr);
    constexpr int kProgressRows = 4096;
    const auto total = static_cast<std::size_t>(grid.rows());
    bool cancelled = false;
    for (int r = 0; r < grid.rows() && status == LXW_NO_ERROR; ++r) {
        if (r % kProgressRows == 0 && progress && !progress(static_cast<std::size_t>(r), total)) {
            cancelled = true;
            break;
        }
        for (std::size_t c = 0; c < grid.columns.size() && status == LXW_NO_ERROR; ++c)
            status = worksheet_write_number(
                sheet, static_cast<lxw_row_t>(r + 2), static_cast<lxw_col_t>(c),
                grid.columns[c].values[static_cast<std::size_t>(r)], columnFormats[c]);
    }
    const lxw_error closed = workbook_close(workbook);
    std::error_code ignore;
    if (cancelled) {
        std::filesystem::remove(part, ignore);
        return fail({});
    }
    if (status != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        std::filesystem::remove(part, ignore);
        return fail(lxw_strerror(status != LXW_NO_ERROR ? status : closed));
    }
    std::error_code ec;
    std::filesystem::rename(part, path, ec);
    if (ec) {
        std::filesystem::remove(part, ignore);
        return fail(ec.message());
    }
    return true;
}

} // namespace quibel
