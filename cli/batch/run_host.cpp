// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/run_host.h"

#include <algorithm>

namespace quibel::cli {

void BatchRunHost::showMessage(MessageKind kind, const Message& message) {
    if (kind == MessageKind::Error)
        mErrors.push_back(message);
    else
        remark(message);
}

QuestionAnswer BatchRunHost::ask(const RunQuestion& question) {
    remark(question.message);
    return mPolicy;
}

void BatchRunHost::status(const RunStatus& s) {
    mEnergyErrors.add(s);
}

void BatchRunHost::remark(const Message& message) {
    if (std::find(mRemarks.begin(), mRemarks.end(), message) == mRemarks.end())
        mRemarks.push_back(message);
}

} // namespace quibel::cli
