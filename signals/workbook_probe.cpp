// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/workbook_probe.h"

#include <freexl.h>

#include <sys/wait.h>
#include <unistd.h>

namespace quibel {

namespace {

// More cells than any workbook of records holds; a damaged header may claim billions.
constexpr unsigned long long kMostCells = 20'000'000;

// Runs in the child: only the library's calls, then _exit, so nothing of the parent (buffers,
// handlers, threads' state) is touched on the way out.
[[noreturn]] void readEveryCell(const char* path) {
    alarm(60);
    const void* handle = nullptr;
    if (freexl_open(path, &handle) == FREEXL_OK) {
        unsigned int sheets = 0;
        freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
        for (unsigned int s = 0; s < sheets && s <= 0xFFFF; ++s) {
            unsigned int rows = 0;
            unsigned short columns = 0;
            if (freexl_select_active_worksheet(handle, static_cast<unsigned short>(s)) !=
                    FREEXL_OK ||
                freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK ||
                static_cast<unsigned long long>(rows) * columns > kMostCells)
                continue;
            FreeXL_CellValue value{};
            for (unsigned int r = 0; r < rows; ++r)
                for (unsigned short c = 0; c < columns; ++c)
                    freexl_get_cell_value(handle, r, c, &value);
        }
    }
    if (handle != nullptr)
        freexl_close(handle);
    _exit(0);
}

} // namespace

bool WorkbookReadsWithoutCrash(const std::string& path) {
    const pid_t child = fork();
    if (child < 0)
        return true;
    if (child == 0)
        readEveryCell(path.c_str());
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace quibel
