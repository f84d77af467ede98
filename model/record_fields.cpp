// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/record_fields.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace quibel {

namespace {

using D = FieldDimension;
constexpr FieldOrigin kInput = FieldOrigin::Input;
constexpr double kAny = kUnlimited;
constexpr double kHuge = 1e100;         // the geometry dialog's upper limit
constexpr double kSteepest = 89.999999; // degrees, the geometry dialog's limit of angles
using O = AnalysisOptions;
using B = TBlocStatic;

// The ranges are those the dialogs allow; the options dialog limits nothing but its choices.
constexpr std::array<RecordField, 31> kFields{{
    {"H", &B::H, D::Length, kInput, 0, kHuge},
    {"Hd", &B::Hd, D::Length, kInput, 0, kHuge},
    {"Hr", &B::Hr, D::Length, kInput, 0, kHuge},
    {"Xc", &B::Xc, D::Length, kInput, -kAny, kAny},
    {"Yc", &B::Yc, D::Length, kInput, 1e-10, kHuge},
    {"B", &B::B, D::Length, kInput, 0, kHuge},
    {"M", &B::M, D::Mass, kInput, 0, kHuge},
    {"U", &B::U, D::Force, kInput, 0, kHuge},
    {"Xu", &B::Xu, D::Length, kInput, 0, kHuge},
    {"PhiS", &B::PhiS, D::Angle, kInput, 0, kSteepest},
    {"PhiD", &B::PhiD, D::Angle, kInput, 0, kSteepest},
    {"Beta", &B::Beta, D::Angle, kInput, -kSteepest, kSteepest},
    {"Ru", &B::Ru, D::Length, FieldOrigin::Run, -kAny, kAny},
    {"Rd", &B::Rd, D::Length, FieldOrigin::Run, -kAny, kAny},
    {"Eu", &B::Eu, D::Ratio, kInput, 0, 1},
    {"Ed", &B::Ed, D::Ratio, kInput, 0, 1},
    {"Es", &B::Es, D::Ratio, kInput, 0, 1},
    {"Im", &B::Im, D::Inertia, kInput, 0, kHuge},
    {"T", &B::T, D::Length, kInput, 0, kHuge},
    {"Gravity", &O::Gravity, D::Acceleration, kInput, -kAny, kAny},
    {"TimeStep", &O::TimeStep, D::Time, kInput, -kAny, kAny},
    {"SaveStep", &O::SaveStep, D::Time, kInput, -kAny, kAny},
    {"NewmarkBeta", &O::NewmarkBeta, D::Choice, kInput, 0, 1},
    {"UpliftUp", &O::UpliftUp, D::Choice, kInput, 0, 1},
    {"UpliftDown", &O::UpliftDown, D::Choice, kInput, 0, 2},
    {"CenterUp", &O::CenterUp, D::Choice, kInput, 0, 1},
    {"CenterDown", &O::CenterDown, D::Choice, kInput, 0, 1},
    {"Translational", &O::Translational, D::Choice, kInput, 0, 1},
    {"Rotational", &O::Rotational, D::Choice, kInput, 0, 1},
    {"DebugFile", &O::DebugFile, D::Choice, kInput, 0, 1},
    {"VerticalAcceleration", &O::VerticalAcceleration, D::Choice, kInput, 0, 1},
}};

} // namespace

double FieldMember::get(const TBlocStatic& m) const noexcept {
    if (mBlock)
        return m.*mBlock;
    if (mNumber)
        return m.Options.*mNumber;
    return m.Options.*mChoice;
}

void FieldMember::set(TBlocStatic& m, double value) const noexcept {
    if (mBlock)
        m.*mBlock = value;
    else if (mNumber)
        m.Options.*mNumber = value;
    else
        m.Options.*mChoice = static_cast<std::uint8_t>(value);
}

std::span<const RecordField> recordFields() noexcept {
    return kFields;
}

const RecordField* findRecordField(std::string_view name) noexcept {
    const auto it = std::find_if(kFields.begin(), kFields.end(),
                                 [&](const RecordField& f) { return f.name == name; });
    return it == kFields.end() ? nullptr : &*it;
}

const RecordField& recordField(std::string_view name) noexcept {
    const RecordField* f = findRecordField(name);
    assert(f);
    return *f;
}

} // namespace quibel
