// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/pocket_calculator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quibel {

namespace {
constexpr std::size_t kMaxTypedDigits = 15; // what a double holds exactly
}

PocketCalculator::PocketCalculator(double value) : mShown(value) {}

void PocketCalculator::digit(int d) {
    if (d < 0 || d > 9)
        return;
    if (mError)
        clear();
    std::size_t digits = 0;
    for (char c : mEntry)
        digits += (c >= '0' && c <= '9') ? 1 : 0;
    if (digits >= kMaxTypedDigits)
        return;
    if (mEntry == "0" || mEntry == "-0")
        mEntry.pop_back();
    mEntry += static_cast<char>('0' + d);
}

void PocketCalculator::point() {
    if (mError)
        clear();
    if (mEntry.empty() || mEntry == "-")
        mEntry += '0';
    if (mEntry.find('.') == std::string::npos)
        mEntry += '.';
}

double PocketCalculator::value() const {
    if (mError)
        return 0.0;
    if (mEntry.empty())
        return mShown;
    return std::strtod(mEntry.c_str(), nullptr);
}

void PocketCalculator::apply() {
    const double operand = value();
    double r = operand;
    switch (mPending) {
    case '+':
        r = mAccumulator + operand;
        break;
    case '-':
        r = mAccumulator - operand;
        break;
    case '*':
        r = mAccumulator * operand;
        break;
    case '/':
        r = operand == 0.0 ? NAN : mAccumulator / operand;
        break;
    default:
        break;
    }
    mEntry.clear();
    mPending = 0;
    if (!std::isfinite(r)) {
        mError = true;
        mShown = 0.0;
        return;
    }
    mShown = r;
}

void PocketCalculator::operation(char op) {
    if (mError)
        return;
    if (op != '+' && op != '-' && op != '*' && op != '/')
        return;
    // A second operator typed right after the first replaces it.
    if (mPending == 0 || !mEntry.empty())
        apply();
    if (mError)
        return;
    mAccumulator = mShown;
    mPending = op;
}

void PocketCalculator::equals() {
    if (mError)
        return;
    apply();
}

void PocketCalculator::negate() {
    if (mError)
        return;
    if (mEntry.empty()) {
        mShown = -mShown;
        return;
    }
    if (mEntry.front() == '-')
        mEntry.erase(mEntry.begin());
    else
        mEntry.insert(mEntry.begin(), '-');
}

void PocketCalculator::backspace() {
    if (mError || mEntry.empty())
        return;
    mEntry.pop_back();
    if (mEntry.empty() || mEntry == "-")
        mEntry = "0";
}

void PocketCalculator::clear() {
    mAccumulator = 0.0;
    mShown = 0.0;
    mPending = 0;
    mEntry.clear();
    mError = false;
}

std::string PocketCalculator::display() const {
    if (mError)
        return {};
    if (!mEntry.empty())
        return mEntry;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", mShown == 0.0 ? 0.0 : mShown);
    return buffer;
}

} // namespace quibel
