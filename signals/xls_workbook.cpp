// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/xls_workbook.h"

#include "numeric/error.h"
#include "signals/workbook_probe.h"

#include <freexl.h>

#include <limits>

namespace quibel {

std::unique_ptr<XlsWorkbook> XlsWorkbook::open(const std::string& path) {
    if (!WorkbookReadsWithoutCrash(path))
        throw Error(Message("signals.workbook_unreadable", {path, "damaged"}));
    const void* handle = nullptr;
    const int status = freexl_open(path.c_str(), &handle);
    if (status != FREEXL_OK) {
        // The reader wants its handle closed even after a failed open, to release what it
        // had allocated.
        if (handle != nullptr)
            freexl_close(handle);
        if (status == FREEXL_FILE_NOT_FOUND)
            throw Error(Message("signals.workbook_not_found", {path}));
        throw Error(Message("signals.workbook_unreadable", {path, std::to_string(status)}));
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK ||
        count > static_cast<unsigned int>(std::numeric_limits<unsigned short>::max())) {
        freexl_close(handle);
        throw Error(Message("signals.workbook_unreadable", {path, "sheets"}));
    }
    return std::unique_ptr<XlsWorkbook>(new XlsWorkbook(handle, static_cast<int>(count)));
}

XlsWorkbook::XlsWorkbook(const void* handle, int sheetCount) noexcept
    : mHandle(handle), mSheetCount(sheetCount) {}

XlsWorkbook::~XlsWorkbook() {
    freexl_close(mHandle);
}

std::string XlsWorkbook::sheetName(int sheet) const {
    if (sheet < 1 || sheet > mSheetCount)
        return {};
    const char* name = nullptr;
    if (freexl_get_worksheet_name(mHandle, static_cast<unsigned short>(sheet - 1), &name) !=
            FREEXL_OK ||
        name == nullptr)
        return {};
    return name;
}

bool XlsWorkbook::select(int sheet) const noexcept {
    if (sheet < 1 || sheet > mSheetCount)
        return false;
    if (mSelected == sheet)
        return true;
    if (freexl_select_active_worksheet(mHandle, static_cast<unsigned short>(sheet - 1)) !=
        FREEXL_OK)
        return false;
    mSelected = sheet;
    return true;
}

WorkbookCell XlsWorkbook::cell(int sheet, int row, int column) const {
    WorkbookCell result;
    if (row < 1 || column < 1 || column > std::numeric_limits<unsigned short>::max() ||
        !select(sheet))
        return result;
    FreeXL_CellValue value{};
    // Cells outside the sheet's used area are refused by the reader: they are empty.
    if (freexl_get_cell_value(mHandle, static_cast<unsigned int>(row - 1),
                              static_cast<unsigned short>(column - 1), &value) != FREEXL_OK)
        return result;
    switch (value.type) {
    case FREEXL_CELL_INT:
        result.Kind = WorkbookCell::Type::Number;
        result.Number = value.value.int_value;
        break;
    case FREEXL_CELL_DOUBLE:
        result.Kind = WorkbookCell::Type::Number;
        result.Number = value.value.double_value;
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        if (value.value.text_value != nullptr) {
            result.Kind = WorkbookCell::Type::Text;
            result.Text = value.value.text_value;
        }
        break;
    default:
        break;
    }
    return result;
}

} // namespace quibel
