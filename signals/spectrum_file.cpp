// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/spectrum_file.h"

#include "numeric/error.h"
#include "signals/decimal_format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quibel {

namespace {
constexpr const char* kUnitLineKeys[4] = {
    "signals.spectrum_file.units_mm", "signals.spectrum_file.units_m",
    "signals.spectrum_file.units_in", "signals.spectrum_file.units_ft"};

std::string systemMessage(int code) {
    return std::system_category().message(code);
}
} // namespace

std::string SpectrumText(const ResponseSpectra& spectra, int damping, UnitSystem units,
                         Language language) {
    if (damping < 1 || damping > spectra.Dampings.size())
        throw Error("signals.spectrum_no_such_damping");
    auto line = [&](std::string& out, std::string_view key) {
        out += text(language, key);
        out += '\n';
    };
    std::string out;
    out += '\n';
    line(out, "signals.spectrum_file.sd_legend");
    line(out, "signals.spectrum_file.sv_legend");
    line(out, "signals.spectrum_file.sa_legend");
    out += '\n';
    const std::string ratio = FormatDecimals(spectra.Dampings.get(damping), 0, 6);
    out += render(language, Message("signals.spectrum_file.damping_ratio", {ratio}));
    out += '\n';
    line(out, "signals.spectrum_file.columns");
    line(out, kUnitLineKeys[unitIndex(units)]);
    line(out, "signals.spectrum_file.rule");

    const int m = spectra.Periods.size();
    for (int l = 1; l <= m; ++l) {
        out += FormatFixed(spectra.Periods.get(l), 12, 6);
        out += "   ";
        out += FormatFixed(spectra.Sd.get(l, damping), 12, 6);
        out += ' ';
        out += FormatFixed(spectra.Sv.get(l, damping), 12, 6);
        out += ' ';
        out += FormatFixed(spectra.Sa.get(l, damping), 12, 6);
        out += '\n';
    }
    line(out, "signals.spectrum_file.rule");
    out += text(language, "signals.spectrum_file.maximums");
    out += FormatFixed(spectra.Sd.max(1, damping, m, damping), 12, 6);
    out += ' ';
    out += FormatFixed(spectra.Sv.max(1, damping, m, damping), 12, 6);
    out += ' ';
    out += FormatFixed(spectra.Sa.max(1, damping, m, damping), 12, 6);
    out += '\n';
    return out;
}

void SaveSpectrumFile(const std::string& path, const ResponseSpectra& spectra, int damping,
                      UnitSystem units, Language language) {
    const std::string content = SpectrumText(spectra, damping, units, language);
    const std::string temporary = path + ".part";
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        throw Error(Message("signals.cannot_write_file",
                            {path, systemMessage(errno != 0 ? errno : EACCES)}));
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        throw Error(Message("signals.cannot_write_file",
                            {path, systemMessage(writeError != 0 ? writeError : EIO)}));
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw Error(Message("signals.cannot_write_file", {path, ec.message()}));
    }
}

int DampingColumn(const ResponseSpectra& spectra, double ratio) noexcept {
    for (int d = 1; d <= spectra.Dampings.size(); ++d)
        if (std::fabs(spectra.Dampings.get(d) - ratio) <= 1e-9)
            return d;
    return 0;
}

} // namespace quibel
