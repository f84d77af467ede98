// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "signals/history_value.h"

namespace quibel {

/// The force histories 2 and 3 of a run, in kN at any time; a history whose point lies off
/// the block gives 0.
class ForceHistories final {
public:
    explicit ForceHistories(const TBlocStatic& model);

    double horizontal(double t) const { return mHorizontalOn ? mHorizontal.value(t) * mToKn : 0.0; }
    double vertical(double t) const { return mVerticalOn ? mVertical.value(t) * mToKn : 0.0; }

private:
    HistoryEvaluator mHorizontal;
    HistoryEvaluator mVertical;
    bool mHorizontalOn;
    bool mVerticalOn;
    double mToKn;
};

} // namespace quibel
