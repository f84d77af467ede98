// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"
#include "model/result_series.h"
#include "texts/text_catalogue.h"

#include <span>
#include <string>
#include <vector>

namespace quibel {

/// Where the values of an item of the results viewer come from.
enum class ResultsItemSource {
    Slot,                ///< a result series of the model, as stored
    CentreDisplacement,  ///< horizontal motion of the centre of mass (sliding and rocking)
    CentreVelocity,      ///< its time derivative
    CentreAcceleration,  ///< its second time derivative
    AbsoluteEnergyError, ///< %, with the viewer's denominators
    RelativeEnergyError, ///< %, with the viewer's denominators
};

/// One item of the viewer's list: its text, which is also the ordinate label of the plot, and
/// its series.
struct ResultsListItem final {
    std::string label;
    ResultsItemSource source = ResultsItemSource::Slot;
    ResultSeries slot = ResultSeries::SlidingDisp; ///< for ResultsItemSource::Slot
};

/// The items the viewer offers after an analysis of kind, in its order, with the unit texts of
/// units completed: lengths "(m)", "(m/sec)", "(m/sec²)", energies "(kN·m)". Sliding: 13 items,
/// rocking: 14, sliding and rocking: 22.
std::vector<ResultsListItem> ResultsSeriesList(AnalysisKind kind, UnitSystem units,
                                               Language language);

/// Whether item is the position of the resultant (shown with the edges of the plane at 0 and
/// 100 %).
bool isResultantPosition(const ResultsListItem& item) noexcept;

/// The values of item after the model's last analysis, one per output sample; empty when the
/// series it needs are missing. Derived items of the sliding-and-rocking analysis use the
/// horizontal component u cos(beta) of the sliding. The energy errors are, per sample,
/// |(input + preseismic - kinetic - D) / input| x 100 (absolute or relative input and kinetic
/// energies), 0 when the input energy is 0, with D = friction + potential energy (sliding),
/// impact + potential (rocking), impact + potential + friction (sliding and rocking).
std::vector<double> ResultsItemValues(const TBlocStatic& model, const ResultsListItem& item);

/// The samples of item where the model stores them, for an item of ResultsItemSource::Slot;
/// empty for a derived item or a missing series.
std::span<const double> ResultsItemStored(const TBlocStatic& model, const ResultsListItem& item);

} // namespace quibel
