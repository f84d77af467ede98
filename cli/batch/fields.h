// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "model/record_fields.h"
#include "numeric/message.h"

#include <optional>
#include <string_view>

namespace quibel::cli {

/// A field of the project record that a case table may set: a user's input among the
/// record's numbers (in the project's units as the dialogs take them), or AnalysisKind. The
/// analysis options may be written with or without the prefix "Options.".
struct BatchField final {
    std::string_view name;     ///< the record's own spelling
    const RecordField* record; ///< the number it sets; nullptr for AnalysisKind
};

/// The field a column names (letter case ignored), or nullptr.
const BatchField* FindBatchField(std::string_view column) noexcept;

/// Whether field is one of the analysis options (the others are block inputs).
bool IsOptionField(const BatchField& field) noexcept;

/// Reads cell as a value of field: a decimal number with "." (whole for a choice), inside the
/// field's range; AnalysisKind also takes Sliding, Rocking or SlidingAndRocking. Returns the
/// value, or the message that tells what is wrong ("cli.batch.bad_number",
/// "cli.batch.out_of_range", "cli.batch.not_whole").
[[nodiscard]] std::optional<double> ParseFieldValue(const BatchField& field, std::string_view cell,
                                                    Message& problem);

/// Sets field of model to value (read by ParseFieldValue).
void ApplyField(TBlocStatic& model, const BatchField& field, double value);

} // namespace quibel::cli
