// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "numeric/tvector.h"

#include <array>
#include <optional>
#include <string>

namespace quibel {

/// One term of a generated time history.
struct GeneratorTerm final {
    TermShape Shape = TermShape::None;
    double Amplitude = 0.0;  ///< peak amplitude: g (histories 0, 1) or force unit (2, 3)
    double Period = 0.0;     ///< s
    double Phase = 0.0;      ///< degrees
    double StartTime = 0.0;  ///< s; the term is zero before
    double EndTime = 0.0;    ///< s; the term is zero after
    std::uint8_t Active = 0; ///< 1 when the term is used

    bool operator==(const GeneratorTerm&) const = default;
};

/// One of the four input time histories.
struct TimeHistoryRecord final {
    HistorySource Source = HistorySource::Undefined;
    std::string Title;             ///< UTF-8 in memory; at most 255 bytes once encoded for the file
    std::optional<TVector> Times;  ///< s, 1-based; meaningful only when Source is Sampled
    std::optional<TVector> Values; ///< g (histories 0, 1) or force unit (2, 3)
    std::array<GeneratorTerm, 4> Terms{};
    double Scale = 1.0;  ///< amplitude factor
    double Offset = 0.0; ///< same unit as the amplitudes
    OffsetCorrection Correction = OffsetCorrection::ApplyOffset;
    double Duration = 0.0; ///< s: last sample time, or largest EndTime of the terms
    double PosX = 0.0;     ///< histories 2 and 3: X of the point of application (length unit)
    double PosY = 0.0;     ///< histories 2 and 3: elevation of that point (length unit)

    bool operator==(const TimeHistoryRecord&) const = default;
};

} // namespace quibel
