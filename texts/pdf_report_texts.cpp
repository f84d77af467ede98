// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
// The analysis report (PDF and print) and the commands that make it.
constexpr TextEntry kTexts[] = {
    {"pdf.title", "Analysis report", "Rapport d'analyse"},
    {"pdf.untitled", "(untitled project)", "(projet sans nom)"},
    {"pdf.page", "Page %1 of %2", "Page %1 de %2"},
    {"pdf.title.project", "Project file", "Fichier du projet"},
    {"pdf.title.date", "Date", "Date"},
    {"pdf.title.program", "Program", "Logiciel"},
    {"pdf.title.kind", "Analysis", "Analyse"},
    {"pdf.title.units", "Unit system", "Système d'unités"},
    {"pdf.model", "1. The model", "1. Le modèle"},
    {"pdf.model.drawing", "Dam section with the added forces and masses",
     "Section du barrage avec les forces et masses ajoutées"},
    {"pdf.model.options", "Analysis options", "Options d'analyse"},
    {"pdf.records", "2. Input records", "2. Enregistrements d'entrée"},
    {"pdf.records.none", "No time history is defined.", "Aucun historique n'est défini."},
    {"pdf.records.title", "Title", "Titre"},
    {"pdf.records.source", "Defined by", "Défini par"},
    {"pdf.records.sampled", "samples", "échantillons"},
    {"pdf.records.generated", "generated function", "fonction générée"},
    {"pdf.records.n", "Number of values n", "Nombre de valeurs n"},
    {"pdf.records.dt", "Time step dt", "Pas de temps dt"},
    {"pdf.records.uneven", "uneven", "irrégulier"},
    {"pdf.records.duration", "Duration", "Durée"},
    {"pdf.records.scale", "Scale factor", "Facteur d'échelle"},
    {"pdf.records.offset", "Offset applied", "Décalage appliqué"},
    {"pdf.records.point", "Point of application", "Point d'application"},
    {"pdf.records.peak", "Peak: %1 at %2 s.", "Valeur de pointe : %1 à %2 s."},
    {"pdf.records.at", "at %1 s", "à %1 s"},
    {"pdf.records.spectrum", "5 % response spectrum: %1", "Spectre de réponse à 5 % : %1"},
    {"pdf.axis.time", "Time (s)", "Temps (s)"},
    {"pdf.axis.period", "Period (s)", "Période (s)"},
    {"pdf.measure.pga", "Peak ground acceleration PGA", "Accélération maximale du sol PGA"},
    {"pdf.measure.pgv", "Peak ground velocity PGV", "Vitesse maximale du sol PGV"},
    {"pdf.measure.pgd", "Peak ground displacement PGD", "Déplacement maximal du sol PGD"},
    {"pdf.measure.arias", "Arias intensity", "Intensité d'Arias"},
    {"pdf.measure.cav", "Cumulative absolute velocity CAV", "Vitesse absolue cumulée CAV"},
    {"pdf.measure.d5_95", "Significant duration D5-95", "Durée significative D5-95"},
    {"pdf.measure.d5_75", "Significant duration D5-75", "Durée significative D5-75"},
    {"pdf.measure.tm", "Mean period Tm", "Période moyenne Tm"},
    {"pdf.measure.tp", "Predominant period Tp", "Période prédominante Tp"},
    {"pdf.run", "3. The run", "3. Le calcul"},
    {"pdf.run.none", "No analysis was run: this report shows the model and the records only.",
     "Aucune analyse n'a été faite : ce rapport présente seulement le modèle et les "
     "enregistrements."},
    {"pdf.run.refused", "The checks refused to start the analysis.",
     "Les vérifications ont empêché le démarrage de l'analyse."},
    {"pdf.run.completed", "The analysis completed at %1 s.", "L'analyse s'est terminée à %1 s."},
    {"pdf.run.stopped", "The analysis was stopped at %1 s.", "L'analyse a été arrêtée à %1 s."},
    {"pdf.run.stop_cause", "Cause: %1", "Cause : %1"},
    {"pdf.run.steps", "%1 integration steps, %2 output samples.",
     "%1 pas d'intégration, %2 valeurs sauvegardées."},
    {"pdf.run.events", "Messages and questions", "Messages et questions"},
    {"pdf.run.no_events", "The run raised no warning and asked no question.",
     "Le calcul n'a émis aucun avertissement ni posé de question."},
    {"pdf.run.time", "Time (s)", "Temps (s)"},
    {"pdf.run.kind", "Kind", "Type"},
    {"pdf.run.text", "Text", "Texte"},
    {"pdf.run.answer", "Answer taken", "Réponse donnée"},
    {"pdf.run.question", "Question", "Question"},
    {"pdf.run.error", "Error", "Erreur"},
    {"pdf.run.warning", "Warning", "Avertissement"},
    {"pdf.run.information", "Information", "Information"},
    {"pdf.run.answer_stop", "OK: stop the analysis", "OK : arrêter l'analyse"},
    {"pdf.run.answer_continue", "Go on", "Continuer"},
    {"pdf.run.energy", "Energy balance", "Bilan énergétique"},
    {"pdf.run.absolute_error", "Largest absolute energy error",
     "Plus grande erreur sur l'énergie absolue"},
    {"pdf.run.relative_error", "Largest relative energy error",
     "Plus grande erreur sur l'énergie relative"},
    {"pdf.results", "4. Results", "4. Résultats"},
    {"pdf.results.none", "There are no results: no analysis was run.",
     "Il n'y a pas de résultats : aucune analyse n'a été faite."},
    {"pdf.results.figures", "Key figures (at the output samples)",
     "Valeurs clés (aux valeurs sauvegardées)"},
    {"pdf.results.plots", "Time histories of the results", "Historiques des résultats"},
    {"pdf.results.quantity", "Quantity", "Grandeur"},
    {"pdf.results.value", "Value", "Valeur"},
    {"pdf.results.unit", "Unit", "Unité"},
    {"pdf.results.time", "Time (s)", "Temps (s)"},
    {"pdf.results.energy", "Energy balance", "Bilan énergétique"},
    {"pdf.figure.peak_sliding", "Peak sliding displacement", "Glissement maximal"},
    {"pdf.figure.residual_sliding", "Residual sliding displacement", "Glissement résiduel"},
    {"pdf.figure.peak_rotation", "Peak rotation", "Rotation maximale"},
    {"pdf.figure.min_sliding_sf", "Smallest sliding safety factor",
     "Plus petit facteur de sécurité au glissement"},
    {"pdf.figure.min_overturning_sf", "Smallest overturning safety factor",
     "Plus petit facteur de sécurité au renversement"},
    {"pdf.figure.resultant_range", "Range of the resultant position",
     "Étendue de la position de la résultante"},
    {"pdf.colour.0", "black", "noir"},
    {"pdf.colour.1", "red", "rouge"},
    {"pdf.colour.2", "blue", "bleu"},
    {"pdf.colour.3", "green", "vert"},
    {"pdf.colour.4", "olive", "olive"},
    {"pdf.colour.5", "purple", "violet"},
    {"pdf.colour.6", "teal", "sarcelle"},
    {"pdf.colour.7", "grey", "gris"},
    {"pdf.method", "5. Method", "5. Méthode"},
    {"pdf.method.general",
     "The block above the analysis plane is a rigid body on its foundation. Its equations of "
     "motion under the ground accelerations, the hydrostatic and hydrodynamic pressures, the "
     "uplift and the added forces and masses are integrated step by step in time; the safety "
     "factors are the ratios of the resisting to the driving forces and moments at each step.",
     "Le bloc au-dessus du plan d'analyse est un corps rigide sur sa fondation. Ses équations "
     "du mouvement sous les accélérations du sol, les pressions hydrostatiques et "
     "hydrodynamiques, la sous-pression et les forces et masses ajoutées sont intégrées pas à "
     "pas dans le temps ; les facteurs de sécurité sont les rapports des forces et moments "
     "résistants aux forces et moments moteurs à chaque pas."},
    {"pdf.method.sliding",
     "Sliding analysis: the block slides on the plane when the driving force exceeds the "
     "friction resistance (Mohr-Coulomb, static then dynamic friction angle); the sliding "
     "motion is integrated with the Newmark-Beta method chosen in the options.",
     "Analyse de glissement : le bloc glisse sur le plan lorsque la force motrice dépasse la "
     "résistance au frottement (Mohr-Coulomb, angle de frottement statique puis dynamique) ; "
     "le mouvement est intégré par la méthode de Newmark-Beta choisie dans les options."},
    {"pdf.method.rocking",
     "Rocking analysis: the block rotates about its heel or its toe once the overturning "
     "moment exceeds the stabilising one; impacts dissipate energy through the coefficients "
     "of restitution.",
     "Analyse de renversement : le bloc tourne autour de son talon ou de son pied lorsque le "
     "moment de renversement dépasse le moment stabilisant ; les impacts dissipent de "
     "l'énergie par les coefficients de restitution."},
    {"pdf.method.sliding_rocking",
     "Sliding and rocking analysis: the block may slide, rock, or do both at once; each step "
     "follows the motion mode that the forces and the friction allow.",
     "Analyse de glissement et renversement : le bloc peut glisser, basculer, ou les deux à la "
     "fois ; chaque pas suit le mode de mouvement que les forces et le frottement permettent."},
    {"pdf.method.verification",
     "The verification manual (docs/verification.md) compares every analysis with solutions "
     "obtained without the program: closed forms, hand calculations and independent "
     "integrations.",
     "Le manuel de vérification (docs/verification.md) compare chaque analyse à des solutions "
     "obtenues sans le logiciel : formules exactes, calculs à la main et intégrations "
     "indépendantes."},
    {"pdf.unavailable", "This build of QUIBEL cannot make analysis reports.",
     "Cette version de QUIBEL ne peut pas produire de rapports d'analyse."},
    {"pdf.unwritable", "Unable to write the report %1.", "Impossible d'écrire le rapport %1."},
    {"ui.main.export_report", "Expor&t report (PDF)...", "Exporter le &rapport (PDF)..."},
    {"ui.main.print_report", "Print r&eport...", "Imprimer le rappor&t..."},
};
} // namespace

std::span<const TextEntry> pdfReportTexts() {
    return kTexts;
}

} // namespace quibel
