// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification_models.h"

#include "model/model_flags.h"
#include "model/unit_change.h"
#include "signals/earthquake_database.h"
#include "signals/xls_workbook.h"

#include <filesystem>

namespace quibel::verification {

TBlocStatic DryStartupBlock(AnalysisKind kind) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = kind;
    m.Hr = 0.0;
    m.U = 0.0;
    m.Options.Gravity = kGravity;
    m.Options.TimeStep = 0.0001;
    SetDefinedFlags(m);
    return m;
}

TBlocStatic DryRectangle(AnalysisKind kind, double b, double h, double e, double phi) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = kind;
    m.H = h;
    m.Hd = h + 10.0;
    m.Hr = 0.0;
    m.B = b;
    m.T = 1.0;
    m.M = kConcreteDensity * b * h * m.T;
    m.Xc = b / 2.0;
    m.Yc = h / 2.0;
    m.Im = m.M * (b * b + h * h) / 12.0;
    m.U = 0.0;
    m.Xu = b / 2.0;
    m.Beta = 0.0;
    m.PhiS = phi;
    m.PhiD = phi;
    m.Eu = e;
    m.Ed = e;
    m.Es = 1.0;
    m.Options.Gravity = kGravity;
    m.Options.TimeStep = 0.0001;
    SetDefinedFlags(m);
    return m;
}

void SineHistory(TimeHistoryRecord& h, double amplitudeG, double period, double end) {
    h = TimeHistoryRecord{};
    h.Source = HistorySource::Generated;
    h.Title = "Sine";
    h.Terms[0] = {TermShape::Sine, amplitudeG, period, 0.0, 0.0, end, 1};
    h.Duration = end;
}

void ConstantHistory(TimeHistoryRecord& h, double amplitudeG, double end) {
    h = TimeHistoryRecord{};
    h.Source = HistorySource::Generated;
    h.Title = "Constant";
    h.Terms[0] = {TermShape::Impulse, amplitudeG, 4.0 * end, 0.0, 0.0, end, 1};
    h.Duration = end;
}

void SilentHistory(TimeHistoryRecord& h, double duration) {
    h = TimeHistoryRecord{};
    h.Source = HistorySource::Generated;
    h.Title = "Silence";
    h.Terms[0] = {TermShape::Sine, 0.0, 1.0, 0.0, 0.0, duration, 0};
    h.Duration = duration;
}

void SampledHistory(TimeHistoryRecord& h, const std::string& title,
                    const std::vector<double>& values, double dt) {
    h = TimeHistoryRecord{};
    h.Source = HistorySource::Sampled;
    h.Title = title;
    const int n = static_cast<int>(values.size());
    h.Times.emplace(n);
    h.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        h.Times->set(i, (i - 1) * dt);
        h.Values->set(i, values[static_cast<std::size_t>(i - 1)]);
    }
    h.Duration = (n - 1) * dt;
}

void SetDefinedFlags(TBlocStatic& m) {
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::ReservoirPresent, m.Hr > 0.0);
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined,
            m.history(HistoryKind::HorizontalAcceleration).Source != HistorySource::Undefined);
    setFlag(m.ModelFlags, ModelFlag::VerticalAccDefined,
            m.history(HistoryKind::VerticalAcceleration).Source != HistorySource::Undefined);
}

TBlocStatic SpectrumProject(const std::string& title, const std::vector<double>& values,
                            double dt) {
    TBlocStatic m = startupModel();
    changeUnitSystem(m, UnitSystem::MmNKg);
    SampledHistory(m.history(HistoryKind::HorizontalAcceleration), title, values, dt);
    SetDefinedFlags(m);
    return m;
}

ShippedRecord ReadShippedRecord(int sheet, int record) {
    const std::filesystem::path path =
        std::filesystem::path(QUIBEL_SOURCE_DIR) / "data" / std::string(kHorizontalDatabaseFile);
    const auto book = XlsWorkbook::open(path.string());
    ShippedRecord out;
    for (const DatabaseNode& node : ReadDatabaseCatalogue(*book, Language::English).Nodes)
        if (node.Sheet == sheet && node.Record == record)
            out.title = node.Text;
    const SignalSamples samples = ReadDatabaseRecord(*book, sheet, record);
    out.dt = samples.Times(2) - samples.Times(1);
    for (int i = 1; i <= samples.size(); ++i)
        out.values.push_back(samples.Values(i));
    return out;
}

} // namespace quibel::verification
