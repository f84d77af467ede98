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
};
} // namespace

std::span<const TextEntry> cliTexts() { return kTexts; }

} // namespace quibel
