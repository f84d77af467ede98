// SPDX-License-Identifier: GPL-3.0-or-later
#include "tvector.h"

#include "error.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace quibel {

namespace {
std::vector<double, ZeroedAllocator<double>> allocate(int n) {
    if (n <= 0)
        throw Error("numeric.vector_dimension");
    try {
        // Without a value: the zeros are calloc's, untouched until written.
        return std::vector<double, ZeroedAllocator<double>>(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    } catch (const std::length_error&) {
        throw Error("numeric.out_of_memory");
    }
}
} // namespace

TVector::TVector(int n) : mData(allocate(n)) {}

void TVector::resize(int n) {
    if (n <= 0)
        throw Error("numeric.vector_dimension");
    try {
        mData.resize(static_cast<std::size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    }
}

TVector& TVector::operator+=(const TVector& other) {
    if (other.size() != size())
        throw Error("numeric.vector_dimensions_differ");
    for (std::size_t i = 0; i < mData.size(); ++i)
        mData[i] += other.mData[i];
    return *this;
}

TVector& TVector::operator-=(const TVector& other) {
    if (other.size() != size())
        throw Error("numeric.vector_dimensions_differ");
    for (std::size_t i = 0; i < mData.size(); ++i)
        mData[i] -= other.mData[i];
    return *this;
}

TVector& TVector::operator*=(double factor) noexcept {
    for (double& v : mData)
        v *= factor;
    return *this;
}

void TVector::fill(double value) noexcept {
    std::fill(mData.begin(), mData.end(), value);
}

void TVector::clampRange(int& from, int& to) const noexcept {
    if (from > to)
        std::swap(from, to);
    from = std::clamp(from, 1, size());
    to = std::clamp(to, 1, size());
}

double TVector::min(int from, int to) const noexcept {
    clampRange(from, to);
    return *std::min_element(mData.begin() + (from - 1), mData.begin() + to);
}

double TVector::max(int from, int to) const noexcept {
    clampRange(from, to);
    return *std::max_element(mData.begin() + (from - 1), mData.begin() + to);
}

double TVector::mean(int from, int to) const noexcept {
    clampRange(from, to);
    double sum = 0.0;
    for (int i = from; i <= to; ++i)
        sum += mData[static_cast<std::size_t>(i - 1)];
    return sum / static_cast<double>(to - from + 1);
}

} // namespace quibel
