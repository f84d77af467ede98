// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace quibel {

// printf-style number texts that never depend on the process locale: the decimal separator is
// always ".". Files, the debug output and the command-line tool use them; a window that shows
// numbers replaces the "." by the separator of the user's regional settings itself.

/// "%<width>.<decimals>f": fixed notation, padded on the left with blanks to width.
void appendFixed(std::string& out, double value, int decimals, int width = 0);
/// "%e": one digit, "." and six decimals, an exponent of at least two digits ("1.500000e-03").
void appendScientific(std::string& out, double value);
/// "%.17g": enough digits to read back the same double.
void appendGeneral17(std::string& out, double value);

/// Room that writeFixed and writeGeneral17 may need at out (1.8e308 with 40 decimals has 351
/// characters).
inline constexpr std::size_t kNumberTextRoom = 400;
/// appendFixed's text without padding, written at out; returns its end. For texts formed in a
/// buffer of their own, without the checks and copies of appending to a string.
char* writeFixed(char* out, double value, int decimals);
/// appendGeneral17's text, written at out; returns its end.
char* writeGeneral17(char* out, double value);

std::string fixedText(double value, int decimals, int width = 0);
std::string scientificText(double value);
std::string general17Text(double value);

} // namespace quibel
