// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
constexpr TextEntry kTexts[] = {
    // sliding and rocking
    {"engine.sliding_rocking.massless", "Block is massless!", "La masse du bloc est nulle!"},
    {"engine.sliding_rocking.no_histories", "No time histories defined!",
     "Aucun historique défini!"},
    {"engine.sliding_rocking.contact_lost",
     "Block is no longer in contatc with lower section of the dam.\nIt is recommended to stop "
     "the analysis.",
     "La section n'est plus en contact avec le barrage.\nIl est préférable de terminer "
     "l'analyse."},
    {"engine.sliding_rocking.excessive_upstream",
     "Excessive upstream rotation: block migth be unstable\nEnd analysis now?",
     "Rotation amont excessive: le bloc est probablement instable\nVoulez-vous terminer "
     "l'analyse maintenant?"},
    {"engine.sliding_rocking.excessive_downstream",
     "Excessive downstream rotation: block migth be unstable\nEnd analysis now?",
     "Rotation aval excessive: le bloc est probablement instable\nVoulez-vous terminer "
     "l'analyse maintenant?"},
    // The French message has no error code, so each code has its own entry.
    {"engine.sliding_rocking.convergence_101",
     "Convergence problem.  Please use a smaller analysis time step [error code = 101].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.sliding_rocking.convergence_102",
     "Convergence problem.  Please use a smaller analysis time step [error code = 102].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.sliding_rocking.convergence_103",
     "Convergence problem.  Please use a smaller analysis time step [error code = 103].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.sliding_rocking.convergence_104",
     "Convergence problem.  Please use a smaller analysis time step [error code = 104].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.sliding_rocking.convergence_105",
     "Convergence problem.  Please use a smaller analysis time step [error code = 105].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.sliding_rocking.convergence_106",
     "Convergence problem.  Please use a smaller analysis time step [error code = 106].",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.grid.cm_displacement", "Horizontal relative displacement at center of mass",
     "Déplacement relatif horizontal au centre de masse"},
    {"engine.grid.cm_velocity", "Horizontal relative velocity at center of mass",
     "Vitesse relative horizontale au centre de masse"},
    {"engine.grid.cm_acceleration", "Horizontal relative acceleration at center of mass",
     "Accélération relative horizontale au centre de masse"},
    {"engine.grid.sliding_displacement", "Sliding displacement", "Glissement"},
    // rocking
    {"engine.rocking.massless", "Block is massless!", "La masse du bloc est nulle!"},
    {"engine.rocking.no_histories", "No time histories defined!", "Aucun historique défini!"},
    {"engine.rocking.energy_increase",
     "Increase in kinetic energy after downstream impact. \n Downstream impact coefficient of "
     "restitution is too high.\nStop Analysis?",
     "Augmentation de l'énergie cinétique après impact aval. \nLe coefficient de restitution "
     "aval est trop élevé.\nDoit-on terminer l'analyse?"},
    {"engine.rocking.convergence", "Convergence problem.  Please use a smaller analysis time step.",
     "Problème de convergence.  Veuillez diminuer le pas de temps d'analyse"},
    {"engine.rocking.excessive_rotation",
     "Excessive rotation: block migth be unstable\nEnd analysis now?",
     "Rotation excessive: le bloc est probablement instable\nVoulez-vous terminer l'analyse "
     "maintenant?"},
    {"engine.grid.rotation", "Rotation", "Rotation"},
    {"engine.grid.rotational_velocity", "Angular velocity", "Vitesse angulaire"},
    {"engine.grid.rotational_acceleration", "Angular acceleration", "Accélération angulaire"},
    {"engine.grid.overturning_safety_factor", "Overturning safety factor",
     "Facteur de sécurité au renversement"},
    {"engine.grid.resultant_position", "Resultant position (% from U/S)",
     "Position de la résultante (% de l'amont)"},
    {"engine.grid.resultant_position_unit", "(% of failure plane length)",
     "(% du plan de rupture)"},
    {"engine.grid.impact_energy", "Energy dissipated by impact", "Énergie dissipée par impact"},
    // sliding and driver
    {"engine.sliding.massless", "The bloc is massless!", "La masse du bloc est nulle!"},
    {"engine.sliding.friction_below_slope", "Friction angle is less than the inclined surface!",
     "L'angle de friction est plus faible que l'angle d'inclinaison de la base!"},
    {"engine.sliding.no_histories", "No time histories defined!",
     "Aucun historique de temps défini!"},
    {"engine.time_step_not_positive", "The analysis time step must be greater than 0.",
     "Le pas de temps d'analyse doit être supérieur à 0."},
    {"engine.save_step_not_positive",
     "The time step of the stored output values must be greater than 0.",
     "Le pas de temps des valeurs enregistrées doit être supérieur à 0."},
    {"engine.gravity_not_positive", "The gravity constant must be greater than 0.",
     "La constante de gravité doit être supérieure à 0."},
    {"engine.run_too_long",
     "The analysis is too long for its time steps: %1 integration steps and %2 output values. "
     "Increase the analysis time step or the time step of the stored output values.",
     "L'analyse est trop longue pour ses pas de temps: %1 pas d'intégration et %2 valeurs "
     "enregistrées. Augmentez le pas de temps d'analyse ou celui des valeurs enregistrées."},
    {"engine.analysis_not_available", "This type of analysis is not available in this version.",
     "Ce type d'analyse n'est pas disponible dans cette version."},
    {"engine.debug_file_failed", "Unable to open Debug.csv file. This option is canceled.",
     "Impossible de créé de fichier Debug.csv. Cette option est annulée."},
    {"engine.energy_error_high", "Energy error is high.", "Erreur énergétique élevée."},
    {"engine.reduce_time_step", "Reduce analysis time step.", "Réduisez le pas de temps d'analyse"},
    {"engine.grid.time", "Time", "Temps"},
    {"engine.grid.sliding", "Sliding", "Glissement"},
    {"engine.grid.sliding_velocity", "Sliding velocity", "Vitesse de glissement"},
    {"engine.grid.sliding_acceleration", "Sliding acceleration", "Accélération du glissement"},
    {"engine.grid.sliding_safety_factor", "Sliding safety factor",
     "Facteur de sécurité au glissement"},
    {"engine.grid.absolute_input_energy", "Absolute input energy", "Énergie sismique absolue"},
    {"engine.grid.relative_input_energy", "Relative input energy", "Énergie sismique relative"},
    {"engine.grid.preseismic_energy", "Work done by pre-seismic forces",
     "Énergie des forces pré-sismiques"},
    {"engine.grid.absolute_kinetic_energy", "Absolute kinetic energy", "Énergie cinétique absolue"},
    {"engine.grid.relative_kinetic_energy", "Relative kinetic energy",
     "Énergie cinétique relative"},
    {"engine.grid.friction_energy", "Energy dissipated by friction",
     "Énergie dissipée par friction"},
    {"engine.grid.potential_energy", "Potential energy", "Énergie potentielle"},
    {"engine.grid.absolute_energy_error", "Absolute energy error", "Erreur énergétique absolue"},
    {"engine.grid.relative_energy_error", "Relative energy error", "Erreur énergétique relative"},
};
} // namespace

std::span<const TextEntry> engineTexts() {
    return kTexts;
}

} // namespace quibel
