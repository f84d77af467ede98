// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_command.h"

#include "cli/atomic_text_file.h"
#include "cli/command_line.h"
#include "cli/record_options.h"
#include "numeric/error.h"
#include "signals/records/intensity_measures.h"
#include "signals/records/record_file.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <ostream>

namespace quibel::cli {

namespace {
// The shortest text that reads back as the same double.
void appendNumber(std::string& out, double v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    out.append(buffer, end);
}

std::string infoJson(const RecordData& data, std::size_t index, Language lang) {
    const RecordComponent& c = data.Components[index];
    const IntensityMeasures m = ComputeIntensityMeasures(c.Values, c.Dt);
    nlohmann::ordered_json j;
    j["format"] = data.Format;
    j["components"] = data.Components.size();
    j["component"] = index;
    j["orientation"] = c.Orientation;
    j["station"] = data.Station;
    j["event"] = data.Event;
    j["n"] = c.Values.size();
    j["dt_s"] = c.Dt;
    j["units"] = c.Units;
    j["pga_g"] = m.Pga;
    j["t_pga_s"] = m.TPga;
    j["pgv_m_s"] = m.Pgv;
    j["t_pgv_s"] = m.TPgv;
    j["pgd_m"] = m.Pgd;
    j["t_pgd_s"] = m.TPgd;
    j["arias_m_s"] = m.Arias;
    j["d5_95_s"] = m.D5_95;
    j["d5_75_s"] = m.D5_75;
    j["cav_m_s"] = m.Cav;
    j["tm_s"] = m.Tm;
    j["tp_s"] = m.Tp;
    j["warnings"] = nlohmann::ordered_json::array();
    for (const Message& w : data.Warnings)
        j["warnings"].push_back(render(lang, w));
    return j.dump();
}

std::string pairsText(const RecordComponent& c) {
    std::string out;
    out.reserve(c.Values.size() * 24);
    for (std::size_t k = 0; k < c.Values.size(); ++k) {
        appendNumber(out, static_cast<double>(k) * c.Dt);
        out += ' ';
        appendNumber(out, c.Values[k]);
        out += '\n';
    }
    return out;
}

int usage(const Invocation& inv, const Message& message) {
    inv.error(message);
    inv.err << text(inv.language, "records.cli.usage") << "\n";
    return UsageError;
}
} // namespace

int runRecordCommand(const Invocation& inv) {
    if (inv.args.empty() || (inv.args[0] != "info" && inv.args[0] != "convert"))
        return usage(inv, Message("records.cli.missing_subcommand"));
    const bool convert = inv.args[0] == "convert";
    RecordRequest request;
    try {
        request = ParseRecordRequest({inv.args.begin() + 1, inv.args.end()});
    } catch (const RecordUsageProblem& p) {
        return usage(inv, p.message);
    }
    if (convert && request.output.empty())
        return usage(inv, Message("records.cli.missing_output"));
    if (!convert && !request.output.empty())
        return usage(inv, Message("records.cli.unknown_option", {"-o"}));

    RecordData data;
    try {
        data = ReadRecordFile(request.file, request.read, request.format);
    } catch (const Error& e) {
        inv.error(e.message());
        return e.message().key == "records.unknown_format" ? UsageError : ReadFailed;
    }
    if (request.component >= data.Components.size())
        return usage(
            inv, Message("records.cli.bad_component", {std::to_string(request.component),
                                                       std::to_string(data.Components.size())}));
    RecordComponent& c = data.Components[request.component];
    try {
        ApplyProcessing(c, request.processing);
    } catch (const Error& e) {
        return usage(inv, e.message());
    }
    if (!convert) {
        inv.out << infoJson(data, request.component, inv.language) << "\n";
        return Success;
    }
    if (const auto failure = WriteTextAtomically(request.output, pairsText(c))) {
        inv.error(Message("signals.cannot_write_file", {request.output, *failure}));
        return WriteFailed;
    }
    for (const Message& w : data.Warnings)
        inv.error(w);
    return Success;
}

} // namespace quibel::cli
