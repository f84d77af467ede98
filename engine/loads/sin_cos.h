// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quibel {

/// sin and cos of one angle.
struct SinCos final {
    double sin = 0.0;
    double cos = 1.0;
};

/// sin x and cos x (x in rad). A block that does not rotate has a rotation of exactly 0 at
/// most steps: for ±0 these are the library's own values (sin ±0 = ±0, cos ±0 = 1), given
/// without calling it.
inline SinCos sinCos(double x) noexcept {
    if (x == 0.0)
        return {x, 1.0};
    return {std::sin(x), std::cos(x)};
}

/// cos x, with cos ±0 = 1 given without calling the library (see sinCos).
inline double cosOf(double x) noexcept {
    return x == 0.0 ? 1.0 : std::cos(x);
}

/// sinCos of an angle that seldom changes from one call to the next (the angle of a pivot,
/// which changes only when the block's sliding shifts it): formed again only for an angle
/// that differs, to the bit, from the last one.
class RememberedSinCos final {
public:
    const SinCos& of(double x) noexcept {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        if (!mValid || bits != mBits) {
            mValue = sinCos(x);
            mBits = bits;
            mValid = true;
        }
        return mValue;
    }

private:
    SinCos mValue;
    std::uint64_t mBits = 0;
    bool mValid = false;
};

} // namespace quibel
