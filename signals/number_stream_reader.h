// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel {

/// A decimal literal of a time-history text file: optional sign, digits with an optional "."
/// (whatever the locale), optional exponent ("1.5E-3"). No "inf", "nan", hexadecimal or
/// thousands separators; a value beyond the range of a double is not a number, one below it
/// reads as 0. None when the whole token is not such a literal.
std::optional<double> ParseDecimalToken(std::string_view token) noexcept;

/// Reads a stream of numbers given in chunks of any size. Any run of characters with codes up
/// to 32 (blanks, tabs, line ends) separates two numbers; line structure does not matter and
/// commas are not separators. The first token that is not a number makes the stream invalid,
/// and the reader then ignores the rest.
class NumberStreamReader final {
public:
    /// Longest token accepted as a number, in characters; a longer one makes the stream
    /// invalid (it cannot be a sample value, and keeps a file without separators from being
    /// gathered in memory).
    static constexpr std::size_t kMaxTokenLength = 1024;

    /// Reads the next chunk. Returns false once the stream is invalid.
    bool feed(std::string_view chunk);
    /// Ends the stream: the token cut by the end is read. Returns false when invalid.
    bool finish();

    bool valid() const noexcept { return !mInvalid; }
    /// The numbers read so far, in stream order.
    const std::vector<double>& numbers() const noexcept { return mNumbers; }
    std::vector<double> takeNumbers() noexcept { return std::move(mNumbers); }

private:
    bool take(std::string_view token);

    std::string mPending; ///< a token cut by the end of the previous chunk
    std::vector<double> mNumbers;
    bool mInvalid = false;
};

} // namespace quibel
