// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <QUndoCommand>

#include <functional>

namespace quibel {

/// The inputs of model: a copy without its result series, which belong to the run that made
/// them and are never restored. model is left as it was (its series are not copied).
TBlocStatic modelInputs(TBlocStatic& model);

/// One edit of the model on the undo stack: its inputs before and after. Undo and redo put
/// one of them back into the model (keeping its file name), clear ResultsValid and call
/// applied; the first redo, when the command is pushed, finds the edit made already.
class ModelSnapshotCommand final : public QUndoCommand {
public:
    ModelSnapshotCommand(TBlocStatic& model, TBlocStatic before, TBlocStatic after,
                         const QString& text, std::function<void()> applied);

    void undo() override;
    void redo() override;

private:
    void restore(const TBlocStatic& snapshot);

    TBlocStatic& mModel;
    TBlocStatic mBefore;
    TBlocStatic mAfter;
    std::function<void()> mApplied;
    bool mPushed = false;
};

} // namespace quibel
