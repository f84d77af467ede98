// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace quibel {

/// The values of a grid column: a view of a result series the model keeps, so that a grid of a
/// run of millions of samples costs no copy, or values the column owns (the time, the energy
/// errors), shared by the copies of the column. A view is valid while the model's series is
/// neither replaced nor cleared: a grid must not outlive the results it was built from.
class ColumnValues final {
public:
    using value_type = double;
    using const_iterator = const double*;
    using iterator = const_iterator;

    ColumnValues() = default;
    ColumnValues(std::vector<double> own) // NOLINT(google-explicit-constructor): as a vector
        : mOwn(std::make_shared<const std::vector<double>>(std::move(own))), mView(*mOwn) {}
    ColumnValues(std::initializer_list<double> own) : ColumnValues(std::vector<double>(own)) {}

    /// The values of stored, which must outlive every copy of the result.
    static ColumnValues viewOf(std::span<const double> stored) noexcept {
        ColumnValues v;
        v.mView = stored;
        return v;
    }

    std::size_t size() const noexcept { return mView.size(); }
    bool empty() const noexcept { return mView.empty(); }
    double operator[](std::size_t i) const noexcept { return mView[i]; }
    const double* begin() const noexcept { return mView.data(); }
    const double* end() const noexcept { return mView.data() + mView.size(); }
    std::span<const double> span() const noexcept { return mView; }
    std::vector<double> toVector() const { return {begin(), end()}; }

    friend bool operator==(const ColumnValues& a, const ColumnValues& b) noexcept {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    std::shared_ptr<const std::vector<double>> mOwn;
    std::span<const double> mView;
};

} // namespace quibel
