// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace quibel {

/// What a field of the record measures; a change of unit system converts it by this.
enum class FieldDimension {
    Length,
    Mass,
    Force,
    Inertia,      ///< mass x length²
    Acceleration, ///< length / s²
    Angle,        ///< degrees
    Ratio,        ///< no unit (the coefficients of restitution)
    Time,         ///< s
    Choice,       ///< the index of one of a few choices
};

/// Who sets a field: the user (in a dialog, or a case table), or the run, which recomputes it
/// every time and so needs neither its range nor its conversion.
enum class FieldOrigin { Input, Run };

/// Where a field lives in the record and what type it has there: a number of the block, a
/// number of the analysis options, or an option's choice (one byte).
class FieldMember final {
public:
    constexpr FieldMember(double TBlocStatic::*block) noexcept : mBlock(block) {}
    constexpr FieldMember(double AnalysisOptions::*number) noexcept : mNumber(number) {}
    constexpr FieldMember(std::uint8_t AnalysisOptions::*choice) noexcept : mChoice(choice) {}

    constexpr bool isOption() const noexcept { return mBlock == nullptr; }
    constexpr bool isChoice() const noexcept { return mChoice != nullptr; }

    double get(const TBlocStatic& model) const noexcept;
    /// Stores value; a choice keeps the byte that value's whole part gives.
    void set(TBlocStatic& model, double value) const noexcept;

private:
    double TBlocStatic::*mBlock = nullptr;
    double AnalysisOptions::*mNumber = nullptr;
    std::uint8_t AnalysisOptions::*mChoice = nullptr;
};

inline constexpr double kUnlimited = std::numeric_limits<double>::max();

/// One number of the project record.
struct RecordField final {
    std::string_view name; ///< the record's own spelling, as the tool and case tables write it
    FieldMember member;
    FieldDimension dimension;
    FieldOrigin origin;
    double minimum; ///< smallest value the dialogs accept (-kUnlimited: none)
    double maximum; ///< largest value the dialogs accept (kUnlimited: none)

    constexpr bool limited() const noexcept {
        return minimum != -kUnlimited || maximum != kUnlimited;
    }
};

/// The numbers of the record in the order of the project file: the block's nineteen, then the
/// analysis options (three numbers, nine choices).
std::span<const RecordField> recordFields() noexcept;

/// The field of that exact name, or nullptr.
const RecordField* findRecordField(std::string_view name) noexcept;

/// The field of that exact name; the name must be one of the table's.
const RecordField& recordField(std::string_view name) noexcept;

} // namespace quibel
