// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quibel::verification {

namespace {

// A cell's text with its "|" escaped, so that it cannot split the row.
std::string Cell(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

std::string Table::markdown() const {
    std::string out = "|";
    for (const std::string& h : header)
        out += " " + Cell(h) + " |";
    out += "\n|";
    for (std::size_t i = 0; i < header.size(); ++i)
        out += "---|";
    out += "\n";
    for (const auto& row : rows) {
        out += "|";
        for (const std::string& cell : row)
            out += " " + Cell(cell) + " |";
        out += "\n";
    }
    return out;
}

std::string Fixed(double x, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    std::string s = buf;
    if (s == "-0" || s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, s[0] == '-' ? 1 : 0); // no "-0.000"
    return s;
}

std::string Scientific(double x, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, x);
    return buf;
}

std::string Significant(double x, int digits) {
    const double a = std::abs(x);
    if (a == 0.0)
        return "0";
    if (a < 1e-3 || a >= 1e6)
        return Scientific(x, digits);
    const int before = static_cast<int>(std::floor(std::log10(a))) + 1;
    return Fixed(x, std::max(0, digits - before));
}

} // namespace quibel::verification
