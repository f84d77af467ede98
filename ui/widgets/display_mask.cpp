// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/display_mask.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quibel {

namespace {
struct ParsedMask {
    QString prefix, suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

ParsedMask parseMask(const QString& mask) {
    ParsedMask m;
    bool seenPlaceholder = false, inFraction = false, seenZero = false;
    int fractionPlaces = 0;
    QString pendingLiteral; // literal text after the latest placeholder
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u';')
            break; // only the first section is used
        if (c == u'"' || c == u'\'') {
            const qsizetype end = mask.indexOf(c, i + 1);
            const QString quoted = mask.mid(i + 1, end < 0 ? -1 : end - i - 1);
            (seenPlaceholder ? pendingLiteral : m.prefix) += quoted;
            if (end < 0)
                break;
            i = end;
            continue;
        }
        if (c == u'0' || c == u'#') {
            seenPlaceholder = true;
            m.suffix += pendingLiteral; // literals between placeholders go after the number
            pendingLiteral.clear();
            if (inFraction) {
                ++fractionPlaces;
                if (c == u'0')
                    m.minDecimals = fractionPlaces;
            } else if (c == u'0' || seenZero) {
                seenZero = true;
                ++m.minIntegerDigits;
            }
            continue;
        }
        if (c == u'.' && !inFraction) {
            inFraction = true;
            seenPlaceholder = true;
            continue;
        }
        if (c == u',') {
            m.grouping = true;
            continue;
        }
        (seenPlaceholder ? pendingLiteral : m.prefix) += c;
    }
    m.suffix += pendingLiteral;
    m.maxDecimals = fractionPlaces;
    return m;
}

// The decimal digits of |value| rounded half away from zero to `decimals` places, taken from
// its 15-significant-digit form so that 2.675 rounds to 2.68 as a person would round it.
void roundedDigits(double value, int decimals, std::string& integerPart, std::string& fraction) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, buffer + 16);
    const int exponent = std::atoi(buffer + 17);
    // value = 0.digits x 10^(exponent + 1); keep the digits down to 10^-decimals.
    const int pointPos = exponent + 1; // digits before the decimal point (may be <= 0)
    const int keep = pointPos + decimals;
    if (keep < 0) {
        integerPart = "0";
        fraction.assign(static_cast<std::size_t>(decimals), '0');
        return;
    }
    std::string kept = digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, 15)));
    kept.resize(static_cast<std::size_t>(keep), '0');
    int start = 0; // leading digit position shift after a carry
    if (keep < 15 && digits[static_cast<std::size_t>(keep)] >= '5') {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
            } else {
                ++kept[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            start = 1;
        }
    }
    const int intDigits = pointPos + start;
    if (intDigits > 0) {
        integerPart = kept.substr(0, static_cast<std::size_t>(intDigits));
        fraction = kept.substr(static_cast<std::size_t>(intDigits));
    } else {
        integerPart.clear();
        fraction = std::string(static_cast<std::size_t>(-intDigits), '0') + kept;
    }
    const std::size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart =
        firstNonZero == std::string::npos ? std::string() : integerPart.substr(firstNonZero);
}
} // namespace

QString formatDisplayMask(double value, const QString& mask, const QLocale& locale) {
    const ParsedMask m = parseMask(mask);
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return m.prefix + locale.toString(value, 'g', 15) + m.suffix;

    std::string integerPart, fraction;
    roundedDigits(value, m.maxDecimals, integerPart, fraction);
    while (static_cast<int>(fraction.size()) > m.minDecimals && !fraction.empty() &&
           fraction.back() == '0')
        fraction.pop_back();
    if (static_cast<int>(integerPart.size()) < m.minIntegerDigits)
        integerPart.insert(0, static_cast<std::size_t>(m.minIntegerDigits) - integerPart.size(),
                           '0');
    if (integerPart.empty() && fraction.empty())
        integerPart = "0";

    const bool isZero = integerPart.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
    QString number;
    if (value < 0 && !isZero)
        number += locale.negativeSign();
    const QString groupSeparator = locale.groupSeparator();
    for (std::size_t i = 0; i < integerPart.size(); ++i) {
        if (m.grouping && i > 0 && (integerPart.size() - i) % 3 == 0)
            number += groupSeparator;
        number += QChar(integerPart[i]);
    }
    if (!fraction.empty()) {
        number += locale.decimalPoint();
        number += QString::fromStdString(fraction);
    }
    return m.prefix + number + m.suffix;
}

} // namespace quibel
