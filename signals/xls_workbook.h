// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/workbook.h"

#include <memory>
#include <string>

namespace quibel {

/// A workbook read from an .xls file (the binary format of Excel 97 to 2003). The whole file is
/// read when it is opened; the cells are then looked up in memory.
class XlsWorkbook final : public Workbook {
public:
    /// Opens the workbook at path. Throws Error("signals.workbook_not_found", {path}) when the
    /// file does not exist or cannot be read, Error("signals.workbook_unreadable", {path,
    /// reader's error code}) when it is not a readable .xls workbook.
    static std::unique_ptr<XlsWorkbook> open(const std::string& path);

    ~XlsWorkbook() override;
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    int sheetCount() const override { return mSheetCount; }
    std::string sheetName(int sheet) const override;
    WorkbookCell cell(int sheet, int row, int column) const override;

private:
    explicit XlsWorkbook(const void* handle, int sheetCount) noexcept;
    bool select(int sheet) const noexcept;

    const void* mHandle = nullptr;
    int mSheetCount = 0;
    mutable int mSelected = 0; ///< the reader's active worksheet, 0 before the first selection
};

} // namespace quibel
