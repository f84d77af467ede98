// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"

#include <string>
#include <vector>

namespace quibel {

/// g in m/s², the factor of every conversion of a record to g.
inline constexpr double kStandardGravity = 9.80665;

/// One channel of a strong-motion record: equally spaced accelerations in g, the first at t = 0.
struct RecordComponent final {
    std::string Orientation; ///< as the header writes it ("360 Deg", "N28W", "HNE", ...)
    std::string Units;       ///< the unit the file stores the values in ("cm/s^2", "g", ...)
    double Dt = 0.0;         ///< s
    std::vector<double> Values;
};

/// What a record reader found in a file: the facts of its header and one or more channels.
struct RecordData final {
    std::string Format; ///< the reader's name, as "record info" and the batch table write it
    std::string Station;
    std::string Event; ///< event and date as the header gives them
    std::vector<RecordComponent> Components;
    std::vector<Message> Warnings; ///< what the reader resolved or changed on its own
};

/// The title a history read from component `index` of data gets: format, station, component
/// and event, the parts the header left empty skipped.
std::string RecordTitle(const RecordData& data, std::size_t index);

} // namespace quibel
