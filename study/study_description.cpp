// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/study_description.h"

#include "numeric/error.h"
#include "study/threshold_units.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace quibel::study {

namespace {

namespace fs = std::filesystem;

int lineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

// The study's problems name their line first.
[[noreturn]] void fail(int line, Message m) {
    m.args.insert(m.args.begin(), std::to_string(line));
    throw Error(std::move(m));
}

[[noreturn]] void fail(int line, std::string key, std::initializer_list<std::string> rest = {}) {
    fail(line, Message(std::move(key), rest));
}

// Refuses every key of table that is not among allowed: a misspelt key is never ignored.
void onlyKeys(const toml::table& table, std::initializer_list<std::string_view> allowed) {
    for (const auto& [key, value] : table)
        if (std::find(allowed.begin(), allowed.end(), key.str()) == allowed.end())
            fail(static_cast<int>(key.source().begin.line), "study.unknown_key",
                 {std::string(key.str())});
}

const toml::node& required(const toml::table& table, std::string_view key, int line) {
    const toml::node* node = table.get(key);
    if (!node)
        fail(line, "study.missing_key", {std::string(key)});
    return *node;
}

std::string text(const toml::node& node, std::string_view key) {
    const std::optional<std::string> s = node.value_exact<std::string>();
    if (!s)
        fail(lineOf(node), "study.not_text", {std::string(key)});
    return *s;
}

double number(const toml::node& node, std::string_view key) {
    const std::optional<double> v = node.value<double>();
    if (!v || !std::isfinite(*v))
        fail(lineOf(node), "study.not_number", {std::string(key)});
    return *v;
}

const toml::table& tableOf(const toml::node& node, std::string_view key) {
    const toml::table* t = node.as_table();
    if (!t)
        fail(lineOf(node), "study.not_table", {std::string(key)});
    return *t;
}

std::vector<double> numbers(const toml::node& node, std::string_view key) {
    const toml::array* a = node.as_array();
    if (!a)
        fail(lineOf(node), "study.not_list", {std::string(key)});
    std::vector<double> out;
    for (const toml::node& v : *a)
        out.push_back(number(v, key));
    if (out.empty())
        fail(lineOf(node), "study.empty_list", {std::string(key)});
    return out;
}

std::string resolved(const std::string& path, const fs::path& folder) {
    const fs::path p(path);
    return p.is_absolute() ? path : (folder / p).string();
}

bool validName(std::string_view name) {
    return !name.empty() && name.size() <= 32 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

StudyRecord readRecord(const toml::table& t, int index) {
    const int line = lineOf(t);
    onlyKeys(t, {"name", "file", "format", "step", "workbook", "sheet", "record", "component"});
    StudyRecord r;
    r.line = line;
    r.name = "r" + std::to_string(index + 1);
    if (const toml::node* n = t.get("name")) {
        r.name = text(*n, "name");
        if (!validName(r.name))
            fail(lineOf(*n), "study.bad_name", {r.name});
    }
    if (const toml::node* n = t.get("component")) {
        const std::string c = text(*n, "component");
        if (c != "horizontal" && c != "vertical")
            fail(lineOf(*n), "study.bad_component", {c});
        r.component = c == "vertical" ? RecordComponent::Vertical : RecordComponent::Horizontal;
    }
    const bool file = t.contains("file");
    const bool workbook = t.contains("workbook");
    if (file == workbook)
        fail(line, "study.record_source");
    if (file) {
        onlyKeys(t, {"name", "file", "format", "step", "component"});
        r.file = text(*t.get("file"), "file");
        if (r.file.empty())
            fail(lineOf(*t.get("file")), "study.not_text", {"file"});
        if (const toml::node* n = t.get("format"))
            r.format = text(*n, "format");
        if (const toml::node* n = t.get("step")) {
            r.step = number(*n, "step");
            if (*r.step <= 0.0)
                fail(lineOf(*n), "study.not_positive", {"step"});
        }
    } else {
        onlyKeys(t, {"name", "workbook", "sheet", "record", "component"});
        r.workbook = text(*t.get("workbook"), "workbook");
        r.sheet = text(required(t, "sheet", line), "sheet");
        r.record = text(required(t, "record", line), "record");
    }
    return r;
}

IntensityLevels readIntensity(const toml::table& t) {
    IntensityLevels l;
    l.line = lineOf(t);
    onlyKeys(t, {"measure", "period", "damping", "levels"});
    const std::string measure = text(required(t, "measure", l.line), "measure");
    if (measure != "pga" && measure != "sa")
        fail(lineOf(*t.get("measure")), "study.bad_measure", {measure});
    l.kind = measure == "sa" ? IntensityKind::Sa : IntensityKind::Pga;
    if (l.kind == IntensityKind::Sa) {
        const toml::node& period = required(t, "period", l.line);
        l.period = number(period, "period");
        if (l.period <= 0.0)
            fail(lineOf(period), "study.not_positive", {"period"});
        if (const toml::node* n = t.get("damping")) {
            l.damping = number(*n, "damping");
            if (l.damping < 0.0 || l.damping >= 1.0)
                fail(lineOf(*n), "study.bad_damping");
        }
    } else if (t.contains("period") || t.contains("damping")) {
        fail(l.line, "study.period_without_sa");
    }
    const toml::node& levels = required(t, "levels", l.line);
    l.levels = numbers(levels, "levels");
    const toml::array& items = *levels.as_array();
    for (std::size_t i = 0; i < l.levels.size(); ++i)
        if (l.levels[i] <= 0.0)
            fail(lineOf(*items.get(i)), "study.level_not_positive", {FormatThreshold(l.levels[i])});
    return l;
}

Distribution distributionOf(const toml::node& node) {
    const std::string name = text(node, "distribution");
    if (name == "uniform")
        return Distribution::Uniform;
    if (name == "normal")
        return Distribution::Normal;
    if (name == "lognormal")
        return Distribution::Lognormal;
    fail(lineOf(node), "study.bad_distribution", {name});
}

StudyParameter readSampled(const toml::table& t, StudyParameter p) {
    p.kind = StudyParameter::Kind::Sampled;
    p.distribution = distributionOf(*t.get("distribution"));
    static constexpr std::array<std::array<std::string_view, 2>, 3> kKeys{
        {{"min", "max"}, {"mean", "sd"}, {"median", "dispersion"}}};
    const auto& keys = kKeys[static_cast<std::size_t>(p.distribution)];
    onlyKeys(t, {"distribution", keys[0], keys[1], "lower", "upper"});
    p.first = number(required(t, keys[0], p.line), keys[0]);
    p.second = number(required(t, keys[1], p.line), keys[1]);
    if (const toml::node* n = t.get("lower"))
        p.lower = number(*n, "lower");
    if (const toml::node* n = t.get("upper"))
        p.upper = number(*n, "upper");
    const bool spread =
        p.distribution == Distribution::Uniform ? p.second > p.first : p.second > 0.0;
    if (!spread || (p.distribution == Distribution::Lognormal && p.first <= 0.0))
        fail(p.line, "study.bad_distribution_values", {p.field});
    if (p.lower && p.upper && *p.lower >= *p.upper)
        fail(p.line, "study.bad_truncation", {p.field});
    return p;
}

StudyParameter readParameter(const toml::key& key, const toml::node& value) {
    StudyParameter p;
    p.line = static_cast<int>(key.source().begin.line);
    p.field = std::string(key.str());
    if (const toml::table* t = value.as_table()) {
        if (t->contains("grid")) {
            onlyKeys(*t, {"grid"});
            p.kind = StudyParameter::Kind::Grid;
            p.values = numbers(*t->get("grid"), "grid");
            return p;
        }
        if (t->contains("distribution"))
            return readSampled(*t, p);
        fail(p.line, "study.bad_parameter", {p.field});
    }
    p.values = {number(value, p.field)};
    return p;
}

DamageLimit readLimit(const toml::table& t, int) {
    DamageLimit d;
    d.line = lineOf(t);
    onlyKeys(t, {"name", "response", "above", "below"});
    const toml::node& response = required(t, "response", d.line);
    const std::optional<ResponseKind> kind = FindResponse(text(response, "response"));
    if (!kind)
        fail(lineOf(response), "study.bad_response", {text(response, "response")});
    d.response = *kind;
    d.name = ResponseColumn(d.response);
    if (const toml::node* n = t.get("name")) {
        d.name = text(*n, "name");
        if (!validName(d.name))
            fail(lineOf(*n), "study.bad_name", {d.name});
    }
    if (t.contains("above") == t.contains("below"))
        fail(d.line, "study.limit_side");
    d.above = t.contains("above");
    const toml::node& threshold = *t.get(d.above ? "above" : "below");
    const std::optional<std::string> written = threshold.value_exact<std::string>();
    if (written) {
        d.text = *written;
    } else if (const std::optional<double> v = threshold.value<double>()) {
        d.text = FormatThreshold(*v);
    } else {
        fail(lineOf(threshold), "study.not_threshold");
    }
    std::optional<Message> problem;
    const std::optional<double> si = ParseThreshold(d.response, d.text, problem);
    if (!si)
        fail(lineOf(threshold), *problem);
    d.threshold = *si;
    return d;
}

template <class Read>
auto readArray(const toml::table& root, std::string_view key, Read read) {
    std::vector<decltype(read(std::declval<const toml::table&>(), 0))> out;
    const toml::node* node = root.get(key);
    if (!node)
        return out;
    const toml::array* a = node->as_array();
    if (!a || (!a->empty() && !a->is_array_of_tables()))
        fail(lineOf(*node), "study.not_tables", {std::string(key)});
    for (std::size_t i = 0; i < a->size(); ++i)
        out.push_back(read(*a->get(i)->as_table(), static_cast<int>(i)));
    return out;
}

} // namespace

StudyDescription ReadStudyDescription(std::string_view text, const fs::path& folder) {
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& e) {
        fail(static_cast<int>(e.source().begin.line), "study.syntax",
             {std::string(e.description())});
    }
    onlyKeys(root, {"project", "records", "intensity", "parameters", "sampling", "limits"});
    StudyDescription s;
    s.project = resolved(study::text(required(root, "project", 1), "project"), folder);
    s.records = readArray(root, "records", readRecord);
    if (s.records.empty())
        fail(root.contains("records") ? lineOf(*root.get("records")) : 1, "study.empty_suite");
    for (StudyRecord& r : s.records) {
        if (!r.file.empty())
            r.file = resolved(r.file, folder);
        else
            r.workbook = resolved(r.workbook, folder);
        for (const StudyRecord& other : s.records)
            if (&other != &r && other.name == r.name)
                fail(r.line, "study.name_twice", {r.name});
    }
    s.intensity = readIntensity(tableOf(required(root, "intensity", 1), "intensity"));
    if (const toml::node* n = root.get("parameters"))
        for (const auto& [key, value] : tableOf(*n, "parameters"))
            s.parameters.push_back(readParameter(key, value));
    // A table keeps its keys sorted; the sets follow the order the study writes them in.
    std::sort(s.parameters.begin(), s.parameters.end(),
              [](const StudyParameter& a, const StudyParameter& b) { return a.line < b.line; });
    const bool sampled = std::any_of(s.parameters.begin(), s.parameters.end(), [](const auto& p) {
        return p.kind == StudyParameter::Kind::Sampled;
    });
    if (const toml::node* n = root.get("sampling")) {
        const toml::table& t = tableOf(*n, "sampling");
        onlyKeys(t, {"count", "seed"});
        const toml::node& count = required(t, "count", lineOf(t));
        const std::optional<std::int64_t> c = count.value_exact<std::int64_t>();
        if (!c || *c < 1 || *c > 1'000'000)
            fail(lineOf(count), "study.bad_count");
        s.samples = static_cast<int>(*c);
        if (const toml::node* seed = t.get("seed")) {
            const std::optional<std::int64_t> v = seed->value_exact<std::int64_t>();
            if (!v || *v < 0)
                fail(lineOf(*seed), "study.bad_seed");
            s.seed = static_cast<std::uint64_t>(*v);
        }
    } else if (sampled) {
        fail(1, "study.needs_sampling");
    }
    s.limits = readArray(root, "limits", readLimit);
    if (s.limits.empty())
        fail(root.contains("limits") ? lineOf(*root.get("limits")) : 1, "study.no_limits");
    for (const DamageLimit& d : s.limits)
        if (std::count_if(s.limits.begin(), s.limits.end(),
                          [&](const DamageLimit& o) { return o.name == d.name; }) > 1)
            fail(d.line, "study.name_twice", {d.name});
    return s;
}

} // namespace quibel::study
