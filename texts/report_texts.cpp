// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

namespace quibel {

namespace {
// The computed-data report. Value labels are stored without their trailing blanks; the report
// pads them to its column (32 characters in English, 43 in French). The French report has
// lists and sections that the English one leaves out: their keys carry the French text in
// both languages.
constexpr TextEntry kTexts[] = {
    {"report.analysis_type", "ANALYSIS TYPE:", "TYPE D'ANALYSE:"},
    {"report.kind.sliding", "  Sliding", "  Glissement"},
    {"report.kind.rocking", "  Rocking", "  Renversement"},
    {"report.kind.sliding_rocking", "  Sliding & rocking", "  Glissement & renversement"},
    {"report.block_parameters", "BLOCK INPUT PARAMETERS", "PARAMÈTRES DU BLOC"},
    {"report.mass", "  Block mass :", "  Masse du bloc :"},
    {"report.dam_height", "  Total dam height :", "  Hauteur totale du barrage :"},
    {"report.block_height", "  U/S block height :", "  Hauteur du bloc à l'amont :"},
    {"report.reservoir_height", "  Reservoir height :", "  Profondeur du réservoir :"},
    {"report.base_width",
     "  Block horizontal base width :", "  Largeur horizontale de la base du bloc:"},
    {"report.inclination", "  Block base inclination :", "  Inclinaison de la base du bloc :"},
    {"report.uplift",
     "  Block normal uplift force :", "  Force normale de sous-pression du bloc :"},
    {"report.uplift_position",
     "  Block uplift force position :", "  Position de la force de sous-pression :"},
    {"report.thickness", "  Block section thickness :", "  Épaisseur de la section du bloc :"},
    {"report.static_friction", "  Static friction angle :", "  Angle de friction statique :"},
    {"report.dynamic_friction", "  Dynamic friction angle :", "  Angle de friction dynamique :"},
    {"report.centre_of_mass", "  Block center of mass from U/S:",
     "  Centre de masse du bloc à partir de l'amont (sans les masses ajoutées) :"},
    {"report.position_x", "    Position X :", "    Position X :"},
    {"report.position_y", "    Position Y :", "    Position Y :"},
    {"report.radii", "  Block distance from center of mass to rotation point:",
     "  Distance entre le centre de masse du bloc et les points de rotation (sans les masses "
     "ajoutées) :"},
    {"report.upstream_radius", "    Upstream radius :", "    Rayon amont :"},
    {"report.downstream_radius", "    Downstream radius :", "    Rayon aval :"},
    {"report.critical_angles", "  Block critical angle of rotation:",
     "  Angle critique de rotation du bloc (sans les masses ajoutées) :"},
    {"report.upstream_angle", "    Upstream angle :", "    Angle amont:"},
    {"report.downstream_angle", "    Downstream angle :", "    Angle aval :"},
    {"report.inertia", "  Block mass moment of Inertia",
     "  Inertie massique du bloc (sans les masses ajoutées) :"},
    {"report.inertia_centre", "    At center of mass:", "    Au centre de masse :"},
    {"report.inertia_heel", "    From upstream (at heel):", "    Au pied amont du bloc :"},
    {"report.inertia_toe", "    From downstream (at toe):", "    au pied aval du bloc :"},
    {"report.restitution", "  Block coefficient of restitution of impact:",
     "  Coefficients de restitution d'impacte du bloc :"},
    {"report.upstream_restitution", "    Upstream  coefficient :", "    Coefficient amont :"},
    {"report.downstream_restitution", "    Downstream coefficient :", "    Coefficient aval :"},
    // French report only
    {"report.force_list", "LISTE DES FORCES AJOUTÉES :", "LISTE DES FORCES AJOUTÉES :"},
    {"report.force_columns", "    Position   Élevation     Force-X     Force-y",
     "    Position   Élevation     Force-X     Force-y"},
    {"report.mass_list", "LISTE DES MASSES AJOUTÉES :", "LISTE DES MASSES AJOUTÉES :"},
    {"report.mass_columns", "    Position   Élevation       Masse     Inertie",
     "    Position   Élevation       Masse     Inertie"},
    {"report.combined_centre", "  Centre de masse à partir de l'amont (avec les masses ajoutées) :",
     "  Centre de masse à partir de l'amont (avec les masses ajoutées) :"},
    {"report.combined_radii",
     "  Distance entre le centre de masse et les points de rotation (avec les masses "
     "ajoutées) :",
     "  Distance entre le centre de masse et les points de rotation (avec les masses "
     "ajoutées) :"},
    {"report.combined_angles", "  Angle critique de rotation (avec les masses ajoutées) :",
     "  Angle critique de rotation (avec les masses ajoutées) :"},
    {"report.combined_inertia", "  Inertie massique (avec les masses ajoutées) :",
     "  Inertie massique (avec les masses ajoutées) :"},
};
} // namespace

std::span<const TextEntry> reportTexts() {
    return kTexts;
}

} // namespace quibel
