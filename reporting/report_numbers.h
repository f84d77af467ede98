// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quibel {

// Number texts of the computed-data report, right-aligned in a field of width characters
// (wider when the number needs more), with decimalSeparator in place of ".". They never depend
// on the process locale.

/// Puts decimalSeparator in place of every "." of out from position from on: the separator of
/// the number just appended.
void replaceDecimalSeparator(std::string& out, std::size_t from, char decimalSeparator);

/// "%<width>.<decimals>f".
std::string reportFixed(double value, int width, int decimals, char decimalSeparator = '.');
/// reportFixed appended to out, without a text of its own: for files of millions of numbers.
void appendReportFixed(std::string& out, double value, int width, int decimals,
                       char decimalSeparator = '.');

/// "%<width>.<digits>e" of the report: digits significant digits (one before the separator),
/// "E", the sign of the exponent and at least three exponent digits: 1.5473200E+004.
std::string reportScientific(double value, int width, int digits, char decimalSeparator = '.');
/// reportScientific appended to out, without a text of its own.
void appendReportScientific(std::string& out, double value, int width, int digits,
                            char decimalSeparator = '.');

/// Number of characters (code points) of the UTF-8 text s.
std::size_t utf8Length(const std::string& s) noexcept;

/// s followed by blanks up to width characters (unchanged when it is as long or longer).
std::string padRight(const std::string& s, std::size_t width);

} // namespace quibel
