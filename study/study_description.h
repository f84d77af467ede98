// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel::study {

/// Which base acceleration of the project a record of the suite replaces.
enum class RecordComponent { Horizontal, Vertical };

/// One record of the suite: a record file (any format the record readers recognise, or a text
/// file of time/value pairs) or an entry of an earthquake workbook.
struct StudyRecord final {
    int line = 0;     ///< line of the study file where the record is described
    std::string name; ///< names its cases: letters, digits, "-" and "_"
    RecordComponent component = RecordComponent::Horizontal;
    std::string file;            ///< record file, resolved against the study's folder
    std::string format = "auto"; ///< "auto", "pairs" or a record reader's name
    std::optional<double> step;  ///< s, for a file that states none
    std::string workbook;        ///< instead of file: workbook, sheet and record title
    std::string sheet, record;
};

/// The measure a record is scaled to at each level.
enum class IntensityKind {
    Pga, ///< peak ground acceleration, g
    Sa,  ///< pseudo-spectral acceleration Sa(T, xi) of the elastic oscillator, g
};

struct IntensityLevels final {
    int line = 0;
    IntensityKind kind = IntensityKind::Pga;
    double period = 0.0;        ///< s, for Sa
    double damping = 0.05;      ///< fraction of critical, for Sa
    std::vector<double> levels; ///< g, positive, ascending as written
};

enum class Distribution { Uniform, Normal, Lognormal };

/// A model field of the project held fixed, set on a grid of values, or sampled.
struct StudyParameter final {
    int line = 0;
    std::string field; ///< a field of the case table (checked by the caller)
    enum class Kind { Fixed, Grid, Sampled } kind = Kind::Fixed;
    std::vector<double> values; ///< Fixed: one value; Grid: the values
    Distribution distribution = Distribution::Uniform;
    /// Uniform: min and max; Normal: mean and standard deviation; Lognormal: median and
    /// dispersion (standard deviation of the logarithm).
    double first = 0.0, second = 0.0;
    /// Truncation of the distribution: the samples stay in [lower, upper].
    std::optional<double> lower, upper;
};

/// The response a damage limit looks at, as the batch summary gives it.
enum class ResponseKind {
    PeakSliding,
    ResidualSliding,
    PeakRotation,
    MinSlidingSF,
    MinOverturningSF
};

/// A damage state: the response past a threshold (above it, or below it for a safety factor).
struct DamageLimit final {
    int line = 0;
    std::string name;
    ResponseKind response = ResponseKind::ResidualSliding;
    bool above = true;
    double threshold = 0.0; ///< in m for slidings, rad for rotations, none for factors
    std::string text;       ///< the threshold as written, for the reports
};

/// A study: one project run under every record of a suite, scaled to every level, with
/// every parameter set.
struct StudyDescription final {
    std::string project; ///< resolved against the study's folder
    std::vector<StudyRecord> records;
    IntensityLevels intensity;
    std::vector<StudyParameter> parameters;
    int samples = 1;        ///< Latin-hypercube samples, when a parameter is sampled
    std::uint64_t seed = 1; ///< of the sampling
    std::vector<DamageLimit> limits;
};

/// The name of a response in the summary: peak_sliding, residual_sliding, peak_rotation_rad,
/// min_sliding_sf, min_overturning_sf.
std::string_view ResponseColumn(ResponseKind kind) noexcept;

/// Reads a study written in TOML (the layout of docs/study.md). Relative paths are taken from
/// folder. Every problem throws Error(Message("study.*", {line, ...})), the first argument
/// being the line of the study file: a syntax error, an unknown or missing key, a value of the
/// wrong type or out of range, an empty suite or level list, a level that is not positive, a
/// length or rotation limit without its unit.
StudyDescription ReadStudyDescription(std::string_view text, const std::filesystem::path& folder);

} // namespace quibel::study
