// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/model_snapshot_command.h"

#include "model/model_flags.h"
#include "model/result_series.h"

#include <utility>

namespace quibel {

TBlocStatic modelInputs(const TBlocStatic& model) {
    TBlocStatic inputs = model;
    for (int s = 0; s < kResultSeriesCount; ++s)
        seriesSlot(inputs, static_cast<ResultSeries>(s)).reset();
    setFlag(inputs.ModelFlags, ModelFlag::ResultsValid, false);
    return inputs;
}

ModelSnapshotCommand::ModelSnapshotCommand(TBlocStatic& model, TBlocStatic before,
                                           TBlocStatic after, const QString& text,
                                           std::function<void()> applied)
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

void ModelSnapshotCommand::restore(const TBlocStatic& snapshot) {
    const std::string fileName = mModel.FileName;
    mModel = snapshot;
    mModel.FileName = fileName;
    if (mApplied)
        mApplied();
}

} // namespace quibel
