#include "cli/batch_fields.h"

#include "cli/batch_csv.h"
#include "cli/batch_number.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace quibel::cli {

namespace {

constexpr double kAny = std::numeric_limits<double>::max();
constexpr double kHuge = 1e100;         // the geometry dialog's upper limit
constexpr double kSteepest = 89.999999; // degrees, the dialog's limit of angles

constexpr std::uint8_t choice(double value) {
    return static_cast<std::uint8_t>(value);
}

// The ranges are those the geometry dialog allows; the options dialog limits nothing but its
// choices. Setting a field outside its range is refused rather than brought back into it, so
// that a case never runs with another value than the one its table shows.
constexpr std::array<BatchField, 29> kFields{{
    {"H", 0, kHuge, false, [](TBlocStatic& m, double v) { m.H = v; }},
    {"Hd", 0, kHuge, false, [](TBlocStatic& m, double v) { m.Hd = v; }},
    {"Hr", 0, kHuge, false, [](TBlocStatic& m, double v) { m.Hr = v; }},
    {"Xc", -kAny, kAny, false, [](TBlocStatic& m, double v) { m.Xc = v; }},
    {"Yc", 1e-10, kHuge, false, [](TBlocStatic& m, double v) { m.Yc = v; }},
    {"B", 0, kHuge, false, [](TBlocStatic& m, double v) { m.B = v; }},
    {"M", 0, kHuge, false, [](TBlocStatic& m, double v) { m.M = v; }},
    {"U", 0, kHuge, false, [](TBlocStatic& m, double v) { m.U = v; }},
    {"Xu", 0, kHuge, false, [](TBlocStatic& m, double v) { m.Xu = v; }},
    {"PhiS", 0, kSteepest, false, [](TBlocStatic& m, double v) { m.PhiS = v; }},
    {"PhiD", 0, kSteepest, false, [](TBlocStatic& m, double v) { m.PhiD = v; }},
    {"Beta", -kSteepest, kSteepest, false, [](TBlocStatic& m, double v) { m.Beta = v; }},
    {"Eu", 0, 1, false, [](TBlocStatic& m, double v) { m.Eu = v; }},
    {"Ed", 0, 1, false, [](TBlocStatic& m, double v) { m.Ed = v; }},
    {"Es", 0, 1, false, [](TBlocStatic& m, double v) { m.Es = v; }},
    {"Im", 0, kHuge, false, [](TBlocStatic& m, double v) { m.Im = v; }},
    {"T", 0, kHuge, false, [](TBlocStatic& m, double v) { m.T = v; }},
    {"AnalysisKind", 0, 2, true,
     [](TBlocStatic& m, double v) { m.AnalysisKind = static_cast<AnalysisKind>(choice(v)); }},
    {"Gravity", -kAny, kAny, false, [](TBlocStatic& m, double v) { m.Options.Gravity = v; }},
    {"TimeStep", -kAny, kAny, false, [](TBlocStatic& m, double v) { m.Options.TimeStep = v; }},
    {"SaveStep", -kAny, kAny, false, [](TBlocStatic& m, double v) { m.Options.SaveStep = v; }},
    {"NewmarkBeta", 0, 1, true,
     [](TBlocStatic& m, double v) { m.Options.NewmarkBeta = choice(v); }},
    {"UpliftUp", 0, 1, true, [](TBlocStatic& m, double v) { m.Options.UpliftUp = choice(v); }},
    {"UpliftDown", 0, 2, true, [](TBlocStatic& m, double v) { m.Options.UpliftDown = choice(v); }},
    {"CenterUp", 0, 1, true, [](TBlocStatic& m, double v) { m.Options.CenterUp = choice(v); }},
    {"CenterDown", 0, 1, true, [](TBlocStatic& m, double v) { m.Options.CenterDown = choice(v); }},
    {"Translational", 0, 1, true,
     [](TBlocStatic& m, double v) { m.Options.Translational = choice(v); }},
    {"Rotational", 0, 1, true, [](TBlocStatic& m, double v) { m.Options.Rotational = choice(v); }},
    {"VerticalAcceleration", 0, 1, true,
     [](TBlocStatic& m, double v) { m.Options.VerticalAcceleration = choice(v); }},
}};
constexpr std::size_t kFirstOption = 18;
static_assert(kFields[kFirstOption].name == "Gravity");

} // namespace

const BatchField* FindBatchField(std::string_view column) noexcept {
    // Options fields come after AnalysisKind; only they take the prefix.
    const auto firstOption = kFields.begin() + kFirstOption;
    auto first = kFields.begin();
    if (column.size() > 8 && SameColumnName(column.substr(0, 8), "Options.")) {
        column.remove_prefix(8);
        first = firstOption;
    }
    for (auto f = first; f != kFields.end(); ++f)
        if (SameColumnName(f->name, column))
            return &*f;
    return nullptr;
}

bool IsOptionField(const BatchField& field) noexcept {
    return std::any_of(kFields.begin() + kFirstOption, kFields.end(),
                       [&](const BatchField& f) { return &f == &field; });
}

std::optional<double> ParseFieldValue(const BatchField& field, std::string_view cell,
                                      Message& problem) {
    const std::string name(field.name);
    if (field.name == "AnalysisKind") {
        constexpr std::string_view kinds[] = {"Sliding", "Rocking", "SlidingAndRocking"};
        for (int k = 0; k < 3; ++k)
            if (SameColumnName(cell, kinds[k]))
                return k;
        const std::optional<double> v = ParseFiniteNumber(cell);
        if (v && (*v == 0 || *v == 1 || *v == 2))
            return v;
        problem = Message("cli.batch.bad_analysis_kind", {std::string(cell)});
        return std::nullopt;
    }
    const std::optional<double> v = ParseFiniteNumber(cell);
    if (!v) {
        problem = Message("cli.batch.bad_number", {name, std::string(cell)});
        return std::nullopt;
    }
    if (field.whole && *v != std::floor(*v)) {
        problem = Message("cli.batch.not_whole", {name, std::string(cell)});
        return std::nullopt;
    }
    if (*v < field.minimum || *v > field.maximum) {
        problem =
            Message("cli.batch.out_of_range", {name, std::string(cell), ShortestText(field.minimum),
                                               ShortestText(field.maximum)});
        return std::nullopt;
    }
    return v;
}

void ApplyField(TBlocStatic& model, const BatchField& field, double value) {
    field.set(model, value);
}

} // namespace quibel::cli
