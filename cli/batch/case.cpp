// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/case.h"

#include "cli/batch/csv.h"
#include "cli/batch/number.h"
#include "numeric/error.h"
#include "signals/records/record_file.h"

#include <algorithm>
#include <map>

namespace quibel::cli {

namespace {

// What a column of the table does.
enum class Role {
    Unknown,
    Case,
    Project,
    File,     // of history 0 or 1
    Format,   // "
    Step,     // "
    Workbook, // "
    Sheet,    // "
    Record,   // "
    Scale,    // "
    Field,
};

struct Column {
    std::string name;
    Role role = Role::Unknown;
    int history = 0; // 0 horizontal, 1 vertical, for the record columns
    const BatchField* field = nullptr;
};

Column classify(const std::string& name) {
    Column c{name};
    static constexpr std::pair<std::string_view, Role> kRecordColumns[] = {
        {"file", Role::File},         {"format", Role::Format}, {"step", Role::Step},
        {"workbook", Role::Workbook}, {"sheet", Role::Sheet},   {"record", Role::Record},
        {"scale", Role::Scale},
    };
    if (SameColumnName(name, "case")) {
        c.role = Role::Case;
    } else if (SameColumnName(name, "project")) {
        c.role = Role::Project;
    } else if (name.size() > 2 && name[1] == '_' &&
               (name[0] == 'h' || name[0] == 'H' || name[0] == 'v' || name[0] == 'V')) {
        const std::string_view rest = std::string_view(name).substr(2);
        for (const auto& [suffix, role] : kRecordColumns)
            if (SameColumnName(rest, suffix)) {
                c.role = role;
                c.history = name[0] == 'h' || name[0] == 'H' ? 0 : 1;
            }
    }
    if (c.role == Role::Unknown) {
        c.field = FindBatchField(name);
        if (c.field)
            c.role = Role::Field;
    }
    return c;
}

// The name shown for a column: the header's text, or its position when it has none.
std::string shownName(const Column& c, std::size_t position) {
    return c.name.empty() ? "#" + std::to_string(position + 1) : c.name;
}

bool validCaseName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name.front() == '.')
        return false;
    return std::all_of(name.begin(), name.end(), [](char ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
               ch == '-' || ch == '_' || ch == '.';
    });
}

std::string defaultName(int index, std::size_t count) {
    std::string digits = std::to_string(index);
    const std::size_t width = std::to_string(count).size();
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return "case-" + digits;
}

std::string resolve(const std::filesystem::path& folder, const std::string& path) {
    const std::filesystem::path p(path);
    return p.is_absolute() ? p.string() : (folder / p).string();
}

// The cells of one history's record columns in a row.
struct RecordCells {
    std::string file, format, step, workbook, sheet, record, scale;
};

// The record reader a format cell names ("auto" or a reader's name, in any letter case).
std::optional<std::string_view> recordReader(const std::string& cell) {
    for (std::string_view name : RecordFormatNames())
        if (SameColumnName(cell, name))
            return name;
    return std::nullopt;
}

// Reads the record columns of history h ("h" or "v" in the messages); nullopt when fine.
std::optional<Message> readRecord(const RecordCells& cells, const std::string& prefix,
                                  const std::filesystem::path& folder, RecordSource& source,
                                  std::optional<double>& scale) {
    const bool database = !cells.workbook.empty() || !cells.sheet.empty() || !cells.record.empty();
    if (!cells.file.empty() && database)
        return Message("cli.batch.two_records", {prefix + "_file", prefix + "_workbook"});
    if (cells.file.empty() && (!cells.format.empty() || !cells.step.empty()))
        return Message("cli.batch.needs_file",
                       {prefix + (cells.format.empty() ? "_step" : "_format"), prefix + "_file"});
    if (!cells.file.empty()) {
        source.kind = RecordSource::Kind::TextFile;
        source.path = resolve(folder, cells.file);
        if (cells.format.empty() || SameColumnName(cells.format, "pairs")) {
            source.format = HistoryFileFormat::TimeAndAmplitude;
            if (!cells.step.empty())
                return Message("cli.batch.step_without_amplitudes", {prefix + "_step"});
        } else if (SameColumnName(cells.format, "amplitudes")) {
            source.format = HistoryFileFormat::AmplitudesOnly;
            if (cells.step.empty())
                return Message("cli.batch.needs_step", {prefix + "_step"});
            const std::optional<double> dt = ParseFiniteNumber(cells.step);
            if (!dt || !(*dt > 0.0))
                return Message("cli.batch.bad_step", {prefix + "_step", cells.step});
            source.timeStep = *dt;
        } else if (const std::optional<std::string_view> reader = recordReader(cells.format)) {
            source.kind = RecordSource::Kind::RecordFile;
            source.reader = *reader;
            if (!cells.step.empty()) {
                const std::optional<double> dt = ParseFiniteNumber(cells.step);
                if (!dt || !(*dt > 0.0))
                    return Message("cli.batch.bad_step", {prefix + "_step", cells.step});
                source.timeStep = *dt;
            }
        } else {
            return Message("cli.batch.bad_format", {prefix + "_format", cells.format});
        }
    } else if (database) {
        if (cells.workbook.empty() || cells.sheet.empty() || cells.record.empty())
            return Message("cli.batch.incomplete_database",
                           {prefix + "_workbook", prefix + "_sheet", prefix + "_record"});
        source.kind = RecordSource::Kind::Database;
        source.path = resolve(folder, cells.workbook);
        source.sheet = cells.sheet;
        source.record = cells.record;
    }
    if (!cells.scale.empty()) {
        scale = ParseFiniteNumber(cells.scale);
        if (!scale)
            return Message("cli.batch.bad_number", {prefix + "_scale", cells.scale});
    }
    return std::nullopt;
}

void readRow(BatchCase& c, const std::vector<Column>& columns,
             const std::filesystem::path& folder) {
    if (c.cells.size() > columns.size()) {
        c.problem = Message("cli.batch.too_many_cells",
                            {std::to_string(c.cells.size()), std::to_string(columns.size())});
        c.cells.resize(columns.size());
        return;
    }
    c.cells.resize(columns.size());
    std::array<RecordCells, 2> records;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& col = columns[i];
        const std::string& cell = c.cells[i];
        if (cell.empty())
            continue;
        RecordCells* r = &records[static_cast<std::size_t>(col.history)];
        switch (col.role) {
        case Role::Unknown:
            c.problem = Message("cli.batch.unknown_column", {shownName(col, i)});
            return;
        case Role::Case:
            if (!validCaseName(cell)) {
                c.problem = Message("cli.batch.bad_case_name", {cell});
                return;
            }
            c.name = cell;
            break;
        case Role::Project:
            c.project = resolve(folder, cell);
            break;
        case Role::File:
            r->file = cell;
            break;
        case Role::Format:
            r->format = cell;
            break;
        case Role::Step:
            r->step = cell;
            break;
        case Role::Workbook:
            r->workbook = cell;
            break;
        case Role::Sheet:
            r->sheet = cell;
            break;
        case Role::Record:
            r->record = cell;
            break;
        case Role::Scale:
            r->scale = cell;
            break;
        case Role::Field: {
            Message problem;
            const std::optional<double> v = ParseFieldValue(*col.field, cell, problem);
            if (!v) {
                c.problem = problem;
                return;
            }
            c.fields.push_back({col.field, *v});
            break;
        }
        }
    }
    if (c.project.empty()) {
        c.problem = Message("cli.batch.no_project");
        return;
    }
    for (int h = 0; h < 2; ++h) {
        const auto k = static_cast<std::size_t>(h);
        if (std::optional<Message> problem =
                readRecord(records[k], h == 0 ? "h" : "v", folder, c.records[k], c.scales[k])) {
            c.problem = std::move(problem);
            return;
        }
    }
}

} // namespace

BatchTable ReadBatchTable(std::string_view text, const std::filesystem::path& folder) {
    const CsvTable csv = ParseCsv(text);
    BatchTable table;
    table.columns = csv.header.cells;
    std::vector<Column> columns;
    bool project = false;
    for (const std::string& name : table.columns) {
        for (const Column& earlier : columns)
            if (!name.empty() && SameColumnName(earlier.name, name))
                throw Error(Message("cli.batch.duplicate_column", {name}));
        columns.push_back(classify(name));
        project = project || columns.back().role == Role::Project;
    }
    if (!project)
        throw Error(Message("cli.batch.no_project_column"));

    std::map<std::string, int> firstRowOfName;
    const std::size_t count = csv.rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        BatchCase c;
        c.index = static_cast<int>(i + 1);
        c.row = csv.rows[i].line;
        c.cells = csv.rows[i].cells;
        readRow(c, columns, folder);
        if (c.name.empty())
            c.name = defaultName(c.index, count);
        // Names are kept unique even on rows that have another problem, so that the results
        // files of two cases can never overwrite each other.
        // Letter case is ignored, as some file systems do.
        std::string key = c.name;
        for (char& ch : key)
            ch = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
        const auto [it, fresh] = firstRowOfName.emplace(key, c.row);
        if (!fresh && !c.problem)
            c.problem = Message("cli.batch.duplicate_case", {c.name, std::to_string(it->second)});
        table.cases.push_back(std::move(c));
    }

    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].role != Role::Unknown)
            continue;
        const bool used = std::any_of(table.cases.begin(), table.cases.end(),
                                      [&](const BatchCase& c) { return !c.cells[i].empty(); });
        if (!used)
            table.remarks.push_back(Message("cli.batch.unused_column", {shownName(columns[i], i)}));
    }
    return table;
}

} // namespace quibel::cli
