// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include <map>

namespace quibel {

namespace {
struct KeyedHeader {
    std::map<std::string, std::pair<std::string, std::size_t>, std::less<>> values; // value, line
    std::size_t end = 1; ///< the first line after the header
};

KeyedHeader readHeader(const RecordLines& lines) {
    KeyedHeader h;
    for (; h.end <= lines.count(); ++h.end) {
        const std::string_view l = lines.line(h.end);
        const std::size_t colon = l.find(':');
        if (colon == std::string_view::npos)
            break;
        h.values.emplace(std::string(Trim(l.substr(0, colon))),
                         std::make_pair(std::string(Trim(l.substr(colon + 1))), h.end));
    }
    return h;
}

const std::pair<std::string, std::size_t>& field(const RecordLines& lines, const KeyedHeader& h,
                                                 std::string_view key) {
    const auto it = h.values.find(key);
    if (it == h.values.end())
        lines.fail("records.missing_field", h.end, {std::string(key)});
    return it->second;
}
} // namespace

// ESM ASCII: "KEY: value" lines, then one value to a line.
bool RecognisesEsm(const RecordLines& lines) {
    return lines.line(1).starts_with("EVENT_NAME:") && lines.line(2).starts_with("EVENT_ID:");
}

RecordData ReadEsm(const RecordLines& lines, const RecordReadOptions&) {
    const KeyedHeader h = readHeader(lines);
    RecordData data;
    data.Format = "esm";
    data.Event = field(lines, h, "EVENT_NAME").first + " " +
                 field(lines, h, "EVENT_DATE_YYYYMMDD").first + " " +
                 field(lines, h, "EVENT_TIME_HHMMSS").first;
    data.Station = field(lines, h, "NETWORK").first + "." + field(lines, h, "STATION_CODE").first;
    const auto& type = field(lines, h, "DATA_TYPE");
    if (type.first != "ACCELERATION")
        lines.fail("records.not_acceleration", type.second, {type.first});
    RecordComponent c;
    c.Orientation = field(lines, h, "STREAM").first;
    const auto& units = field(lines, h, "UNITS");
    c.Units = units.first;
    const double factor = FactorToG(c.Units);
    if (factor == 0.0)
        lines.fail("records.not_acceleration", units.second, {c.Units});
    const auto& dt = field(lines, h, "SAMPLING_INTERVAL_S");
    c.Dt = FieldNumber(lines, dt.second, dt.first);
    CheckTimeStep(lines, dt.second, c.Dt);
    const auto& count = field(lines, h, "NDATA");
    const std::size_t n =
        CheckCount(lines, count.second, FieldNumber(lines, count.second, count.first));
    ReadFreeValues(lines, h.end, factor, c.Values);
    CheckValueCount(lines, count.second, n, c.Values.size());
    data.Components.push_back(std::move(c));
    return data;
}

} // namespace quibel
