// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"numeric.vector_dimension", "vector dimension zero or negative",
     "vector dimension zero or negative"},
    {"numeric.out_of_memory", "not enough memory on heap", "not enough memory on heap"},
    {"numeric.vector_dimensions_differ", "vectors have different dimensions",
     "vectors have different dimensions"},
    {"numeric.matrix_dimension", "array dimensions zero or negative",
     "array dimensions zero or negative"},
    {"file.unable_to_read", "Unable to read file.", "Impossible de lire correctement le fichier."},
    {"file.unable_to_write", "Unable to write file %1: %2",
     "Impossible d'écrire le fichier %1 : %2"},
};
} // namespace

std::span<const TextEntry> modelTexts() {
    return kTexts;
}

} // namespace quibel
