// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"

namespace quibel {

/// Everything the desktop program keeps for the whole of its run: the one project record and
/// the flags of the user session. The application owns one and passes it by reference to every
/// window; nothing else in the program holds state of its own.
struct ApplicationState final {
    /// The project the user works on; reset only by startupModel().
    TBlocStatic Model = startupModel();
    /// true: English texts; false: French. Read from the user's settings at start-up and
    /// written back on every close.
    bool EnglishLanguage = true;
    /// true while the model has no unsaved changes.
    bool ModelSaved = true;
    /// Set by the close prompt and by Save when the user cancels.
    bool CloseCancelled = false;
    /// true while an analysis run proceeds; the model must not be changed then.
    bool AnalysisRunning = false;

    Language language() const noexcept {
        return EnglishLanguage ? Language::English : Language::French;
    }
};

} // namespace quibel
