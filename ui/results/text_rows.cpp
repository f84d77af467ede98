// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/text_rows.h"

namespace quibel {

std::string joinRows(const TextRows& rows) {
    std::string out;
    for (std::size_t i = 0; i < rows.count; ++i)
        rows.append(i, out);
    return out;
}

} // namespace quibel
