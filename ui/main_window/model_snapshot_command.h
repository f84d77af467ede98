// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <QUndoCommand>

#include <functional>
#include <memory>

namespace quibel {

/// The inputs of model: a copy without its result series, which belong to the run that made
/// them and are never restored. model is left as it was (its series are not copied).
TBlocStatic modelInputs(TBlocStatic& model);

/// The inputs of a model at one moment, shared by the edits on either side of it: the "after"
/// of one edit is the "before" of the next, and a record of millions of samples is held once.
using ModelSnapshot = std::shared_ptr<const TBlocStatic>;

/// modelInputs(model) as a snapshot.
ModelSnapshot modelSnapshot(TBlocStatic& model);

/// One edit of the model on the undo stack: its inputs before and after. Undo and redo put
/// one of them back into the model (keeping its file name), clear ResultsValid and call
/// applied with the snapshot put back; the first redo, when the command is pushed, finds the
/// edit made already.
class ModelSnapshotCommand final : public QUndoCommand {
public:
    using Applied = std::function<void(const ModelSnapshot&)>;
    ModelSnapshotCommand(TBlocStatic& model, ModelSnapshot before, ModelSnapshot after,
                         const QString& text, Applied applied);

    void undo() override;
    void redo() override;

private:
    void restore(const ModelSnapshot& snapshot);

    TBlocStatic& mModel;
    ModelSnapshot mBefore;
    ModelSnapshot mAfter;
    Applied mApplied;
    bool mPushed = false;
};

} // namespace quibel
