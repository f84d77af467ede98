// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/case_model.h"

#include "model/geometry_flags.h"
#include "model/model_flags.h"
#include "signals/history_editing.h"

namespace quibel::cli {

namespace {

constexpr std::uint16_t kDefinedFlag[2] = {ModelFlag::HorizontalAccDefined,
                                           ModelFlag::VerticalAccDefined};
constexpr HistoryKind kKind[2] = {HistoryKind::HorizontalAcceleration,
                                  HistoryKind::VerticalAcceleration};

} // namespace

TBlocStatic BuildCaseModel(const BatchCase& c, BatchInputs& inputs) {
    TBlocStatic model = *inputs.project(c.project);
    for (std::size_t h = 0; h < 2; ++h) {
        TimeHistoryRecord& history = model.history(kKind[h]);
        if (c.records[h].kind != RecordSource::Kind::Project) {
            const std::shared_ptr<const LoadedRecord> record = inputs.record(c.records[h]);
            StoreSamples(history, record->samples);
            history.Title = record->title;
            setFlag(model.ModelFlags, kDefinedFlag[h], true);
        }
        if (c.scales[h])
            history.Scale *= *c.scales[h];
    }
    bool blockField = false;
    for (const FieldSetting& f : c.fields) {
        ApplyField(model, *f.field, f.value);
        blockField = blockField || !IsOptionField(*f.field);
    }
    if (blockField)
        updateGeometryFlags(model);
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, false);
    model.Options.DebugFile = 0;
    return model;
}

} // namespace quibel::cli
