// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quibel {

/// The text of a record file (at most 4 GB) cut into lines (LF or CRLF; a DOS end-of-file byte 0x1A
/// ends the text), numbered from 1 as the messages name them, with the file's name for those
/// messages. Every error a reader raises goes through fail(), so each names the file and the line.
class RecordLines final {
public:
    RecordLines(std::string_view text, std::string fileName);

    std::size_t count() const noexcept { return mStarts.size() - 1; }
    /// Line k (1-based); an empty view beyond the end.
    std::string_view line(std::size_t k) const noexcept;
    const std::string& fileName() const noexcept { return mFileName; }
    std::size_t textSize() const noexcept { return mTextSize; }

    /// Throws Error(key, {file, line, args...}).
    [[noreturn]] void fail(const char* key, std::size_t line,
                           std::vector<std::string> args = {}) const;
    /// Line k, or fail("records.truncated_header") when the file ends before it.
    std::string_view require(std::size_t k) const;

private:
    std::string_view mText;
    // Where each line starts, and one past the end: four bytes a line keep a file of empty
    // lines within a few times its size.
    std::vector<std::uint32_t> mStarts;
    std::string mFileName;
    std::size_t mTextSize = 0;
};

std::string_view Trim(std::string_view s) noexcept;
/// s with every run of blanks made one blank and the ends trimmed.
std::string CollapseBlanks(std::string_view s);
bool StartsWithNoCase(std::string_view s, std::string_view prefix) noexcept;
/// Position of needle in s ignoring ASCII case, npos when absent.
std::size_t FindNoCase(std::string_view s, std::string_view needle) noexcept;

/// The number right after the first `key` in line (blanks skipped), as it reads: "NPTS= 7999,"
/// gives 7999. Fails with "records.missing_field" naming key when absent or not a number.
double NumberAfter(const RecordLines& lines, std::size_t k, std::string_view key);
/// The leading number of a trimmed piece of text ("100Hz" gives 100), or fail.
double LeadingNumber(const RecordLines& lines, std::size_t k, std::string_view text);
/// A whole field as a number, or fail("records.bad_number").
double FieldNumber(const RecordLines& lines, std::size_t k, std::string_view field);

/// Reads `count` values written `perLine` to a line in fields `width` characters wide from line
/// `first` on (fields may touch: the line is cut by columns). Returns the line after the last.
std::size_t ReadFixedValues(const RecordLines& lines, std::size_t first, std::size_t count,
                            std::size_t perLine, std::size_t width, double factor,
                            std::vector<double>& out);
/// Reads blank-separated values from line `first` to the end of the text or the first line
/// `stop` accepts; values multiplied by factor.
std::size_t ReadFreeValues(const RecordLines& lines, std::size_t first, double factor,
                           std::vector<double>& out, bool (*stop)(std::string_view) = nullptr);

/// The factor from a unit written in a header to g: "g", "gal", "cm/s^2", "cm/sec2",
/// "CM/SEC/SEC", "mm/s/s", "m/s2", ...; 0 when the unit is not an acceleration unit.
double FactorToG(std::string_view unit) noexcept;

/// Fails unless 1e-6 s <= dt <= 1 s (a step beyond these is no accelerogram's).
void CheckTimeStep(const RecordLines& lines, std::size_t k, double dt);
/// Fails unless 1 <= n <= the number of samples a file of this size can hold.
std::size_t CheckCount(const RecordLines& lines, std::size_t k, double n);

} // namespace quibel
