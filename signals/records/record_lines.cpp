// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_lines.h"

#include "numeric/error.h"
#include "signals/decimal_format.h"
#include "signals/number_stream_reader.h"
#include "signals/records/record_data.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

namespace quibel {

namespace {
char lower(char c) noexcept {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string lowerCopy(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

std::string numberText(double v) {
    return FormatDecimals(v, 0, 9);
}
} // namespace

RecordLines::RecordLines(std::string_view text, std::string fileName)
    : mFileName(std::move(fileName)), mTextSize(text.size()) {
    const std::size_t eof = text.find('\x1a');
    mText = eof == std::string_view::npos ? text : text.substr(0, eof);
    for (std::size_t start = 0; start < mText.size();) {
        mStarts.push_back(static_cast<std::uint32_t>(start));
        const std::size_t end = mText.find('\n', start);
        start = end == std::string_view::npos ? mText.size() : end + 1;
    }
    mStarts.push_back(static_cast<std::uint32_t>(mText.size()));
}

std::string_view RecordLines::line(std::size_t k) const noexcept {
    if (k < 1 || k > count())
        return {};
    std::string_view l = mText.substr(mStarts[k - 1], mStarts[k] - mStarts[k - 1]);
    if (!l.empty() && l.back() == '\n')
        l.remove_suffix(1);
    if (!l.empty() && l.back() == '\r')
        l.remove_suffix(1);
    return l;
}

void RecordLines::fail(const char* key, std::size_t line, std::vector<std::string> args) const {
    Message m(key, {mFileName, std::to_string(line)});
    m.args.insert(m.args.end(), args.begin(), args.end());
    throw Error(std::move(m));
}

std::string_view RecordLines::require(std::size_t k) const {
    if (k > count())
        fail("records.truncated", count());
    return line(k);
}

std::string_view Trim(std::string_view s) noexcept {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

std::string CollapseBlanks(std::string_view s) {
    std::string out;
    for (char c : Trim(s)) {
        const bool blank = static_cast<unsigned char>(c) <= 32;
        if (blank && !out.empty() && out.back() == ' ')
            continue;
        out += blank ? ' ' : c;
    }
    return out;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) noexcept {
    return s.size() >= prefix.size() && FindNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

std::size_t FindNoCase(std::string_view s, std::string_view needle) noexcept {
    const auto it = std::search(s.begin(), s.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return lower(a) == lower(b); });
    return it == s.end() && !needle.empty() ? std::string_view::npos
                                            : static_cast<std::size_t>(it - s.begin());
}

double LeadingNumber(const RecordLines& lines, std::size_t k, std::string_view text) {
    // A number is short: a longer run of number characters is no number (and is not searched).
    text = Trim(text).substr(0, 64);
    std::size_t end = 0;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) ||
            std::string_view("+-.eE").find(text[end]) != std::string_view::npos))
        ++end;
    // A trailing "e" or sign belongs to the word after the number ("10secs", "5E").
    while (end > 0 && !ParseDecimalToken(text.substr(0, end)))
        --end;
    if (end == 0)
        lines.fail("records.bad_number", k, {std::string(text.substr(0, 40))});
    return *ParseDecimalToken(text.substr(0, end));
}

double NumberAfter(const RecordLines& lines, std::size_t k, std::string_view key) {
    const std::string_view l = lines.require(k);
    const std::size_t at = FindNoCase(l, key);
    if (at == std::string_view::npos)
        lines.fail("records.missing_field", k, {std::string(Trim(key))});
    return LeadingNumber(lines, k, l.substr(at + key.size()));
}

double FieldNumber(const RecordLines& lines, std::size_t k, std::string_view field) {
    const auto v = ParseDecimalToken(Trim(field));
    if (!v)
        lines.fail("records.bad_number", k, {std::string(Trim(field).substr(0, 40))});
    return *v;
}

std::size_t ReadFixedValues(const RecordLines& lines, std::size_t first, std::size_t count,
                            std::size_t perLine, std::size_t width, double factor,
                            std::vector<double>& out) {
    std::size_t k = first;
    for (std::size_t done = 0; done < count; ++k) {
        const std::string_view l = lines.line(k);
        if (k > lines.count())
            lines.fail("records.too_few_values", lines.count(),
                       {std::to_string(count), std::to_string(done)});
        const std::size_t here = std::min(perLine, count - done);
        for (std::size_t f = 0; f < here; ++f) {
            const std::string_view field = f * width < l.size() ? l.substr(f * width, width) : "";
            if (Trim(field).empty())
                lines.fail("records.too_few_values", k,
                           {std::to_string(count), std::to_string(done + f)});
            out.push_back(FieldNumber(lines, k, field) * factor);
        }
        done += here;
    }
    return k;
}

std::size_t ReadFreeValues(const RecordLines& lines, std::size_t first, double factor,
                           std::vector<double>& out, bool (*stop)(std::string_view)) {
    std::size_t k = first;
    for (; k <= lines.count(); ++k) {
        const std::string_view l = lines.line(k);
        if (stop && stop(l))
            break;
        std::size_t i = 0;
        while (i < l.size()) {
            while (i < l.size() && static_cast<unsigned char>(l[i]) <= 32)
                ++i;
            std::size_t j = i;
            while (j < l.size() && static_cast<unsigned char>(l[j]) > 32)
                ++j;
            if (j > i)
                out.push_back(FieldNumber(lines, k, l.substr(i, j - i)) * factor);
            i = j;
        }
    }
    return k;
}

double FactorToG(std::string_view unit) noexcept {
    std::string u;
    for (char c : lowerCopy(Trim(unit)))
        if (c != ' ' && c != '^' && c != '*' && c != '.' && c != '(' && c != ')')
            u += c;
    for (std::string_view s : {"/sec/sec", "/s/s", "/sec2", "/s2", "/sec", "/s"}) {
        if (u.ends_with(s)) {
            const std::string base = u.substr(0, u.size() - s.size());
            const bool squared = s == "/sec/sec" || s == "/s/s" || s == "/sec2" || s == "/s2";
            if (!squared)
                return 0.0;
            if (base == "cm")
                return 1.0 / (100.0 * kStandardGravity);
            if (base == "mm")
                return 1.0 / (1000.0 * kStandardGravity);
            if (base == "m")
                return 1.0 / kStandardGravity;
            return 0.0;
        }
    }
    if (u == "g")
        return 1.0;
    if (u == "gal")
        return 1.0 / (100.0 * kStandardGravity);
    return 0.0;
}

void CheckTimeStep(const RecordLines& lines, std::size_t k, double dt) {
    if (!(dt >= 1e-6 && dt <= 1.0))
        lines.fail("records.bad_time_step", k, {numberText(dt)});
}

std::size_t CheckCount(const RecordLines& lines, std::size_t k, double n) {
    // Each value takes at least two characters of the file: a digit and a separator.
    const double most = std::min(static_cast<double>(INT_MAX), lines.textSize() / 2.0 + 1.0);
    if (!(n >= 1.0 && n <= most && n == std::floor(n)))
        lines.fail("records.bad_count", k, {numberText(n)});
    return static_cast<std::size_t>(n);
}

} // namespace quibel
