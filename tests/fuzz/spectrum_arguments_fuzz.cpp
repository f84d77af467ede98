// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary words to the spectrum command's arguments (one word per line) and forms the
// period and damping lists they ask for: each must be formed or refused with its message,
// never crash, hang or allocate without bound.
#include "cli/spectrum_arguments.h"
#include "numeric/error.h"
#include "signals/spectrum_parameters.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        result.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto request = quibel::cli::ParseSpectrumArguments(words(text));
        (void)quibel::PeriodList(request.periodSets);
        (void)quibel::DampingList(request.damping);
    } catch (const quibel::cli::SpectrumUsageProblem&) {
    } catch (const quibel::Error&) {
    }
    return 0;
}
