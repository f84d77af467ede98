// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/geometry_consistency.h"

#include "model/unit_tables.h"
#include "ui/widgets/ui_text.h"

#include <cmath>
#include <numbers>
#include <tuple>

namespace quibel {

namespace {

// Beyond this no dam exists, and the drawing's arithmetic loses the section.
constexpr double kLongestMetres = 10000.0;

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

std::vector<GeometryContradiction> geometryContradictions(const GeometryValues& values,
                                                          UnitSystem units, Language language) {
    const struct {
        double H, Hd, Hr, B, Xu, Beta;
    } v{values.value("H"), values.value("Hd"), values.value("Hr"),
        values.value("B"), values.value("Xu"), values.value("Beta")};
    std::vector<GeometryContradiction> found;
    auto add = [&](std::string_view field, std::string_view key, const QStringList& args = {}) {
        found.push_back({field, uiText(language, key, args)});
    };
    const double longest = kLongestMetres * units::lengthFromSi(units);
    const QString limit =
        QStringLiteral("%1 %2").arg(longest).arg(fromView(units::lengthUnit(units)));
    for (auto [field, value, symbol] : {std::tuple{"Hd", v.Hd, "hd"}, std::tuple{"H", v.H, "h"},
                                        std::tuple{"Hr", v.Hr, "hr"}, std::tuple{"B", v.B, "b"}})
        if (!(std::fabs(value) <= longest))
            add(field, "ui.geometry.check.too_long", {QLatin1String(symbol), limit});
    if (v.Hd > 0 && v.H > v.Hd)
        add("H", "ui.geometry.check.block_taller");
    if (v.Hd > 0 && v.Hr > 2 * v.Hd)
        add("Hr", "ui.geometry.check.reservoir_high");
    if (v.B > 0 && v.Xu > v.B)
        add("Xu", "ui.geometry.check.uplift_beyond_base");
    const double toe = v.Hd - v.H + v.B * std::tan(v.Beta * std::numbers::pi / 180);
    if (v.Hd > 0 && v.H > 0 && v.B > 0 && v.H <= v.Hd && !(toe >= 0 && toe <= v.Hd))
        add("Beta", "ui.geometry.check.toe_outside");
    return found;
}

} // namespace quibel
