#include "model/unit_change.h"

#include "model/result_series.h"
#include "model/unit_tables.h"

namespace quibel {

namespace {
void scale(std::optional<TVector>& v, double factor) {
    if (v)
        *v *= factor;
}
} // namespace

void changeUnitSystem(TBlocStatic& m, UnitSystem newSystem) {
    const UnitSystem old = m.UnitSystem;
    const double L = units::length(newSystem, old);
    const double F = units::force(newSystem, old);
    const double Ms = units::mass(newSystem, old);

    m.M *= Ms;
    for (double* v : {&m.H, &m.Hd, &m.Hr, &m.B, &m.Xc, &m.Yc, &m.Xu, &m.T})
        *v *= L;
    m.Im *= Ms * L * L;
    m.U *= F;
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
    m.Options.Gravity *= L;

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
