// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/threshold_units.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace quibel::study {

namespace {

using Unit = std::pair<std::string_view, double>;

constexpr std::array<Unit, 5> kLengths{
    {{"m", 1.0}, {"cm", 0.01}, {"mm", 0.001}, {"ft", 0.3048}, {"in", 0.0254}}};
constexpr double kPi = 3.14159265358979323846;
constexpr std::array<Unit, 3> kRotations{{{"rad", 1.0}, {"mrad", 0.001}, {"deg", kPi / 180.0}}};

template <std::size_t N>
std::optional<double> factorOf(const std::array<Unit, N>& units, std::string_view unit) {
    for (const Unit& u : units)
        if (u.first == unit)
            return u.second;
    return std::nullopt;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string_view ResponseColumn(ResponseKind kind) noexcept {
    switch (kind) {
    case ResponseKind::PeakSliding:
        return "peak_sliding";
    case ResponseKind::ResidualSliding:
        return "residual_sliding";
    case ResponseKind::PeakRotation:
        return "peak_rotation_rad";
    case ResponseKind::MinSlidingSF:
        return "min_sliding_sf";
    case ResponseKind::MinOverturningSF:
        return "min_overturning_sf";
    }
    return {};
}

std::optional<ResponseKind> FindResponse(std::string_view name) noexcept {
    for (ResponseKind k :
         {ResponseKind::PeakSliding, ResponseKind::ResidualSliding, ResponseKind::PeakRotation,
          ResponseKind::MinSlidingSF, ResponseKind::MinOverturningSF})
        if (name == ResponseColumn(k))
            return k;
    if (name == "peak_rotation")
        return ResponseKind::PeakRotation;
    return std::nullopt;
}

std::optional<double> ParseThreshold(ResponseKind response, std::string_view text,
                                     std::optional<Message>& problem) {
    const std::string_view s = trimmed(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || !std::isfinite(value) || end == s.data()) {
        problem = Message("study.not_threshold");
        return std::nullopt;
    }
    const std::string unit(
        trimmed(std::string_view(end, static_cast<std::size_t>(s.data() + s.size() - end))));
    const bool factor =
        response == ResponseKind::MinSlidingSF || response == ResponseKind::MinOverturningSF;
    if (factor) {
        if (!unit.empty()) {
            problem = Message("study.factor_unit", {unit});
            return std::nullopt;
        }
        return value;
    }
    if (unit.empty()) {
        problem = Message("study.limit_unit", {std::string(ResponseColumn(response))});
        return std::nullopt;
    }
    const std::optional<double> f = response == ResponseKind::PeakRotation
                                        ? factorOf(kRotations, unit)
                                        : factorOf(kLengths, unit);
    if (!f) {
        problem = Message("study.bad_unit", {unit, std::string(ResponseColumn(response))});
        return std::nullopt;
    }
    return value * *f;
}

std::optional<double> MetresPerUnit(std::string_view unit) noexcept {
    return factorOf(kLengths, unit);
}

std::string FormatThreshold(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace quibel::study
