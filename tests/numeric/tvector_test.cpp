// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/error.h"
#include "numeric/tvector.h"

#include <gtest/gtest.h>

using quibel::Error;
using quibel::TVector;

TEST(TVectorTest, NewVectorIsZeroAndOneBased) {
    TVector v(3);
    EXPECT_EQ(v.size(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(v.get(i), 0.0);
    v.set(1, 5.0);
    v.set(3, 7.0);
    EXPECT_EQ(v(1), 5.0);
    EXPECT_EQ(v(3), 7.0);
}

TEST(TVectorTest, OutsideReadsZeroAndWritesAreIgnored) {
    TVector v(2);
    v.set(0, 1.0);
    v.set(3, 1.0);
    v.set(-7, 1.0);
    EXPECT_EQ(v.get(0), 0.0);
    EXPECT_EQ(v.get(3), 0.0);
    EXPECT_EQ(v.get(1), 0.0);
    EXPECT_EQ(v.get(2), 0.0);
}

TEST(TVectorTest, NonPositiveDimensionIsRefused) {
    for (int n : {0, -1}) {
        SCOPED_TRACE(n);
        try {
            TVector v(n);
            FAIL() << "accepted dimension " << n;
        } catch (const Error& e) {
            EXPECT_EQ(e.message().key, "numeric.vector_dimension");
        }
        TVector ok(2);
        EXPECT_THROW(ok.resize(n), Error);
        EXPECT_EQ(ok.size(), 2);
    }
}

TEST(TVectorTest, ResizeKeepsLeadingValuesAndZeroesNewOnes) {
    TVector v(3);
    v.set(1, 1.0);
    v.set(2, 2.0);
    v.set(3, 3.0);
    v.resize(2);
    EXPECT_EQ(v.size(), 2);
    v.resize(4);
    EXPECT_EQ(v.get(2), 2.0);
    EXPECT_EQ(v.get(3), 0.0);
    EXPECT_EQ(v.get(4), 0.0);
}

// Long vectors take their zeros from fresh memory rather than clearing it; storage reused by
// a shrink and a growth must still read 0 where it held values.
TEST(TVectorTest, EveryLengthStartsAndGrowsWithZeros) {
    for (int n : {1, 1000, 5'000'000}) {
        SCOPED_TRACE(n);
        TVector v(n);
        const double* p = v.data();
        int nonZero = 0;
        for (int i = 0; i < n; ++i)
            nonZero += p[i] != 0.0;
        EXPECT_EQ(nonZero, 0);
        v.fill(1.0);
        v.resize(1);
        v.resize(n);
        EXPECT_EQ(v.get(1), 1.0);
        nonZero = 0;
        for (int i = 2; i <= n; ++i)
            nonZero += v.get(i) != 0.0;
        EXPECT_EQ(nonZero, 0);
    }
}

TEST(TVectorTest, ArithmeticChecksDimensions) {
    TVector a(2), b(2), c(3);
    a.set(1, 1.0);
    a.set(2, 2.0);
    b.fill(0.5);
    a += b;
    EXPECT_EQ(a.get(1), 1.5);
    a -= b;
    a *= 3.0;
    EXPECT_EQ(a.get(2), 6.0);
    try {
        a += c;
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.message().key, "numeric.vector_dimensions_differ");
    }
    EXPECT_THROW(a -= c, Error);
    EXPECT_EQ(a.get(2), 6.0);
}

TEST(TVectorTest, StatisticsClampAndReorderTheRange) {
    TVector v(5);
    const double values[] = {4, -2, 7, 1, 0};
    for (int i = 1; i <= 5; ++i)
        v.set(i, values[i - 1]);
    struct Case {
        int from, to;
        double min, max, mean;
    } cases[] = {
        {1, 5, -2, 7, 2},       // whole vector
        {5, 1, -2, 7, 2},       // reversed bounds
        {-3, 2, -2, 4, 1},      // clamped below
        {3, 99, 0, 7, 8.0 / 3}, // clamped above
        {3, 3, 7, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        EXPECT_EQ(v.min(c.from, c.to), c.min);
        EXPECT_EQ(v.max(c.from, c.to), c.max);
        EXPECT_DOUBLE_EQ(v.mean(c.from, c.to), c.mean);
    }
}
