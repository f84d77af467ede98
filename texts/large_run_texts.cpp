// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
// Long runs in the desktop program: the memory warning before a run, the progress of long
// exports and loads.
constexpr TextEntry kTexts[] = {
    {"large.memory_warning",
     "The results of this analysis will take about %1 MB of memory (%2 samples of %3 series).\n"
     "A save step of %4 s or more keeps them under %5 MB (Options, save step).\n"
     "Go on with the analysis?",
     "Les résultats de ce calcul occuperont environ %1 Mo de mémoire (%2 valeurs de %3 séries).\n"
     "Un pas d'enregistrement de %4 s ou plus les maintient sous %5 Mo (Options, pas "
     "d'enregistrement).\n"
     "Poursuivre le calcul ?"},
    {"large.export_progress", "Writing %1...", "Écriture de %1..."},
    {"large.export_cancel", "Cancel", "Annuler"},
    {"large.workbook_too_long",
     "The results have %1 rows; a worksheet holds at most %2.\n"
     "Export them as a CSV file instead (File, Export to file, CSV).",
     "Les résultats comptent %1 lignes ; une feuille de calcul en contient au plus %2.\n"
     "Exportez-les plutôt en fichier CSV (Fichier, Exporter dans un fichier, CSV)."},
    {"large.loading_record", "Reading %1...", "Lecture de %1..."},
    {"large.preparing_sheet", "Preparing the spreadsheet...",
     "Préparation de la feuille de données..."},
    {"large.print", "&Print...", "&Imprimer..."},
    {"large.compare_menu", "&Compare", "&Comparer"},
    {"large.compare_clear", "Chosen series alone", "Série choisie seule"},
    {"large.animation_speed", "Speed:", "Vitesse :"},
    {"large.animation_time", "t = %1 s", "t = %1 s"},
};
} // namespace

std::span<const TextEntry> largeRunTexts() {
    return kTexts;
}

} // namespace quibel
