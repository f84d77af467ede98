// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/records/record_readers.h"

#include "signals/decimal_format.h"

#include <cctype>
#include <cmath>

namespace quibel {

namespace {
// "(10I8)", "(5F15.6)", "(1E15.6)": values per line and field width.
struct FieldLayout {
    std::size_t perLine = 0;
    std::size_t width = 0;
};

FieldLayout parseFormat(const RecordLines& lines, std::size_t k) {
    const std::string_view l = lines.require(k);
    const std::size_t open = l.rfind('(');
    std::size_t i = open == std::string_view::npos ? l.size() : open + 1;
    FieldLayout f;
    while (i < l.size() && std::isdigit(static_cast<unsigned char>(l[i])))
        f.perLine = f.perLine * 10 + static_cast<std::size_t>(l[i++] - '0');
    if (i < l.size())
        ++i; // the type letter
    while (i < l.size() && std::isdigit(static_cast<unsigned char>(l[i])))
        f.width = f.width * 10 + static_cast<std::size_t>(l[i++] - '0');
    if (f.perLine == 0 || f.perLine > 100 || f.width == 0 || f.width > 40)
        lines.fail("records.missing_field", k, {"Format="});
    return f;
}

// A header block announced as "N ...-header values follow on L lines, Format= (...)".
std::vector<double> readBlock(const RecordLines& lines, std::size_t k, std::size_t& next) {
    const std::size_t count = CheckCount(lines, k, LeadingNumber(lines, k, lines.require(k)));
    const FieldLayout f = parseFormat(lines, k);
    std::vector<double> values;
    next = ReadFixedValues(lines, k + 1, count, f.perLine, f.width, 1.0, values);
    return values;
}

std::string channelCode(const RecordLines& lines, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
        const std::string_view l = lines.line(k);
        const std::size_t at = l.find("RcrdId:");
        if (at == std::string_view::npos)
            continue;
        // NET.EVENT.NET.STATION.CHANNEL.LOCATION
        std::string_view id = Trim(l.substr(at + 7));
        for (int dots = 0; dots < 4; ++dots) {
            const std::size_t d = id.find('.');
            if (d == std::string_view::npos)
                return "";
            id.remove_prefix(d + 1);
        }
        return std::string(id.substr(0, id.find('.')));
    }
    return "";
}

constexpr double kUnknown = -999.0;
} // namespace

// COSMOS V2: a text block whose size line 1 states, an integer and a real header block and a
// comment block each announced by their own line, then the data line and the values.
bool RecognisesCosmos(const RecordLines& lines) {
    const std::string_view l = lines.line(1);
    return FindNoCase(l, "(Format v") != std::string_view::npos &&
           FindNoCase(l, "text lines") != std::string_view::npos;
}

RecordData ReadCosmos(const RecordLines& lines, const RecordReadOptions&) {
    RecordData data;
    data.Format = "cosmos";
    if (FindNoCase(lines.line(1), "acceleration") == std::string_view::npos)
        lines.fail("records.not_acceleration", 1, {CollapseBlanks(lines.line(1))});
    const std::size_t textLines = CheckCount(lines, 1, NumberAfter(lines, 1, "with"));
    data.Event = CollapseBlanks(lines.require(2));
    const std::string_view station = lines.require(5);
    const std::size_t code = station.find("Code:");
    data.Station =
        CollapseBlanks(code == std::string_view::npos ? station : station.substr(code + 5));
    std::size_t next = 0;
    readBlock(lines, textLines + 1, next); // the integer header holds nothing read here
    const std::size_t realsLine = next;
    const std::vector<double> reals = readBlock(lines, realsLine, next);
    const double comments = LeadingNumber(lines, next, lines.require(next));
    if (!(comments >= 0.0 && comments < static_cast<double>(lines.count())))
        lines.fail("records.bad_count", next, {FormatDecimals(comments, 0, 3)});
    const std::size_t dataLine = next + static_cast<std::size_t>(comments) + 1;

    RecordComponent c;
    const std::string_view head = lines.require(dataLine);
    const std::size_t n = CheckCount(lines, dataLine, LeadingNumber(lines, dataLine, head));
    const std::size_t unitsAt = FindNoCase(head, "units=");
    if (unitsAt == std::string_view::npos)
        lines.fail("records.missing_field", dataLine, {"units="});
    const std::string_view units = head.substr(unitsAt + 6);
    c.Units = std::string(Trim(units.substr(0, units.find_first_of("(,"))));
    const double factor = FactorToG(c.Units);
    if (factor == 0.0)
        lines.fail("records.not_acceleration", dataLine, {c.Units});
    const FieldLayout f = parseFormat(lines, dataLine);
    ReadFixedValues(lines, dataLine + 1, n, f.perLine, f.width, factor, c.Values);

    // The time step (real 34) must agree with the record length (real 35) over n samples.
    const std::size_t dtLine = realsLine + 1 + 33 / 5;
    const double stated = reals.size() > 34 ? reals[33] : kUnknown;
    const double length = reals.size() > 34 ? reals[34] : kUnknown;
    c.Dt = stated;
    if (length > 0.0 && std::abs(stated * static_cast<double>(n) - length) > 0.01 * length) {
        c.Dt = length / static_cast<double>(n);
        data.Warnings.push_back(
            Message("records.cosmos_step_contradicted",
                    {lines.fileName(), std::to_string(dtLine), FormatDecimals(stated, 0, 9),
                     std::to_string(n), FormatDecimals(length, 0, 6), FormatDecimals(c.Dt, 0, 9)}));
    }
    CheckTimeStep(lines, dtLine, c.Dt);

    const std::string_view chan = lines.require(9);
    const std::size_t colon = chan.find(':');
    std::string orientation =
        colon == std::string_view::npos
            ? ""
            : CollapseBlanks(chan.substr(colon + 1, chan.find('(') - colon - 1));
    if (orientation.empty() || orientation.starts_with("Other") || orientation.starts_with("?"))
        orientation = channelCode(lines, next, dataLine);
    c.Orientation = orientation;
    data.Components.push_back(std::move(c));
    return data;
}

} // namespace quibel
