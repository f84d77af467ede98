// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/fields.h"
#include "numeric/message.h"
#include "signals/history_text_import.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel::cli {

/// Where a case takes a base acceleration record from, in place of the project's own.
struct RecordSource final {
    enum class Kind {
        Project,    ///< the project's history is kept
        TextFile,   ///< a text file in the formats of the time-history dialog's import
        RecordFile, ///< a record file read by the record readers (its first component)
        Database,   ///< a record of an earthquake workbook
    };
    Kind kind = Kind::Project;
    std::string path; ///< the text file or the workbook, resolved against the table's folder
    HistoryFileFormat format = HistoryFileFormat::TimeAndAmplitude;
    double timeStep = 0.0; ///< s, for HistoryFileFormat::AmplitudesOnly and a RecordFile
    std::string reader;    ///< "auto" or a record reader's name, for a RecordFile
    std::string sheet;     ///< worksheet: its tab name, or its English or French title
    std::string record;    ///< title of the record in the worksheet

    bool operator==(const RecordSource&) const = default;
};

/// A model field set by a case.
struct FieldSetting final {
    const BatchField* field = nullptr;
    double value = 0.0;
};

/// One row of a case table: one analysis.
struct BatchCase final {
    int index = 0;    ///< position among the cases of the table, from 1
    int row = 0;      ///< line of the table where the row starts, from 1 (the header is row 1)
    std::string name; ///< the case column, or "case-" and the index with leading zeros
    std::vector<std::string> cells; ///< the row as written, one cell per column of the table
    std::string project;            ///< base project file, resolved against the table's folder
    /// Replacement of history 0 (horizontal) and 1 (vertical base acceleration).
    std::array<RecordSource, 2> records{};
    /// Factor on the amplitudes of history 0 and 1 (their Scale is multiplied by it).
    std::array<std::optional<double>, 2> scales{};
    std::vector<FieldSetting> fields; ///< in the order of the columns
    /// Set when the row cannot be run: what is wrong with it. The other rows still run.
    std::optional<Message> problem;
};

/// A case table read and checked.
struct BatchTable final {
    std::vector<std::string> columns; ///< header cells as written
    std::vector<BatchCase> cases;
    /// Remarks on the whole table that stop nothing (a column nobody fills).
    std::vector<Message> remarks;
};

/// Reads a case table (see ParseCsv for the layout). Columns, named without regard to letter
/// case:
/// - `case`: a name for the case, of letters, digits, "-", "_" and "." (not first), at most 64
///   characters, unique in the table; it names the case's files in the results folder;
/// - `project` (required): the base project file;
/// - `h_file` or `h_workbook` + `h_sheet` + `h_record`: a new horizontal base acceleration,
///   read as the time-history dialog does; `h_format` `pairs` (default) or `amplitudes`, the
///   latter with `h_step` (s), or `auto` or a record reader's name (`h_step` then optional,
///   for the files that state no step); `h_scale`: a factor on the horizontal amplitudes;
/// - the same with `v_` for the vertical base acceleration;
/// - any field of FindBatchField, which sets that field of the model.
/// An empty cell leaves the project as it is. Relative paths are taken from folder (the
/// table's own folder). A row with a value in a column that means nothing, a bad value or an
/// incomplete record gets its problem and no other row is affected.
/// Throws Error("cli.batch.no_project_column"), Error("cli.batch.duplicate_column", {name}),
/// Error("cli.batch.unclosed_quote", {row}) for a table that has no meaning as a whole.
BatchTable ReadBatchTable(std::string_view text, const std::filesystem::path& folder);

} // namespace quibel::cli
