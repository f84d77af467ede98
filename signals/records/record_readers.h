// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_data.h"
#include "signals/records/record_lines.h"

#include <span>
#include <string_view>

namespace quibel {

/// What a reader needs beyond the file: a time step for the files that do not state one (a
/// CSV of accelerations only, the amplitudes-only text), 0 when the user gave none.
struct RecordReadOptions final {
    double TimeStep = 0.0;
};

/// One agency format: how to recognise a file of it from its first lines, and how to read it.
/// Read throws Error naming the file and the line of the first fault; it never returns part
/// of a record.
struct RecordReader final {
    std::string_view Name;
    bool (*Recognises)(const RecordLines& lines);
    RecordData (*Read)(const RecordLines& lines, const RecordReadOptions& options);
};

/// Every reader, in the order auto-detection tries them (the most specific first).
std::span<const RecordReader> RecordReaders();

// The readers, each in its own file.
bool RecognisesAt2(const RecordLines& lines);
RecordData ReadAt2(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesCosmos(const RecordLines& lines);
RecordData ReadCosmos(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesDmg(const RecordLines& lines);
RecordData ReadDmg(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesGeoNet(const RecordLines& lines);
RecordData ReadGeoNet(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesNied(const RecordLines& lines);
RecordData ReadNied(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesEsm(const RecordLines& lines);
RecordData ReadEsm(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesSmc(const RecordLines& lines);
RecordData ReadSmc(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesCwb(const RecordLines& lines);
RecordData ReadCwb(const RecordLines& lines, const RecordReadOptions& options);
bool RecognisesCsv(const RecordLines& lines);
RecordData ReadCsv(const RecordLines& lines, const RecordReadOptions& options);

/// Fails unless values holds exactly `expected` samples (the header's count).
void CheckValueCount(const RecordLines& lines, std::size_t countLine, std::size_t expected,
                     std::size_t got);

} // namespace quibel
