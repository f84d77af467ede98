// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel {

/// n doubles indexed 1..n, all 0 when created. Reads outside 1..n give 0 and writes outside
/// are ignored, so series of different lengths can be read side by side without checks.
/// Creating or resizing to n <= 0 throws Error("numeric.vector_dimension"); a failed allocation
/// throws Error("numeric.out_of_memory").
class TVector final {
public:
    TVector() = delete;
    explicit TVector(int n);

    int size() const noexcept { return static_cast<int>(mData.size()); }

    /// Element i (1-based); 0 outside 1..size().
    double get(int i) const noexcept {
        return (i >= 1 && i <= size()) ? mData[static_cast<std::size_t>(i - 1)] : 0.0;
    }
    /// Writes element i (1-based); ignored outside 1..size().
    void set(int i, double value) noexcept {
        if (i >= 1 && i <= size())
            mData[static_cast<std::size_t>(i - 1)] = value;
    }
    double operator()(int i) const noexcept { return get(i); }

    /// Keeps the first min(n, size()) values; new elements are 0.
    void resize(int n);

    /// Element-wise sum and difference; throws Error("numeric.vector_dimensions_differ")
    /// when the lengths differ.
    TVector& operator+=(const TVector& other);
    TVector& operator-=(const TVector& other);
    TVector& operator*=(double factor) noexcept;
    void fill(double value) noexcept;

    /// Minimum, maximum and mean over elements from..to; the bounds are clamped to 1..size()
    /// and swapped when given in reverse order.
    double min(int from, int to) const noexcept;
    double max(int from, int to) const noexcept;
    double mean(int from, int to) const noexcept;
    double min() const noexcept { return min(1, size()); }
    double max() const noexcept { return max(1, size()); }
    double mean() const noexcept { return mean(1, size()); }

    /// Contiguous storage of elements 1..n, for fast loops.
    const double* data() const noexcept { return mData.data(); }
    double* data() noexcept { return mData.data(); }

    bool operator==(const TVector&) const = default;

private:
    void clampRange(int& from, int& to) const noexcept;

    std::vector<double> mData;
};

} // namespace quibel
