// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
// The desktop program's conveniences: help from every window, cancelling the spectra.
constexpr TextEntry kTexts[] = {
    {"desktop.records.help", "Help", "Aide"},
    {"desktop.spectrum.cancel", "Cancel analysis", "Annuler l'analyse"},
    {"desktop.spectrum.cancelled", "The spectrum analysis was cancelled.",
     "L'analyse des spectres a été annulée."},
};
} // namespace

std::span<const TextEntry> desktopTexts() {
    return kTexts;
}

} // namespace quibel
