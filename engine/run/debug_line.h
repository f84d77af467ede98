// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quibel {

/// The debug file of a run ("debug.csv"): one header line, then one line per integration step
/// that the driver starts (time, ground accelerations, force histories) and the step function
/// completes. Every value is followed by ";". A line is written and flushed when it ends, so
/// the file is complete up to the last finished step even if the program stops.
class DebugLine final {
public:
    /// Creates (or overwrites) the file; isOpen() tells whether that worked.
    explicit DebugLine(const std::string& path);
    ~DebugLine();
    DebugLine(const DebugLine&) = delete;
    DebugLine& operator=(const DebugLine&) = delete;

    bool isOpen() const noexcept { return mFile != nullptr; }

    /// Writes text as it stands and ends the line (the header).
    void writeLine(std::string_view text);

    /// Appends value as "%<width>.<decimals>f;".
    void fixed(double value, int width, int decimals);
    /// Appends value as "%e;".
    void scientific(double value);
    /// Appends text as it stands (no ";" is added).
    void text(std::string_view text);
    /// Writes the line started by the calls above, ends it and flushes the file.
    void endLine();

private:
    std::FILE* mFile = nullptr;
    std::string mLine;
};

} // namespace quibel
