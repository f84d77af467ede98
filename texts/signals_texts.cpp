// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"signals.generated_function", "Generated Function", "Generated Function"},
    {"signals.invalid_data_file", "Invalid data file!", "Fichier de données invalide!"},
    {"signals.time_step_not_positive",
     "The time step must be greater than zero for a file of amplitude values only.",
     "Le pas de temps doit être supérieur à zéro pour un fichier de valeurs d'amplitudes "
     "seulement."},
    {"signals.too_many_samples", "The file holds too many samples.",
     "Le fichier contient trop de valeurs."},
    {"signals.cannot_open_file", "Cannot open the file \"%1\": %2",
     "Impossible d'ouvrir le fichier \"%1\" : %2"},
    {"signals.cannot_read_file", "Cannot read the file \"%1\".",
     "Impossible de lire le fichier \"%1\"."},
    {"signals.cannot_write_file", "Cannot write the file \"%1\": %2",
     "Impossible d'écrire le fichier \"%1\" : %2"},
    {"signals.spectrum_no_time_step",
     "The time history needs at least two samples at increasing times.",
     "L'historique doit compter au moins deux valeurs à des temps croissants."},
    {"signals.spectrum_no_periods",
     "No period to analyse: Set #1 has a zero value or every set ends before it starts.",
     "Aucune période à analyser : la série #1 contient une valeur nulle ou chaque série termine "
     "avant de débuter."},
    {"signals.spectrum_no_damping",
     "No damping ratio to analyse: the damping range ends before it starts.",
     "Aucun amortissement à analyser : la plage d'amortissement termine avant de débuter."},
    {"signals.spectrum_negative_increment", "The increment of Set #%1 must be positive.",
     "L'incrément de la série #%1 doit être positif."},
    {"signals.spectrum_period_range",
     "The start and end of Set #%1 must lie between 0.00001 and 100 sec.",
     "Le début et la fin de la série #%1 doivent être compris entre 0.00001 et 100 sec."},
    {"signals.spectrum_period_not_positive", "Every period must be greater than zero.",
     "Chaque période doit être supérieure à zéro."},
    {"signals.spectrum_too_many_periods",
     "Too many periods: at most 10000 can be analysed; use a larger increment.",
     "Trop de périodes : au plus 10000 peuvent être analysées; utilisez un incrément plus grand."},
    {"signals.spectrum_damping_increment", "The damping increment must be positive.",
     "L'incrément d'amortissement doit être positif."},
    {"signals.spectrum_damping_range",
     "Damping ratios must lie between 0.0001 and 0.9999 of critical.",
     "Les fractions d'amortissement doivent être comprises entre 0.0001 et 0.9999 du critique."},
    {"signals.spectrum_too_many_dampings",
     "Too many damping ratios: at most 1000 can be analysed; use a larger increment.",
     "Trop de fractions d'amortissement : au plus 1000 peuvent être analysées; utilisez un "
     "incrément plus grand."},
    {"signals.spectrum_no_such_damping", "This damping ratio was not analysed.",
     "Cette fraction d'amortissement n'a pas été analysée."},
    {"signals.spectrum_file.sd_legend", "Sd = Relative displacement spectra",
     "Sd = Spectre de déplacement relatif"},
    {"signals.spectrum_file.sv_legend", "Sv = Relative velocity spectra",
     "Sv = Spectre de vitesse relative"},
    {"signals.spectrum_file.sa_legend", "Sa = Absolute acceleration spectra",
     "Sa = Spectre d'accélération absolue"},
    {"signals.spectrum_file.damping_ratio", " Damping Ratio = %1 of critical",
     " Fraction d'amortissement = %1 du critique"},
    {"signals.spectrum_file.columns", "Period         Sd            Sv           Sa",
     "Période        Sd            Sv           Sa"},
    {"signals.spectrum_file.units_mm", "(sec.)         (mm)          (mm/s)       (mm/s^2)",
     "(sec.)         (mm)          (mm/s)       (mm/s^2)"},
    {"signals.spectrum_file.units_m", "(sec.)         (m)           (m/s)        (m/s^2)",
     "(sec.)         (m)           (m/s)        (m/s^2)"},
    {"signals.spectrum_file.units_in", "(sec.)         (in)          (in/s)       (in/s^2)",
     "(sec.)         (pouce)       (pouce/s)    (pouce/s^2)"},
    {"signals.spectrum_file.units_ft", "(sec.)         (ft)          (ft/s)       (ft/s^2)",
     "(sec.)         (pied)        (pied/s)     (pied/s^2)"},
    {"signals.spectrum_file.rule", "-------------  ------------- ------------ ------------",
     "-------------  ------------- ------------ ------------"},
    {"signals.spectrum_file.maximums", "MAXIMUMS:      ", "MAXIMUMS:      "},
    {"signals.spectrum_cli.usage",
     "usage: quibel-cli spectrum PROJECT.qbl --history 0|1 [--periods S:E:I[,S:E:I...]] [--damping "
     "S:E:I] [--ratio X] [-o FILE.txt]",
     "utilisation : quibel-cli spectrum PROJET.qbl --history 0|1 [--periods D:F:I[,D:F:I...]] "
     "[--damping D:F:I] [--ratio X] [-o FICHIER.txt]"},
    {"signals.spectrum_cli.unknown_option", "Unknown option \"%1\".", "Option inconnue \"%1\"."},
    {"signals.spectrum_cli.missing_value", "The option %1 needs a value.",
     "L'option %1 demande une valeur."},
    {"signals.spectrum_cli.extra_argument", "Unexpected argument \"%1\".",
     "Argument inattendu \"%1\"."},
    {"signals.spectrum_cli.missing_project", "No project file given.",
     "Aucun fichier de projet indiqué."},
    {"signals.spectrum_cli.missing_history",
     "Choose the history with --history 0 (horizontal base acceleration) or 1 (vertical base "
     "acceleration).",
     "Choisissez l'historique avec --history 0 (accélération horizontale à la base) ou 1 "
     "(accélération verticale à la base)."},
    {"signals.spectrum_cli.bad_history",
     "\"%1\" is not a history: use 0 (horizontal base acceleration) or 1 (vertical base "
     "acceleration).",
     "\"%1\" n'est pas un historique : utilisez 0 (accélération horizontale à la base) ou 1 "
     "(accélération verticale à la base)."},
    {"signals.spectrum_cli.force_history",
     "History %1 is a force history: response spectra are computed for the base accelerations (0 "
     "and 1) only.",
     "L'historique %1 est un historique de force : la réponse spectrale se calcule pour les "
     "accélérations à la base (0 et 1) seulement."},
    {"signals.spectrum_cli.undefined_history", "History %1 is not defined in this project.",
     "L'historique %1 n'est pas défini dans ce projet."},
    {"signals.spectrum_cli.no_active_term",
     "History %1 is generated but has no active term: there is no signal to analyse.",
     "L'historique %1 est généré mais n'a aucun terme actif : il n'y a aucun signal à analyser."},
    {"signals.spectrum_cli.no_samples", "History %1 has no samples to analyse.",
     "L'historique %1 n'a aucune valeur à analyser."},
    {"signals.spectrum_cli.bad_range", "\"%1\" is not a range START:END:INCREMENT of numbers.",
     "\"%1\" n'est pas une plage DÉBUT:FIN:INCRÉMENT de nombres."},
    {"signals.spectrum_cli.too_many_sets", "At most four period sets can be given.",
     "Au plus quatre séries de périodes peuvent être indiquées."},
    {"signals.spectrum_cli.bad_number", "\"%1\" is not a number.", "\"%1\" n'est pas un nombre."},
    {"signals.spectrum_cli.ratio_not_in_list",
     "The damping ratio %1 is not in the damping list (%2).",
     "La fraction d'amortissement %1 n'est pas dans la liste des amortissements (%2)."},
    // earthquake database
    {"signals.workbook_not_found", "The earthquake database \"%1\" was not found.",
     "La base de données de séismes \"%1\" est introuvable."},
    {"signals.workbook_unreadable",
     "The earthquake database \"%1\" is not a readable .xls workbook (error %2).",
     "La base de données de séismes \"%1\" n'est pas un classeur .xls lisible (erreur %2)."},
    {"signals.database_no_record", "Worksheet \"%1\" has no record in column %2.",
     "La feuille \"%1\" ne contient aucun historique dans la colonne %2."},
    {"signals.database_bad_count",
     "Worksheet \"%1\", cell %2: the number of samples must be a whole number of at least 1.",
     "Feuille \"%1\", cellule %2 : le nombre de valeurs doit être un entier d'au moins 1."},
    {"signals.database_bad_step",
     "Worksheet \"%1\", cell %2: the time step must be a number greater than zero.",
     "Feuille \"%1\", cellule %2 : le pas de temps doit être un nombre supérieur à zéro."},
    {"signals.database_bad_sample", "Worksheet \"%1\", cell %2 cannot be read as a number.",
     "Feuille \"%1\", la cellule %2 ne peut pas être lue comme un nombre."},
};
} // namespace

std::span<const TextEntry> signalsTexts() {
    return kTexts;
}

} // namespace quibel
