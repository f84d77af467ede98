// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"

#include <array>
#include <string_view>

namespace quibel::units {

/// Conversion factors, entry [to][from]: turns a value in unit "from" into unit "to". Rows and
/// columns are indexed by UnitSystem. The entries are used exactly as listed, including the
/// ones whose last digit differs from a recomputed reciprocal, so converted files stay
/// bit-identical with earlier versions of the program.
using FactorTable = std::array<std::array<double, 4>, 4>;

/// mm, m, in, ft.
inline constexpr FactorTable kLength = {{
    {1, 1000, 25.4, 304.8},
    {0.001, 1, 0.0254, 0.3048},
    {0.03937007874015748, 39.37007874015748, 1, 12},
    {0.0032808398950131233, 3.2808398950131235, 0.08333333333333333, 1},
}};

/// N, kN, lb, kip (pound-force taken as 4.448222 N).
inline constexpr FactorTable kForce = {{
    {1, 1000, 4.448222, 4448.222},
    {0.001, 1, 0.004448222, 4.448222},
    {0.22480892365533914, 224.80892365533916, 1, 1000},
    {0.00022480892365533915, 0.22480892365533914, 0.001, 1},
}};

/// kg, ton, lb, kip (pound and kip of mass).
inline constexpr FactorTable kMass = {{
    {1, 1000, 0.45359237, 453.59237},
    {0.001, 1, 0.00045359237, 0.45359237},
    {2.2046226218487757, 2204.622621848776, 1, 1000},
    {0.002204622621848776, 2.2046226218487757, 0.001, 1},
}};

constexpr double length(UnitSystem to, UnitSystem from) noexcept {
    return kLength[unitIndex(to)][unitIndex(from)];
}
constexpr double force(UnitSystem to, UnitSystem from) noexcept {
    return kForce[unitIndex(to)][unitIndex(from)];
}
constexpr double mass(UnitSystem to, UnitSystem from) noexcept {
    return kMass[unitIndex(to)][unitIndex(from)];
}

/// Factors from the model's units to the engine's metre, kilonewton and tonne.
constexpr double lengthToSi(UnitSystem u) noexcept {
    return kLength[1][unitIndex(u)];
}
constexpr double forceToSi(UnitSystem u) noexcept {
    return kForce[1][unitIndex(u)];
}
constexpr double massToSi(UnitSystem u) noexcept {
    return kMass[1][unitIndex(u)];
}
/// Factors from the engine's metre, kilonewton and tonne back to the model's units.
constexpr double lengthFromSi(UnitSystem u) noexcept {
    return kLength[unitIndex(u)][1];
}
constexpr double forceFromSi(UnitSystem u) noexcept {
    return kForce[unitIndex(u)][1];
}
constexpr double massFromSi(UnitSystem u) noexcept {
    return kMass[unitIndex(u)][1];
}

using Labels = std::array<std::string_view, 4>;

/// Selector texts, in UnitSystem order.
inline constexpr Labels kSystemName = {"mm - N - kg", "m - kN - ton", "in - lb - lb",
                                       "ft - kip - kip"};
inline constexpr Labels kLengthUnit = {"mm", "m", "in", "ft"};
inline constexpr Labels kForceUnit = {"N", "kN", "lb", "kip"};
inline constexpr Labels kMassUnit = {"kg", "ton", "lb", "kip"};
/// Display masks of the edit fields.
inline constexpr Labels kForceMask = {"0.### N", "0.#### kN", "0.### lb", "0.#### kip"};
inline constexpr Labels kMassMask = {"0.### kg", "0.#### ton", "0.### lb", "0.#### kip"};
inline constexpr Labels kLengthMask = {"0.### mm", "0.### m", "0.### in", "0.### ft"};
inline constexpr Labels kInertiaMask = {"0.### kg·mm²", "0.### ton·m²", "0.### lb·in²",
                                        "0.### kip·ft²"};
/// printf formats of the force values next to the arrows of the dam drawing.
inline constexpr Labels kForceLabelFormat = {"%8.1f N", "%8.3f kN", "%8.1f lb", "%8.3f kip"};

constexpr std::string_view lengthUnit(UnitSystem u) noexcept {
    return kLengthUnit[unitIndex(u)];
}
constexpr std::string_view forceUnit(UnitSystem u) noexcept {
    return kForceUnit[unitIndex(u)];
}
constexpr std::string_view massUnit(UnitSystem u) noexcept {
    return kMassUnit[unitIndex(u)];
}

} // namespace quibel::units
