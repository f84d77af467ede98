#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"signals.placeholder", "", ""},
};
} // namespace

std::span<const TextEntry> signalsTexts() { return kTexts; }

} // namespace quibel
