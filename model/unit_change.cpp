// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unit_change.h"

#include "model/record_fields.h"
#include "model/result_series.h"
#include "model/unit_tables.h"

namespace quibel {

namespace {
void scale(std::optional<TVector>& v, double factor) {
    if (v)
        *v *= factor;
}

// The factor that converts field, or nothing for a field that keeps its value.
std::optional<double> factor(const RecordField& field, double L, double F, double Ms) {
    if (field.origin == FieldOrigin::Run)
        return std::nullopt; // the next run recomputes it
    switch (field.dimension) {
    case FieldDimension::Length:
    case FieldDimension::Acceleration:
        return L;
    case FieldDimension::Mass:
        return Ms;
    case FieldDimension::Force:
        return F;
    case FieldDimension::Inertia:
        return Ms * L * L;
    case FieldDimension::Angle:
    case FieldDimension::Ratio:
    case FieldDimension::Time:
    case FieldDimension::Choice:
        break;
    }
    return std::nullopt;
}
} // namespace

void changeUnitSystem(TBlocStatic& m, UnitSystem newSystem) {
    const UnitSystem old = m.UnitSystem;
    const double L = units::length(newSystem, old);
    const double F = units::force(newSystem, old);
    const double Ms = units::mass(newSystem, old);

    for (const RecordField& f : recordFields())
        if (const std::optional<double> k = factor(f, L, F, Ms))
            f.member.set(m, f.member.get(m) * *k);
    for (AddedMass& a : m.Masses.Items) {
        a.Mass *= Ms;
        a.X *= L;
        a.Y *= L;
        a.Inertia *= Ms * L * L;
    }
    for (int k : {2, 3}) {
        TimeHistoryRecord& h = m.Histories[static_cast<std::size_t>(k)];
        if (h.Source == HistorySource::Sampled) {
            scale(h.Values, F);
            h.Offset *= F;
        }
        if (h.Source == HistorySource::Sampled || h.Source == HistorySource::Generated) {
            h.PosX *= L;
            h.PosY *= L;
        }
        if (h.Source == HistorySource::Generated) {
            for (GeneratorTerm& t : h.Terms)
                t.Amplitude *= F;
            h.Offset *= F;
        }
    }
    for (AddedForce& f : m.Forces.Items) {
        f.Fh *= F;
        f.Fv *= F;
        f.X *= L;
        f.Y *= L;
    }

    for (const ResultSeriesRow& row : kResultSeriesTable) {
        if (row.dimension == SeriesDimension::Energy)
            scale(m.*row.samples, F * L);
        else if (row.dimension == SeriesDimension::Length ||
                 row.dimension == SeriesDimension::Velocity ||
                 row.dimension == SeriesDimension::Acceleration)
            scale(m.*row.samples, L);
    }

    m.UnitSystem = newSystem;
}

} // namespace quibel
