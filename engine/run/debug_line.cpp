// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/debug_line.h"

#include "engine/run/number_text.h"

namespace quibel {

DebugLine::DebugLine(const std::string& path) : mFile(std::fopen(path.c_str(), "wb")) {
    mLine.reserve(512);
}

DebugLine::~DebugLine() {
    if (mFile)
        std::fclose(mFile);
}

void DebugLine::writeLine(std::string_view text) {
    mLine.append(text);
    endLine();
}

void DebugLine::fixed(double value, int width, int decimals) {
    appendFixed(mLine, value, decimals, width);
    mLine.push_back(';');
}

void DebugLine::scientific(double value) {
    appendScientific(mLine, value);
    mLine.push_back(';');
}

void DebugLine::text(std::string_view text) {
    mLine.append(text);
}

void DebugLine::endLine() {
    mLine.push_back('\n');
    if (mFile) {
        std::fwrite(mLine.data(), 1, mLine.size(), mFile);
        std::fflush(mFile);
    }
    mLine.clear();
}

} // namespace quibel
