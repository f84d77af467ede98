// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/fields.h"

#include "cli/batch/csv.h"
#include "cli/batch/number.h"

#include <cmath>
#include <string>
#include <vector>

namespace quibel::cli {

namespace {

// The record's inputs, then AnalysisKind. A table may not switch the debug file on: parallel
// cases would all write the same file.
std::vector<BatchField> settableFields() {
    std::vector<BatchField> fields;
    for (const RecordField& f : recordFields())
        if (f.origin == FieldOrigin::Input && f.name != "DebugFile")
            fields.push_back({f.name, &f});
    fields.push_back({"AnalysisKind", nullptr});
    return fields;
}

const std::vector<BatchField>& batchFields() {
    static const std::vector<BatchField> fields = settableFields();
    return fields;
}

} // namespace

const BatchField* FindBatchField(std::string_view column) noexcept {
    constexpr std::string_view prefix = "Options.";
    const bool optionOnly =
        column.size() > prefix.size() && SameColumnName(column.substr(0, prefix.size()), prefix);
    if (optionOnly)
        column.remove_prefix(prefix.size());
    for (const BatchField& f : batchFields())
        if (SameColumnName(f.name, column) && (!optionOnly || IsOptionField(f)))
            return &f;
    return nullptr;
}

bool IsOptionField(const BatchField& field) noexcept {
    return field.record && field.record->member.isOption();
}

std::optional<double> ParseFieldValue(const BatchField& field, std::string_view cell,
                                      Message& problem) {
    const std::string name(field.name);
    if (!field.record) { // AnalysisKind
        constexpr std::string_view kinds[] = {"Sliding", "Rocking", "SlidingAndRocking"};
        for (int k = 0; k < 3; ++k)
            if (SameColumnName(cell, kinds[k]))
                return k;
        const std::optional<double> v = ParseFiniteNumber(cell);
        if (v && (*v == 0 || *v == 1 || *v == 2))
            return v;
        problem = Message("cli.batch.bad_analysis_kind", {std::string(cell)});
        return std::nullopt;
    }
    const std::optional<double> v = ParseFiniteNumber(cell);
    if (!v) {
        problem = Message("cli.batch.bad_number", {name, std::string(cell)});
        return std::nullopt;
    }
    const RecordField& f = *field.record;
    if (f.member.isChoice() && *v != std::floor(*v)) {
        problem = Message("cli.batch.not_whole", {name, std::string(cell)});
        return std::nullopt;
    }
    if (*v < f.minimum || *v > f.maximum) {
        problem =
            Message("cli.batch.out_of_range",
                    {name, std::string(cell), ShortestText(f.minimum), ShortestText(f.maximum)});
        return std::nullopt;
    }
    return v;
}

void ApplyField(TBlocStatic& model, const BatchField& field, double value) {
    if (field.record)
        field.record->member.set(model, value);
    else
        model.AnalysisKind = static_cast<AnalysisKind>(static_cast<int>(value));
}

} // namespace quibel::cli
