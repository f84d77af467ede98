// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quibel {

/// Which analysis a run performs.
enum class AnalysisKind : std::uint8_t { Sliding = 0, Rocking = 1, SlidingAndRocking = 2 };

/// Index of a time history in TBlocStatic::Histories.
enum class HistoryKind : int {
    HorizontalAcceleration = 0, ///< base acceleration, g
    VerticalAcceleration = 1,   ///< base acceleration, g
    HorizontalForce = 2,        ///< force unit of the project
    VerticalForce = 3,          ///< force unit of the project
};

/// The four unit systems, in the order of the unit selector.
enum class UnitSystem : std::int32_t { MmNKg = 0, MKnTon = 1, InLbLb = 2, FtKipKip = 3 };

/// How a time history is defined.
enum class HistorySource : std::uint8_t { Undefined = 0, Sampled = 1, Generated = 2 };

/// Shape of a generator term.
enum class TermShape : std::uint8_t { None = 0, Sine = 1, Triangle = 2, Impulse = 3 };

/// Amplitude correction of a time history.
enum class OffsetCorrection : std::uint8_t { ApplyOffset = 0, ZeroMean = 1, ZeroFirstValue = 2 };

constexpr int historyIndex(HistoryKind k) noexcept {
    return static_cast<int>(k);
}
constexpr int unitIndex(UnitSystem u) noexcept {
    return static_cast<int>(u);
}

} // namespace quibel
