// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <chrono>
#include <iosfwd>
#include <string>

namespace quibel::cli {

/// The progress line of a batch on a terminal: cases done out of the total, how many failed
/// and the estimated time left (time so far per case done, times the cases left), rewritten in
/// place as cases end. Other lines written in between end it first; the next update shows it
/// again. Without a terminal it writes nothing.
class BatchProgress final {
public:
    BatchProgress(std::ostream& err, Language lang, int total, bool terminal);

    /// A case ended; failed when it did not complete or stop normally.
    void caseDone(bool failed);
    /// Writes a whole line of its own (a row's problem) on err.
    void line(const std::string& text);
    /// Ends the progress line for good.
    void finish();

private:
    void show();

    std::ostream& mErr;
    Language mLang;
    int mTotal;
    bool mTerminal;
    bool mShown = false;
    int mDone = 0;
    int mFailed = 0;
    std::chrono::steady_clock::time_point mStart;
};

} // namespace quibel::cli
