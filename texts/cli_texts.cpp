// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"cli.help.usage", "usage: quibel-cli COMMAND [ARGUMENTS] [--lang en|fr]",
     "utilisation : quibel-cli COMMANDE [ARGUMENTS] [--lang en|fr]"},
    {"cli.version",
     "quibel-cli %1\n"
     "Licence GPL-3.0-or-later: GNU GPL version 3 or later "
     "<https://www.gnu.org/licenses/gpl.html>.\n"
     "This is free software: you are free to change and redistribute it. There is NO WARRANTY, "
     "to the extent permitted by law.",
     "quibel-cli %1\n"
     "Licence GPL-3.0-or-later : GNU GPL version 3 ou ultérieure "
     "<https://www.gnu.org/licenses/gpl.html>.\n"
     "Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer. Il n'y a "
     "AUCUNE GARANTIE, dans les limites permises par la loi."},
    {"cli.help.options",
     "Options: --lang en|fr chooses the language of every text; --help lists the commands; "
     "--version prints the version and the licence.\n"
     "Exit codes: 0 success, 1 usage error, 2 the analysis could not start, 3 a file could not "
     "be read, 4 a file could not be written.",
     "Options : --lang en|fr choisit la langue de tous les textes ; --help liste les commandes ; "
     "--version affiche la version et la licence.\n"
     "Codes de sortie : 0 succès, 1 erreur d'utilisation, 2 l'analyse n'a pas pu démarrer, "
     "3 un fichier n'a pas pu être lu, 4 un fichier n'a pas pu être écrit."},
    {"cli.help.info", "info PROJECT.qbl                  print the model as JSON",
     "info PROJET.qbl                   affiche le modèle en JSON"},
    {"cli.help.convert",
     "convert IN.qbl OUT.qbl [--units 0|1|2|3]   change the unit system and save a copy",
     "convert ENTRÉE.qbl SORTIE.qbl [--units 0|1|2|3]   change le système d'unités et "
     "enregistre une copie"},
    {"cli.help.spectrum",
     "spectrum PROJECT.qbl --history 0|1 [--periods S:E:I[,...]] [--damping S:E:I] [--ratio X] "
     "[-o FILE.txt]   response spectra of a base acceleration",
     "spectrum PROJET.qbl --history 0|1 [--periods D:F:I[,...]] [--damping D:F:I] [--ratio X] "
     "[-o FICHIER.txt]   spectres de réponse d'une accélération de base"},
    {"cli.help.report", "report PROJECT.qbl                print the computed-data report",
     "report PROJET.qbl                 affiche le rapport des paramètres calculés"},
    {"cli.usage.report", "usage: quibel-cli report PROJECT.qbl",
     "utilisation : quibel-cli report PROJET.qbl"},
    {"cli.usage.info", "usage: quibel-cli info PROJECT.qbl",
     "utilisation : quibel-cli info PROJET.qbl"},
    {"cli.usage.convert", "usage: quibel-cli convert IN.qbl OUT.qbl [--units 0|1|2|3]",
     "utilisation : quibel-cli convert ENTRÉE.qbl SORTIE.qbl [--units 0|1|2|3]"},
    {"cli.unknown_command", "Unknown command: %1", "Commande inconnue : %1"},
    {"cli.bad_language", "--lang takes en or fr", "--lang prend en ou fr"},
    // run command
    {"cli.help.run",
     "run PROJECT.qbl [-o RESULTS.csv] [--precision grid|full] [--on-question continue|stop] "
     "[--debug]   run the analysis and write its result grid",
     "run PROJET.qbl [-o RÉSULTATS.csv] [--precision grid|full] [--on-question continue|stop] "
     "[--debug]   lance l'analyse et écrit sa feuille de résultats"},
    {"cli.usage.run",
     "usage: quibel-cli run PROJECT.qbl [-o RESULTS.csv] [--precision grid|full] "
     "[--on-question continue|stop] [--debug]",
     "utilisation : quibel-cli run PROJET.qbl [-o RÉSULTATS.csv] [--precision grid|full] "
     "[--on-question continue|stop] [--debug]"},
    {"cli.run.warning", "Warning: %1", "Avertissement : %1"},
    {"cli.run.question", "Question: %1\nAnswer: %2", "Question : %1\nRéponse : %2"},
    {"cli.run.answer_continue", "continue", "continuer"},
    {"cli.run.answer_stop", "stop", "arrêter"},
    {"cli.run.progress", "Progress: %1 %%, time %2 sec", "Progression : %1 %%, temps %2 sec"},
    {"cli.run.stopped",
     "The analysis was stopped; the results hold the %1 samples computed so far.",
     "L'analyse a été arrêtée ; les résultats contiennent les %1 valeurs calculées jusque-là."},
    {"cli.run.interrupted",
     "The analysis was interrupted (Ctrl+C); the results hold the %1 samples computed so far.",
     "L'analyse a été interrompue (Ctrl+C) ; les résultats contiennent les %1 valeurs calculées "
     "jusque-là."},
    // batch
    {"cli.help.batch",
     "batch CASES.csv [-o SUMMARY.csv] [--jobs N] [--results-dir DIR] [--reports DIR] "
     "[--shard I/N] [--on-question continue|stop] [--precision grid|full]   run a table of "
     "cases in parallel and write their summary",
     "batch CAS.csv [-o RÉSUMÉ.csv] [--jobs N] [--results-dir DOSSIER] [--reports DOSSIER] "
     "[--shard I/N] [--on-question continue|stop] [--precision grid|full]   lance une table de "
     "cas en parallèle et écrit leur résumé"},
    {"cli.help.batch_merge",
     "batch-merge SUMMARY-1.csv SUMMARY-2.csv ... [-o SUMMARY.csv] [--partial]   merge the "
     "summaries of the shards of a study",
     "batch-merge RÉSUMÉ-1.csv RÉSUMÉ-2.csv ... [-o RÉSUMÉ.csv] [--partial]   réunit les "
     "résumés des parties d'une étude"},
    {"cli.usage.batch",
     "usage: quibel-cli batch CASES.csv [-o SUMMARY.csv] [--jobs N] [--results-dir DIR] "
     "[--reports DIR] [--shard I/N] [--on-question continue|stop] [--precision grid|full]",
     "utilisation : quibel-cli batch CAS.csv [-o RÉSUMÉ.csv] [--jobs N] [--results-dir DOSSIER] "
     "[--reports DOSSIER] [--shard I/N] [--on-question continue|stop] [--precision grid|full]"},
    {"cli.usage.batch_merge",
     "usage: quibel-cli batch-merge SUMMARY-1.csv SUMMARY-2.csv ... [-o SUMMARY.csv] [--partial]",
     "utilisation : quibel-cli batch-merge RÉSUMÉ-1.csv RÉSUMÉ-2.csv ... [-o RÉSUMÉ.csv] "
     "[--partial]"},
    {"cli.batch.cannot_read", "Unable to read %1: %2", "Impossible de lire %1 : %2"},
    {"cli.batch.bad_table", "%1 is not a case table: %2", "%1 n'est pas une table de cas : %2"},
    {"cli.batch.unclosed_quote", "the quote opened in row %1 is never closed.",
     "le guillemet ouvert à la ligne %1 n'est jamais fermé."},
    {"cli.batch.no_project_column", "it has no project column.",
     "elle n'a pas de colonne project."},
    {"cli.batch.duplicate_column", "the column %1 appears twice.",
     "la colonne %1 apparaît deux fois."},
    {"cli.batch.unused_column", "the column %1 means nothing in a case table and is empty.",
     "la colonne %1 n'a pas de sens dans une table de cas et elle est vide."},
    {"cli.batch.row_failed", "Row %1 (%2): %3", "Ligne %1 (%2) : %3"},
    {"cli.batch.unknown_column",
     "the column %1 is neither a column of a case table nor a field of the model.",
     "la colonne %1 n'est ni une colonne d'une table de cas ni un champ du modèle."},
    {"cli.batch.too_many_cells", "the row has %1 cells but the header only %2.",
     "la ligne a %1 cellules mais l'en-tête seulement %2."},
    {"cli.batch.no_project", "no project file is given.", "aucun fichier de projet n'est donné."},
    {"cli.batch.bad_case_name",
     "the case name \"%1\" may hold only letters, digits, \"-\", \"_\" and \".\" (not first), "
     "at most 64 characters.",
     "le nom de cas « %1 » ne peut contenir que des lettres, des chiffres, « - », « _ » et « . » "
     "(pas en premier), 64 caractères au plus."},
    {"cli.batch.duplicate_case", "the case name %1 is already used in row %2.",
     "le nom de cas %1 est déjà utilisé à la ligne %2."},
    {"cli.batch.bad_number", "%1 = \"%2\" is not a number (write it with \".\").",
     "%1 = « %2 » n'est pas un nombre (écrivez-le avec « . »)."},
    {"cli.batch.not_whole", "%1 = %2 must be a whole number, the index of a choice.",
     "%1 = %2 doit être un nombre entier, l'indice d'un choix."},
    {"cli.batch.out_of_range", "%1 = %2 lies outside %3 to %4.",
     "%1 = %2 est hors de l'intervalle %3 à %4."},
    {"cli.batch.bad_analysis_kind",
     "AnalysisKind = \"%1\" must be 0, 1, 2, Sliding, Rocking or SlidingAndRocking.",
     "AnalysisKind = « %1 » doit valoir 0, 1, 2, Sliding, Rocking ou SlidingAndRocking."},
    {"cli.batch.two_records", "%1 and %2 cannot both give the record.",
     "%1 et %2 ne peuvent pas donner tous deux l'enregistrement."},
    {"cli.batch.needs_file", "%1 is given without %2.", "%1 est donné sans %2."},
    {"cli.batch.bad_format", "%1 = \"%2\" must be pairs or amplitudes.",
     "%1 = « %2 » doit valoir pairs ou amplitudes."},
    {"cli.batch.needs_step", "amplitudes need %1, their time step (s).",
     "les amplitudes seules demandent %1, leur pas de temps (s)."},
    {"cli.batch.bad_step", "%1 = \"%2\" is not a time step greater than 0 (s).",
     "%1 = « %2 » n'est pas un pas de temps supérieur à 0 (s)."},
    {"cli.batch.step_without_amplitudes", "%1 applies only to the format amplitudes.",
     "%1 ne s'applique qu'au format amplitudes."},
    {"cli.batch.incomplete_database", "a database record needs %1, %2 and %3.",
     "un enregistrement de la base de données demande %1, %2 et %3."},
    {"cli.batch.no_sheet", "the workbook %2 has no worksheet named %1.",
     "le classeur %2 n'a pas de feuille nommée %1."},
    {"cli.batch.no_record", "the worksheet %2 of %3 has no record titled %1.",
     "la feuille %2 de %3 n'a pas d'enregistrement intitulé %1."},
    {"cli.batch.unexpected", "the case failed: %1", "le cas a échoué : %1"},
    {"cli.batch.progress", "Cases: %1/%2 done, %3 failed, about %4 s left",
     "Cas : %1/%2 terminés, %3 en échec, environ %4 s restantes"},
    {"cli.merge.not_summary", "%1 is not a summary of quibel-cli batch.",
     "%1 n'est pas un résumé de quibel-cli batch."},
    {"cli.merge.other_header", "%1 does not have the columns of %2.",
     "%1 n'a pas les colonnes de %2."},
    {"cli.merge.other_count", "%1 does not come from the case table of %2.",
     "%1 ne vient pas de la table de cas de %2."},
    {"cli.merge.twice", "case %1 is in %2 and in %3.", "le cas %1 est dans %2 et dans %3."},
    {"cli.merge.missing", "%1 cases are in no summary: %2",
     "%1 cas ne sont dans aucun résumé : %2"},
};
} // namespace

std::span<const TextEntry> cliTexts() {
    return kTexts;
}

} // namespace quibel
