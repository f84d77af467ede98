// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/history_text_import.h"

#include "numeric/error.h"
#include "signals/input_file.h"
#include "signals/number_stream_reader.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

namespace quibel {

namespace {
void checkTimeStep(HistoryFileFormat format, double timeStep) {
    if (format == HistoryFileFormat::AmplitudesOnly && !(timeStep > 0.0 && std::isfinite(timeStep)))
        throw Error("signals.time_step_not_positive");
}

SignalSamples buildSamples(const std::vector<double>& numbers, HistoryFileFormat format,
                           double timeStep) {
    const std::size_t count =
        format == HistoryFileFormat::TimeAndAmplitude ? numbers.size() / 2 : numbers.size();
    if (count == 0)
        throw Error("signals.invalid_data_file");
    if (count > static_cast<std::size_t>(INT_MAX))
        throw Error("signals.too_many_samples");
    const int n = static_cast<int>(count);
    SignalSamples out{TVector(n), TVector(n)};
    double* times = out.Times.data();
    double* values = out.Values.data();
    if (format == HistoryFileFormat::TimeAndAmplitude) {
        for (std::size_t k = 0; k < count; ++k) {
            times[k] = numbers[2 * k];
            values[k] = numbers[2 * k + 1];
        }
    } else {
        for (std::size_t k = 0; k < count; ++k) {
            times[k] = static_cast<double>(k) * timeStep;
            values[k] = numbers[k];
        }
    }
    return out;
}

SignalSamples finishImport(NumberStreamReader& reader, HistoryFileFormat format, double timeStep) {
    if (!reader.finish())
        throw Error("signals.invalid_data_file");
    std::vector<double> numbers = reader.takeNumbers();
    return buildSamples(numbers, format, timeStep);
}
} // namespace

SignalSamples ImportHistoryText(std::string_view text, HistoryFileFormat format, double timeStep) {
    checkTimeStep(format, timeStep);
    try {
        NumberStreamReader reader;
        reader.feed(text);
        return finishImport(reader, format, timeStep);
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    }
}

SignalSamples ImportHistoryFile(const std::string& path, HistoryFileFormat format,
                                double timeStep) {
    checkTimeStep(format, timeStep);
    const InputFile file = OpenInputFile(path);
    try {
        NumberStreamReader reader;
        std::vector<char> buffer(std::size_t{1} << 20);
        while (true) {
            const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
            // The first token that is not a number decides: the rest need not be read.
            if (got > 0 && !reader.feed(std::string_view(buffer.data(), got)))
                throw Error("signals.invalid_data_file");
            if (got < buffer.size()) {
                if (std::ferror(file.get()))
                    throw Error(Message("signals.cannot_read_file", {path}));
                break;
            }
        }
        return finishImport(reader, format, timeStep);
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    }
}

} // namespace quibel
