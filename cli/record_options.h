// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"
#include "signals/records/record_processing.h"
#include "signals/records/record_readers.h"

#include <string>
#include <vector>

namespace quibel::cli {

/// The words of "record info" and "record convert" after the sub-command.
struct RecordRequest final {
    std::string file;
    std::string output; ///< -o, convert only
    std::size_t component = 0;
    std::string format = "auto";
    RecordReadOptions read;
    RecordProcessing processing;
};

/// A usage problem: its message; the caller adds the usage line.
struct RecordUsageProblem final {
    Message message;
};

/// Parses args; throws RecordUsageProblem.
RecordRequest ParseRecordRequest(const std::vector<std::string>& args);

} // namespace quibel::cli
