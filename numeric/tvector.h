// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace quibel {

/// The storage of a TVector: memory from calloc, whose elements made without a value keep the
/// zero it gave. A long vector's pages then come zeroed from the system as they are first
/// written, instead of all being cleared when it is made: the results of a long run are made
/// when it starts, on the window's thread, and clearing them there held it up. Only a fresh
/// block may be "constructed" this way, so a TVector never grows its storage without a value.
template <class T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() noexcept = default;
    template <class U>
    constexpr ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        void* p = std::calloc(n, sizeof(T));
        if (p == nullptr)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    void construct(U*) noexcept {}
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) noexcept { return true; }
};

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

    std::vector<double, ZeroedAllocator<double>> mData;
};

} // namespace quibel
