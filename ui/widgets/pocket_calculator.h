// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quibel {

/// The arithmetic of the pocket calculator that drops down from a calculator edit field: an
/// immediate-execution calculator with one pending operation, as on a desk calculator
/// ("2 + 3 * 4 =" gives 20). It knows nothing of windows; the popup feeds it keys.
class PocketCalculator final {
public:
    /// Starts showing value, as if it had just been computed.
    explicit PocketCalculator(double value = 0.0);

    void digit(int d);       ///< 0..9, appended to the number being typed
    void point();            ///< the decimal point of the number being typed
    void operation(char op); ///< '+', '-', '*' or '/': completes the pending one, then waits
    void equals();           ///< completes the pending operation
    void negate();           ///< changes the sign of the shown number
    void backspace();        ///< removes the last typed character
    void clear();            ///< back to 0, no pending operation, no error

    /// The shown number, with "." as decimal point; empty after an error (division by zero or
    /// an overflow), until clear() or a new digit.
    std::string display() const;
    bool hasError() const noexcept { return mError; }
    /// The shown number as a value.
    double value() const;

private:
    void apply();

    double mAccumulator = 0.0;
    double mShown = 0.0; // the number shown when not typing
    char mPending = 0;   // operation waiting for its second operand, 0 for none
    std::string mEntry;  // the number being typed; empty when not typing
    bool mError = false;
};

} // namespace quibel
