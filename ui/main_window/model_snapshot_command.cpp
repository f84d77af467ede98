// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/model_snapshot_command.h"

#include "model/model_flags.h"
#include "model/result_series.h"

#include <array>
#include <optional>
#include <utility>

namespace quibel {

TBlocStatic modelInputs(TBlocStatic& model) {
    // The result series are set aside while the rest is copied, then put back: a long run's
    // series are hundreds of megabytes that the copy would only make to drop, on the window's
    // thread, at every edit.
    struct SetAside final {
        TBlocStatic& model;
        std::array<std::optional<TVector>, kResultSeriesCount> series;
        explicit SetAside(TBlocStatic& m) : model(m) {
            for (int s = 0; s < kResultSeriesCount; ++s)
                series[static_cast<std::size_t>(s)] =
                    std::exchange(seriesSlot(model, static_cast<ResultSeries>(s)), std::nullopt);
        }
        ~SetAside() {
            for (int s = 0; s < kResultSeriesCount; ++s)
                seriesSlot(model, static_cast<ResultSeries>(s)) =
                    std::move(series[static_cast<std::size_t>(s)]);
        }
        SetAside(const SetAside&) = delete;
        SetAside& operator=(const SetAside&) = delete;
    };
    const SetAside aside(model);
    TBlocStatic inputs = model;
    setFlag(inputs.ModelFlags, ModelFlag::ResultsValid, false);
    return inputs;
}

ModelSnapshot modelSnapshot(TBlocStatic& model) {
    return std::make_shared<const TBlocStatic>(modelInputs(model));
}

ModelSnapshotCommand::ModelSnapshotCommand(TBlocStatic& model, ModelSnapshot before,
                                           ModelSnapshot after, const QString& text,
                                           Applied applied)
    : QUndoCommand(text), mModel(model), mBefore(std::move(before)), mAfter(std::move(after)),
      mApplied(std::move(applied)) {}

void ModelSnapshotCommand::undo() {
    restore(mBefore);
}

void ModelSnapshotCommand::redo() {
    if (!mPushed) {
        mPushed = true;
        return;
    }
    restore(mAfter);
}

void ModelSnapshotCommand::restore(const ModelSnapshot& snapshot) {
    const std::string fileName = mModel.FileName;
    mModel = *snapshot;
    mModel.FileName = fileName;
    if (mApplied)
        mApplied(snapshot);
}

} // namespace quibel
