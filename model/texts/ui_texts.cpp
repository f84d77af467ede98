#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"ui.placeholder", "", ""},
};
} // namespace

std::span<const TextEntry> uiTexts() { return kTexts; }

} // namespace quibel
