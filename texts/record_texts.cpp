#include "texts/text_catalogue.h"

namespace quibel {

namespace {
// Ground-motion records in agency formats: their readers, processing and the record command.
constexpr TextEntry kTexts[] = {
    {"records.truncated", "%1, line %2: the file ends inside its header.",
     "%1, ligne %2 : le fichier se termine dans son en-tête."},
    {"records.bad_number", "%1, line %2: \"%3\" is not a number.",
     "%1, ligne %2 : « %3 » n'est pas un nombre."},
    {"records.missing_field", "%1, line %2: \"%3\" is missing or unreadable.",
     "%1, ligne %2 : « %3 » est absent ou illisible."},
    {"records.too_few_values", "%1, line %2: %3 values were expected, the file holds %4.",
     "%1, ligne %2 : %3 valeurs étaient attendues, le fichier en contient %4."},
    {"records.not_acceleration", "%1, line %2: \"%3\" is not an acceleration in a known unit.",
     "%1, ligne %2 : « %3 » n'est pas une accélération dans une unité connue."},
    {"records.bad_time_step", "%1, line %2: the time step %3 s is not between 0.000001 and 1 s.",
     "%1, ligne %2 : le pas de temps %3 s n'est pas compris entre 0.000001 et 1 s."},
    {"records.bad_count", "%1, line %2: %3 is not a sample count this file can hold.",
     "%1, ligne %2 : %3 n'est pas un nombre de valeurs que ce fichier peut contenir."},
    {"records.count_contradiction", "%1, line %2: the header states %3 samples, the data hold %4.",
     "%1, ligne %2 : l'en-tête annonce %3 valeurs, les données en contiennent %4."},
    {"records.orientation_contradiction",
     "%1, line %2: the orientation code %3 contradicts the channel's heading \"%4\".",
     "%1, ligne %2 : le code d'orientation %3 contredit l'en-tête du canal « %4 »."},
    {"records.hemisphere_contradiction",
     "%1, line %2: the latitude \"%3\" contradicts the hemisphere of the numeric header.",
     "%1, ligne %2 : la latitude « %3 » contredit l'hémisphère de l'en-tête numérique."},
    {"records.time_contradiction", "%1, line %2: the time %3 s should be %4 s.",
     "%1, ligne %2 : le temps %3 s devrait être %4 s."},
    {"records.row_width", "%1, line %2: %3 columns were expected, the row has %4.",
     "%1, ligne %2 : %3 colonnes étaient attendues, la rangée en compte %4."},
    {"records.uneven_time", "%1, line %2: the times are not equally spaced.",
     "%1, ligne %2 : les temps ne sont pas également espacés."},
    {"records.cosmos_step_contradicted",
     "%1, line %2: the time step %3 s contradicts %4 samples over %5 s; %6 s is used.",
     "%1, ligne %2 : le pas de temps %3 s contredit %4 valeurs sur %5 s; %6 s est utilisé."},
    {"records.mean_removed", "The mean of the record (%1 g) was removed.",
     "La moyenne de l'enregistrement (%1 g) a été retirée."},
    {"records.plain_step",
     "%1: the samples are not equally spaced at a step between 0.000001 and 1 s.",
     "%1 : les valeurs ne sont pas également espacées d'un pas compris entre 0.000001 et 1 s."},
    {"records.unknown_format", "\"%1\" is not a record format.",
     "« %1 » n'est pas un format d'enregistrement."},
    {"records.file_too_large", "The file \"%1\" is too large for a record.",
     "Le fichier « %1 » est trop volumineux pour un enregistrement."},
    {"records.bad_processing", "The option %1 does not fit this record.",
     "L'option %1 ne convient pas à cet enregistrement."},
    {"records.bad_band",
     "The band-pass needs an order of 1 to 8 and corners 0 < low < high < half the sampling "
     "rate.",
     "Le passe-bande demande un ordre de 1 à 8 et des fréquences 0 < basse < haute < la moitié "
     "de la fréquence d'échantillonnage."},
    // record command
    {"cli.help.record",
     "record info|convert FILE [-o OUT.txt] [--component N] [--format NAME] [--dt S] "
     "[--detrend 0..3] [--taper S] [--bandpass ORDER:LOW:HIGH] [--trim FROM:TO] [--resample DT] "
     "[--scale-pga G] [--scale-sa T:XI:SA]   describe an agency record as JSON, or write it as "
     "time/value pairs in g",
     "record info|convert FICHIER [-o SORTIE.txt] [--component N] [--format NOM] [--dt S] "
     "[--detrend 0..3] [--taper S] [--bandpass ORDRE:BASSE:HAUTE] [--trim DE:À] [--resample DT] "
     "[--scale-pga G] [--scale-sa T:XI:SA]   décrit un enregistrement d'agence en JSON, ou "
     "l'écrit en paires temps/valeur en g"},
    {"records.cli.usage",
     "usage: quibel-cli record info FILE [--component N] [options] | record convert FILE -o "
     "OUT.txt [--component N] [options]",
     "utilisation : quibel-cli record info FICHIER [--component N] [options] | record convert "
     "FICHIER -o SORTIE.txt [--component N] [options]"},
    {"records.cli.missing_subcommand", "record takes info or convert.",
     "record prend info ou convert."},
    {"records.cli.missing_file", "The record file is missing.",
     "Le fichier d'enregistrement est absent."},
    {"records.cli.missing_output", "convert needs -o OUT.txt.", "convert demande -o SORTIE.txt."},
    {"records.cli.unknown_option", "Unknown option \"%1\".", "Option inconnue « %1 »."},
    {"records.cli.missing_value", "The option %1 needs a value.",
     "L'option %1 demande une valeur."},
    {"records.cli.extra_argument", "Unexpected argument \"%1\".", "Argument inattendu « %1 »."},
    {"records.cli.bad_number", "\"%1\" is not a number.", "« %1 » n'est pas un nombre."},
    {"records.cli.bad_list", "\"%1\" does not give the numbers the option takes.",
     "« %1 » ne donne pas les nombres que l'option prend."},
    {"records.cli.bad_component", "There is no component %1: the file holds %2.",
     "Il n'y a pas de composante %1 : le fichier en contient %2."},
};
} // namespace

std::span<const TextEntry> recordTexts() {
    return kTexts;
}

} // namespace quibel
