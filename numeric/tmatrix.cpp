// SPDX-License-Identifier: GPL-3.0-or-later
#include "tmatrix.h"

#include "error.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace quibel {

TMatrix::TMatrix(int rows, int columns) : mRows(rows), mColumns(columns) {
    if (rows <= 0 || columns <= 0)
        throw Error("numeric.matrix_dimension");
    try {
        mData.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0.0);
    } catch (const std::bad_alloc&) {
        throw Error("numeric.out_of_memory");
    } catch (const std::length_error&) {
        throw Error("numeric.out_of_memory");
    }
}

template <typename Pick>
double TMatrix::reduce(int r1, int c1, int r2, int c2, Pick pick) const noexcept {
    if (r1 > r2)
        std::swap(r1, r2);
    if (c1 > c2)
        std::swap(c1, c2);
    r1 = std::clamp(r1, 1, mRows);
    r2 = std::clamp(r2, 1, mRows);
    c1 = std::clamp(c1, 1, mColumns);
    c2 = std::clamp(c2, 1, mColumns);
    double best = mData[index(r1, c1)];
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            best = pick(best, mData[index(r, c)]);
    return best;
}

double TMatrix::min(int r1, int c1, int r2, int c2) const noexcept {
    return reduce(r1, c1, r2, c2, [](double a, double b) { return std::min(a, b); });
}

double TMatrix::max(int r1, int c1, int r2, int c2) const noexcept {
    return reduce(r1, c1, r2, c2, [](double a, double b) { return std::max(a, b); });
}

void TMatrix::transpose() {
    std::vector<double> out(mData.size());
    for (int r = 1; r <= mRows; ++r)
        for (int c = 1; c <= mColumns; ++c)
            out[static_cast<std::size_t>(c - 1) * static_cast<std::size_t>(mRows) +
                static_cast<std::size_t>(r - 1)] = mData[index(r, c)];
    std::swap(mRows, mColumns);
    mData.swap(out);
}

bool TMatrix::multiply(const TMatrix& a, const TMatrix& b, TMatrix& result) noexcept {
    if (a.mColumns != b.mRows || result.mRows != a.mRows || result.mColumns != b.mColumns)
        return false;
    for (int r = 1; r <= a.mRows; ++r)
        for (int c = 1; c <= b.mColumns; ++c) {
            double sum = 0.0;
            for (int k = 1; k <= a.mColumns; ++k)
                sum += a.mData[a.index(r, k)] * b.mData[b.index(k, c)];
            result.mData[result.index(r, c)] = sum;
        }
    return true;
}

} // namespace quibel
