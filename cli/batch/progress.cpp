// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/progress.h"

#include <cmath>
#include <ostream>

namespace quibel::cli {

BatchProgress::BatchProgress(std::ostream& err, Language lang, int total, bool terminal)
    : mErr(err), mLang(lang), mTotal(total), mTerminal(terminal),
      mStart(std::chrono::steady_clock::now()) {}

void BatchProgress::caseDone(bool failed) {
    ++mDone;
    if (failed)
        ++mFailed;
    show();
}

void BatchProgress::line(const std::string& text) {
    if (mShown)
        mErr << "\n";
    mShown = false;
    mErr << text << "\n";
}

void BatchProgress::finish() {
    if (mShown)
        mErr << "\n" << std::flush;
    mShown = false;
}

void BatchProgress::show() {
    if (!mTerminal || mDone == 0)
        return;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - mStart).count();
    const long long left = std::llround(elapsed / mDone * (mTotal - mDone));
    // "\x1b[K" clears what a longer earlier line left at its end.
    mErr << "\r"
         << render(mLang,
                   Message("cli.batch.progress", {std::to_string(mDone), std::to_string(mTotal),
                                                  std::to_string(mFailed), std::to_string(left)}))
         << "\x1b[K" << std::flush;
    mShown = true;
}

} // namespace quibel::cli
