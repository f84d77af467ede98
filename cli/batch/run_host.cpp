#include "cli/batch/run_host.h"

#include <algorithm>
#include <cmath>

namespace quibel::cli {

namespace {

// The larger of two errors; a NaN (a balance that diverged) stays for the rest of the run.
double larger(double sofar, double error) {
    return std::isnan(sofar) || std::isnan(error) ? std::nan("") : std::max(sofar, error);
}

} // namespace

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
    mAbsolute = larger(mAbsolute, s.absoluteEnergyError);
    mRelative = larger(mRelative, s.relativeEnergyError);
}

void BatchRunHost::remark(const Message& message) {
    if (std::find(mRemarks.begin(), mRemarks.end(), message) == mRemarks.end())
        mRemarks.push_back(message);
}

} // namespace quibel::cli
