// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/computed_data_report.h"

#include "model/block_properties.h"
#include "model/model_flags.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"
#include "reporting/report_numbers.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace quibel {

namespace {

/// Writes the lines of one report; the layout rules of the language live here.
class ReportWriter {
public:
    ReportWriter(const TBlocStatic& model, Language language, char separator)
        : mModel(model), mLanguage(language), mSeparator(separator),
          mColumn(language == Language::English ? 32 : 43) {}

    std::vector<std::string> lines() && { return std::move(mLines); }

    void line(std::string s) { mLines.push_back(std::move(s)); }
    void key(std::string_view k) { line(std::string(text(mLanguage, k))); }
    void empty() { line({}); }

    void value(std::string_view labelKey, const std::string& number, std::string_view unit) {
        std::string s = padRight(std::string(text(mLanguage, labelKey)), mColumn) + number;
        if (!unit.empty()) {
            s += ' ';
            s += unit;
        }
        line(std::move(s));
    }
    void fixed(std::string_view labelKey, double v, std::string_view unit, int decimals = 3) {
        value(labelKey, reportFixed(v, 14, decimals, mSeparator), unit);
    }
    void degrees(std::string_view labelKey, double v) { fixed(labelKey, v, "deg"); }
    /// An angle in radians, then the same angle in degrees under it.
    void angle(std::string_view labelKey, double radians) {
        fixed(labelKey, radians, "rad", 6);
        line(std::string(mColumn, ' ') +
             reportFixed(radians * 180.0 / std::numbers::pi, 14, 3, mSeparator) + " deg");
    }
    void inertia(std::string_view labelKey, double v) {
        const std::string unit = units::inertiaUnit(mModel.UnitSystem);
        if (mLanguage == Language::English)
            value(labelKey, reportScientific(v, 14, 8, mSeparator), unit);
        else
            fixed(labelKey, v, unit);
    }
    std::string column(double v, int decimals) const {
        return reportFixed(v, 10, decimals, mSeparator);
    }

private:
    const TBlocStatic& mModel;
    Language mLanguage;
    char mSeparator;
    std::size_t mColumn;
    std::vector<std::string> mLines;
};

/// What the rocking part reports of a body, the block alone or with its added masses: its
/// centre of mass, the radii to the pivots, the critical angles as printed and the inertias.
struct BodyFigures {
    double x, y, rup, rdown, upstreamAngle, downstreamAngle, icg, iheel, itoe;
};

/// The headings of the four sections that describe a body.
struct BodyHeadings {
    std::string_view centre, radii, angles, inertia;
};

/// The four sections of a body, each after an empty line when spaced (the French layout).
void writeBody(ReportWriter& r, const BodyHeadings& h, const BodyFigures& f,
               std::string_view length, bool spaced) {
    const auto heading = [&](std::string_view key) {
        if (spaced)
            r.empty();
        r.key(key);
    };
    heading(h.centre);
    r.fixed("report.position_x", f.x, length);
    r.fixed("report.position_y", f.y, length);
    heading(h.radii);
    r.fixed("report.upstream_radius", f.rup, length);
    r.fixed("report.downstream_radius", f.rdown, length);
    heading(h.angles);
    r.angle("report.upstream_angle", f.upstreamAngle);
    r.angle("report.downstream_angle", f.downstreamAngle);
    heading(h.inertia);
    r.inertia("report.inertia_centre", f.icg);
    r.inertia("report.inertia_heel", f.iheel);
    r.inertia("report.inertia_toe", f.itoe);
}

constexpr BodyHeadings kBlockHeadings{"report.centre_of_mass", "report.radii",
                                      "report.critical_angles", "report.inertia"};
constexpr BodyHeadings kCombinedHeadings{"report.combined_centre", "report.combined_radii",
                                         "report.combined_angles", "report.combined_inertia"};

/// "(unit)" right-aligned in 12 characters, the column of the French lists.
std::string unitColumn(std::string_view unit) {
    const std::string s = "(" + std::string(unit) + ")";
    const std::size_t n = utf8Length(s);
    return n >= 12 ? s : std::string(12 - n, ' ') + s;
}

std::string_view kindKey(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Rocking:
        return "report.kind.rocking";
    case AnalysisKind::SlidingAndRocking:
        return "report.kind.sliding_rocking";
    case AnalysisKind::Sliding:
        break;
    }
    return "report.kind.sliding";
}

} // namespace

void SetCriticalAngles(TBlocStatic& model) noexcept {
    const CriticalAngles angles = criticalAngles(model);
    model.ThetaUp = angles.up;
    model.ThetaDown = angles.down;
}

std::vector<std::string> ComputedDataReport(const TBlocStatic& model, Language language,
                                            char decimalSeparator) {
    const TBlocStatic& m = model;
    const bool english = language == Language::English;
    const std::string length(units::lengthUnit(m.UnitSystem));
    const std::string force(units::forceUnit(m.UnitSystem));
    const std::string mass(units::massUnit(m.UnitSystem));
    ReportWriter r(m, language, decimalSeparator);

    r.key("report.analysis_type");
    r.key(kindKey(m.AnalysisKind));
    r.empty();
    r.key("report.block_parameters");
    r.fixed("report.mass", m.M, mass);
    r.fixed("report.dam_height", m.Hd, length);
    r.fixed("report.block_height", m.H, length);
    r.fixed("report.reservoir_height", m.Hr, length);
    r.fixed("report.base_width", m.B, length);
    r.degrees("report.inclination", m.Beta);
    r.fixed("report.uplift", m.U, force);
    r.fixed("report.uplift_position", m.Xu, length);
    r.fixed("report.thickness", m.T, length);
    if (m.AnalysisKind != AnalysisKind::Rocking) {
        r.degrees("report.static_friction", m.PhiS);
        r.degrees("report.dynamic_friction", m.PhiD);
    }
    if (m.AnalysisKind == AnalysisKind::Sliding)
        return std::move(r).lines();

    // Block-only values: the heel at (0, 0) and the toe at (B, B tan Beta) from the heel.
    const double t = std::tan(m.Beta * std::numbers::pi / 180.0);
    const double rup = std::sqrt(m.Xc * m.Xc + m.Yc * m.Yc);
    const double rdown =
        std::sqrt((m.B - m.Xc) * (m.B - m.Xc) + (m.Yc - t * m.B) * (m.Yc - t * m.B));
    const double iheel = m.Im + m.M * rup * rup;
    const double itoe = m.Im + m.M * rdown * rdown;

    if (english) {
        writeBody(r, kBlockHeadings,
                  {m.Xc, m.Yc, rup, rdown, m.ThetaUp, m.ThetaDown, m.Im, iheel, itoe}, length,
                  false);
        r.key("report.restitution");
        r.fixed("report.upstream_restitution", m.Eu, {});
        r.fixed("report.downstream_restitution", m.Ed, {});
        return std::move(r).lines();
    }

    r.empty();
    r.key("report.restitution");
    r.fixed("report.upstream_restitution", m.Eu, {});
    r.fixed("report.downstream_restitution", m.Ed, {});
    writeBody(r, kBlockHeadings,
              {m.Xc, m.Yc, rup, rdown, m.ThetaUp, -m.ThetaDown, m.Im, iheel, itoe}, length, true);

    if (hasFlag(m.ModelFlags, ModelFlag::HasForces)) {
        r.empty();
        r.key("report.force_list");
        r.key("report.force_columns");
        r.line(unitColumn(length) + unitColumn(length) + unitColumn(force) + unitColumn(force));
        for (const AddedForce& f : m.Forces.Items)
            r.line("  " + r.column(f.X, 3) + "  " + r.column(f.Y, 3) + "  " + r.column(f.Fh, 3) +
                   "  " + r.column(f.Fv, 3));
    }
    if (hasFlag(m.ModelFlags, ModelFlag::HasMasses)) {
        r.empty();
        r.key("report.mass_list");
        r.key("report.mass_columns");
        r.line(unitColumn(length) + unitColumn(length) + unitColumn(mass) +
               unitColumn(units::inertiaUnit(m.UnitSystem)));
        for (const AddedMass& a : m.Masses.Items)
            r.line("  " + r.column(a.X, 3) + "  " + r.column(a.Y, 3) + "  " + r.column(a.Mass, 3) +
                   "  " + r.column(a.Inertia, 1));

        const BlockPropertiesResult p = BlockProperties(m);
        writeBody(r, kCombinedHeadings,
                  {p.Xg, p.Yg, p.Rup, p.Rdown, p.ThetaUpM, -p.ThetaDownM, p.Icg, p.Iheel, p.Itoe},
                  length, true);
    }
    return std::move(r).lines();
}

} // namespace quibel
