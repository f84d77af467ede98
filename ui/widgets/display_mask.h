// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

namespace quibel {

/// A number formatted by a display mask such as "0.### m", ",0.## deg" or "#.###", with the
/// decimal and group separators of locale:
/// - "0" is a digit that is always shown, "#" a digit shown only when significant; the digits
///   after the first "." give the number of decimals (rounded half away from zero on the
///   shortest decimal form of the value), trailing zeros are dropped down to the last "0";
/// - in the integer part, the placeholders from the first "0" on give the minimum number of
///   digits ("#.###" shows 0.5 as ".5"); a "," anywhere asks for group separators;
/// - every other character, or text in single or double quotes, is literal: text before the
///   first placeholder precedes the number, text after the last follows it.
/// A value that would show no digit at all shows "0"; magnitudes of 1e15 and above are shown
/// in exponent form, followed by the mask's trailing text.
QString formatDisplayMask(double value, const QString& mask, const QLocale& locale);

} // namespace quibel
