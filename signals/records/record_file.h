// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_readers.h"

#include <string>
#include <string_view>

namespace quibel {

/// The largest record file read (bytes): thirty times the largest agency file seen, room for
/// a record of millions of samples, and far less than the memory of any machine the program
/// runs on.
inline constexpr std::size_t kMaxRecordFileSize = std::size_t{64} << 20;

/// Reads a record from the text of a file: with the reader named `format`, or with the first
/// reader that recognises the text when format is "auto". A text no reader recognises is
/// read as the time-and-value pairs of the plain text import ("pairs"), or as amplitudes only
/// ("amplitudes") when options give a time step. fileName only goes into messages.
/// Throws Error("records.unknown_format", {format}) for a name no reader has, and the
/// reader's Error (naming the file and line) when the text is malformed.
RecordData ReadRecordText(std::string_view text, const std::string& fileName,
                          const RecordReadOptions& options = {}, std::string_view format = "auto");

/// The same for the file at path. Throws in addition Error("signals.cannot_open_file"),
/// Error("signals.cannot_read_file") and Error("records.file_too_large", {path}).
RecordData ReadRecordFile(const std::string& path, const RecordReadOptions& options = {},
                          std::string_view format = "auto");

/// The names ReadRecordText accepts as format, "auto" first.
std::vector<std::string_view> RecordFormatNames();

} // namespace quibel
