#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"cli.placeholder", "", ""},
};
} // namespace

std::span<const TextEntry> cliTexts() { return kTexts; }

} // namespace quibel
