// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/number_stream_reader.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quibel {

namespace {
bool isSeparator(char c) noexcept {
    return static_cast<unsigned char>(c) <= 32;
}
bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// from_chars accepts "inf" and "nan" and no leading "+"; the text format has neither words
// nor a restriction on "+", so the sign is handled here and the rest must start as a number.
bool startsLikeNumber(std::string_view s) noexcept {
    if (s.empty())
        return false;
    if (isDigit(s[0]))
        return true;
    return s[0] == '.' && s.size() > 1 && isDigit(s[1]);
}

// True when the token's exponent is negative, i.e. an out-of-range value is an underflow.
bool hasNegativeExponent(std::string_view s) noexcept {
    const auto e = s.find_first_of("eE");
    return e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
}
} // namespace

std::optional<double> ParseDecimalToken(std::string_view token) noexcept {
    bool negative = false;
    std::string_view body = token;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (!startsLikeNumber(body))
        return std::nullopt;
    double value = 0.0;
    const char* end = body.data() + body.size();
    const auto [ptr, ec] = std::from_chars(body.data(), end, value, std::chars_format::general);
    if (ptr != end)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        if (!hasNegativeExponent(body))
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool NumberStreamReader::take(std::string_view token) {
    if (token.size() > kMaxTokenLength) {
        mInvalid = true;
        return false;
    }
    const std::optional<double> value = ParseDecimalToken(token);
    if (!value) {
        mInvalid = true;
        return false;
    }
    mNumbers.push_back(*value);
    return true;
}

bool NumberStreamReader::feed(std::string_view chunk) {
    if (mInvalid)
        return false;
    const char* p = chunk.data();
    const char* const end = p + chunk.size();

    // Complete a token cut by the previous chunk.
    if (!mPending.empty()) {
        const char* q = p;
        while (q != end && !isSeparator(*q))
            ++q;
        mPending.append(p, q);
        if (q == end) {
            if (mPending.size() > kMaxTokenLength) {
                mInvalid = true;
                return false;
            }
            return true;
        }
        std::string token;
        token.swap(mPending);
        if (!take(token))
            return false;
        p = q;
    }

    while (true) {
        while (p != end && isSeparator(*p))
            ++p;
        if (p == end)
            return true;
        const char* start = p;
        while (p != end && !isSeparator(*p))
            ++p;
        if (p == end) {
            if (static_cast<std::size_t>(p - start) > kMaxTokenLength) {
                mInvalid = true;
                return false;
            }
            mPending.assign(start, p);
            return true;
        }
        if (!take(std::string_view(start, static_cast<std::size_t>(p - start))))
            return false;
    }
}

bool NumberStreamReader::finish() {
    if (mInvalid)
        return false;
    if (mPending.empty())
        return true;
    std::string token;
    token.swap(mPending);
    return take(token);
}

} // namespace quibel
