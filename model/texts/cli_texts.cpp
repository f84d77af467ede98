#include "model/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    {"cli.help.usage", "usage: quibel-cli COMMAND [ARGUMENTS] [--lang en|fr]",
     "utilisation : quibel-cli COMMANDE [ARGUMENTS] [--lang en|fr]"},
    {"cli.help.options",
     "Options: --lang en|fr chooses the language of every text; --help lists the commands.\n"
     "Exit codes: 0 success, 1 usage error, 2 the analysis could not start, 3 a file could not "
     "be read, 4 a file could not be written.",
     "Options : --lang en|fr choisit la langue de tous les textes ; --help liste les commandes.\n"
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
};
} // namespace

std::span<const TextEntry> cliTexts() { return kTexts; }

} // namespace quibel
