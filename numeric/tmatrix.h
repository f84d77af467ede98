// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel {

/// rows x columns doubles indexed from (1, 1), all 0 when created. Reads outside the bounds
/// give 0 and writes outside are ignored. A dimension <= 0 throws
/// Error("numeric.matrix_dimension").
class TMatrix final {
public:
    TMatrix() = delete;
    TMatrix(int rows, int columns);

    int rows() const noexcept { return mRows; }
    int columns() const noexcept { return mColumns; }

    double get(int r, int c) const noexcept { return inside(r, c) ? mData[index(r, c)] : 0.0; }
    void set(int r, int c, double value) noexcept {
        if (inside(r, c))
            mData[index(r, c)] = value;
    }
    double operator()(int r, int c) const noexcept { return get(r, c); }

    /// Minimum and maximum over rows r1..r2 and columns c1..c2 (clamped to the bounds,
    /// swapped when reversed).
    double min(int r1, int c1, int r2, int c2) const noexcept;
    double max(int r1, int c1, int r2, int c2) const noexcept;

    /// Transposes in place: a rows x columns matrix becomes columns x rows.
    void transpose();

    /// result := a * b. Returns false and leaves result untouched when a.columns() !=
    /// b.rows() or result is not a.rows() x b.columns().
    [[nodiscard]] static bool multiply(const TMatrix& a, const TMatrix& b,
                                       TMatrix& result) noexcept;

    bool operator==(const TMatrix&) const = default;

private:
    bool inside(int r, int c) const noexcept {
        return r >= 1 && r <= mRows && c >= 1 && c <= mColumns;
    }
    std::size_t index(int r, int c) const noexcept {
        return static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(mColumns) +
               static_cast<std::size_t>(c - 1);
    }
    template <typename Pick>
    double reduce(int r1, int c1, int r2, int c2, Pick pick) const noexcept;

    int mRows;
    int mColumns;
    std::vector<double> mData;
};

} // namespace quibel
