// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/model_json.h"

#include "model/record_fields.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace quibel::cli {

namespace {

using Json = nlohmann::ordered_json; // keys stay in the order they are set

Json number(double v) {
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "Infinity" : "-Infinity";
    return v;
}

Json series(const std::optional<TVector>& v) {
    if (!v)
        return nullptr;
    Json samples = Json::array();
    for (int i = 1; i <= v->size(); ++i)
        samples.push_back(number(v->get(i)));
    return samples;
}

Json term(const GeneratorTerm& t) {
    return {{"Shape", static_cast<int>(t.Shape)},
            {"Amplitude", number(t.Amplitude)},
            {"Period", number(t.Period)},
            {"Phase", number(t.Phase)},
            {"StartTime", number(t.StartTime)},
            {"EndTime", number(t.EndTime)},
            {"Active", t.Active}};
}

Json history(const TimeHistoryRecord& h) {
    Json terms = Json::array();
    for (const GeneratorTerm& t : h.Terms)
        terms.push_back(term(t));
    return {{"Source", static_cast<int>(h.Source)},
            {"Title", h.Title},
            {"Times", series(h.Times)},
            {"Values", series(h.Values)},
            {"Terms", std::move(terms)},
            {"Scale", number(h.Scale)},
            {"Offset", number(h.Offset)},
            {"Correction", static_cast<int>(h.Correction)},
            {"Duration", number(h.Duration)},
            {"PosX", number(h.PosX)},
            {"PosY", number(h.PosY)}};
}

// Each item as an object of its four numbers.
template <class Item, std::size_t N>
Json items(const std::vector<Item>& list, const std::pair<const char*, double Item::*> (&keys)[N]) {
    Json all = Json::array();
    for (const Item& item : list) {
        Json one = Json::object();
        for (const auto& [key, member] : keys)
            one[key] = number(item.*member);
        all.push_back(std::move(one));
    }
    return all;
}

// The library writes 20.0 as "20.0" and 0.0001 as "0.0001"; the tool writes the shortest text
// that reads back to the same bits ("20", "1e-04"), so numbers are written here and everything
// else (structure, strings, whole numbers) by the library.
void write(const Json& j, std::string& text) {
    if (j.is_number_float()) {
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, j.get<double>());
        text.append(buf, res.ptr);
    } else if (j.is_object()) {
        text += '{';
        for (auto it = j.begin(); it != j.end(); ++it) {
            if (it != j.begin())
                text += ',';
            text += Json(it.key()).dump() + ':';
            write(it.value(), text);
        }
        text += '}';
    } else if (j.is_array()) {
        text += '[';
        for (auto it = j.begin(); it != j.end(); ++it) {
            if (it != j.begin())
                text += ',';
            write(*it, text);
        }
        text += ']';
    } else {
        text += j.dump();
    }
}

} // namespace

std::string modelToJson(const TBlocStatic& m, const std::array<std::int16_t, 4>& fileVersion) {
    Json j = {{"FileVersion", fileVersion},
              {"AnalysisKind", static_cast<int>(m.AnalysisKind)},
              {"ModelFlags", m.ModelFlags},
              {"UnitSystem", static_cast<int>(m.UnitSystem)}};
    Json options = Json::object();
    for (const RecordField& f : recordFields()) {
        const double v = f.member.get(m);
        Json& to = f.member.isOption() ? options : j;
        to[std::string(f.name)] = f.member.isChoice() ? Json(static_cast<int>(v)) : number(v);
    }
    j["Options"] = std::move(options);
    Json histories = Json::array();
    for (const TimeHistoryRecord& h : m.Histories)
        histories.push_back(history(h));
    j["Histories"] = std::move(histories);
    j["Masses"] = items(m.Masses.Items, {{"X", &AddedMass::X},
                                         {"Y", &AddedMass::Y},
                                         {"Mass", &AddedMass::Mass},
                                         {"Inertia", &AddedMass::Inertia}});
    j["Forces"] = items(m.Forces.Items, {{"X", &AddedForce::X},
                                         {"Y", &AddedForce::Y},
                                         {"Fh", &AddedForce::Fh},
                                         {"Fv", &AddedForce::Fv}});
    std::string text;
    write(j, text);
    return text;
}

} // namespace quibel::cli
