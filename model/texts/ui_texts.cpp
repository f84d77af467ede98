#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"ui.placeholder", "", ""},
    // dam section drawing
    {"ui.dam_section.force_history", "F(t)", "F(t)"},
};
} // namespace

std::span<const TextEntry> uiTexts() { return kTexts; }

} // namespace quibel
