#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"engine.placeholder", "", ""},
};
} // namespace

std::span<const TextEntry> engineTexts() { return kTexts; }

} // namespace quibel
