// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_file.h"

#include "numeric/error.h"
#include "signals/history_text_import.h"
#include "signals/input_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>

namespace quibel {

namespace {
// Intensity measures and processing need one step: the pairs must be equally spaced.
bool equallySpaced(const SignalSamples& s, double dt) {
    if (!(dt >= 1e-6 && dt <= 1.0))
        return false;
    for (int k = 2; k <= s.size(); ++k)
        if (std::abs(s.Times(k) - s.Times(1) - (k - 1) * dt) > 0.01 * dt)
            return false;
    return true;
}

RecordData readPlainText(std::string_view text, const std::string& fileName,
                         const RecordReadOptions& options) {
    const bool amplitudes = options.TimeStep > 0.0;
    const SignalSamples samples = ImportHistoryText(
        text, amplitudes ? HistoryFileFormat::AmplitudesOnly : HistoryFileFormat::TimeAndAmplitude,
        options.TimeStep);
    RecordComponent c;
    c.Units = "g";
    const int n = samples.size();
    c.Dt = amplitudes ? options.TimeStep
                      : (n > 1 ? (samples.Times(n) - samples.Times(1)) / (n - 1) : 0.0);
    if (!equallySpaced(samples, c.Dt))
        throw Error(Message("records.plain_step", {fileName}));
    c.Values.assign(samples.Values.data(), samples.Values.data() + n);
    RecordData data;
    data.Format = amplitudes ? "amplitudes" : "pairs";
    data.Components.push_back(std::move(c));
    return data;
}

RecordData readWith(const RecordReader& reader, const RecordLines& lines,
                    const RecordReadOptions& options) {
    RecordData data = reader.Read(lines, options);
    if (data.Components.empty())
        lines.fail("records.too_few_values", lines.count(), {"1", "0"});
    return data;
}
} // namespace

std::vector<std::string_view> RecordFormatNames() {
    std::vector<std::string_view> names{"auto"};
    for (const RecordReader& r : RecordReaders())
        names.push_back(r.Name);
    names.push_back("pairs");
    names.push_back("amplitudes");
    return names;
}

RecordData ReadRecordText(std::string_view text, const std::string& fileName,
                          const RecordReadOptions& options, std::string_view format) {
    try {
        if (format == "pairs" || format == "amplitudes")
            return readPlainText(text, fileName, format == "pairs" ? RecordReadOptions{} : options);
        const RecordLines lines(text, fileName);
        const auto readers = RecordReaders();
        if (format == "auto") {
            for (const RecordReader& r : readers)
                if (r.Recognises(lines))
                    return readWith(r, lines, options);
            return readPlainText(text, fileName, options);
        }
        const auto it = std::find_if(readers.begin(), readers.end(),
                                     [&](const RecordReader& r) { return r.Name == format; });
        if (it == readers.end())
            throw Error(Message("records.unknown_format", {std::string(format)}));
        return readWith(*it, lines, options);
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    }
}

RecordData ReadRecordFile(const std::string& path, const RecordReadOptions& options,
                          std::string_view format) {
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size > kMaxRecordFileSize)
        throw Error(Message("records.file_too_large", {path}));
    const InputFile file = OpenInputFile(path);
    std::string text;
    char buffer[1 << 16];
    while (true) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (text.size() + got > kMaxRecordFileSize)
            throw Error(Message("records.file_too_large", {path}));
        text.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()))
                throw Error(Message("signals.cannot_read_file", {path}));
            break;
        }
    }
    return ReadRecordText(text, path, options, format);
}

} // namespace quibel
