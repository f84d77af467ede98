// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quibel {

/// Bits of TBlocStatic::ModelFlags. They are set by the dialogs' OK buttons and the run, never
/// derived again from the data; a project file restores them as stored.
namespace ModelFlag {
inline constexpr std::uint16_t GeometryComplete = 0x0001;
inline constexpr std::uint16_t ReservoirPresent = 0x0002;
inline constexpr std::uint16_t HasForces = 0x0004;
inline constexpr std::uint16_t HasMasses = 0x0008;
inline constexpr std::uint16_t VerticalAccDefined = 0x0010;
inline constexpr std::uint16_t HorizontalAccDefined = 0x0020;
inline constexpr std::uint16_t VerticalForceDefined = 0x0040;
inline constexpr std::uint16_t HorizontalForceDefined = 0x0080;
inline constexpr std::uint16_t ResultsValid = 0x0100;
} // namespace ModelFlag

constexpr bool hasFlag(std::uint16_t flags, std::uint16_t bit) noexcept {
    return (flags & bit) != 0;
}
constexpr void setFlag(std::uint16_t& flags, std::uint16_t bit, bool on) noexcept {
    flags = on ? static_cast<std::uint16_t>(flags | bit) : static_cast<std::uint16_t>(flags & ~bit);
}

} // namespace quibel
