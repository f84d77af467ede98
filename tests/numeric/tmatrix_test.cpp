// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/error.h"
#include "numeric/tmatrix.h"

#include <gtest/gtest.h>

using quibel::Error;
using quibel::TMatrix;

TEST(TMatrixTest, BoundsRules) {
    TMatrix m(2, 3);
    m.set(2, 3, 4.0);
    m.set(3, 1, 9.0);
    m.set(0, 0, 9.0);
    EXPECT_EQ(m.get(2, 3), 4.0);
    EXPECT_EQ(m.get(3, 1), 0.0);
    EXPECT_EQ(m.get(1, 4), 0.0);
    for (auto [r, c] : {std::pair{0, 1}, {1, 0}, {-2, 3}}) {
        try {
            TMatrix bad(r, c);
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(e.message().key, "numeric.matrix_dimension");
        }
    }
}

TEST(TMatrixTest, BlockMinMaxAndTranspose) {
    TMatrix m(2, 3);
    // 1 2 3
    // 4 5 -6
    double v = 1;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            m.set(r, c, v++);
    m.set(2, 3, -6);
    EXPECT_EQ(m.max(1, 1, 2, 2), 5);
    EXPECT_EQ(m.min(2, 3, 1, 1), -6);
    EXPECT_EQ(m.min(1, 1, 1, 3), 1);
    m.transpose();
    EXPECT_EQ(m.rows(), 3);
    EXPECT_EQ(m.columns(), 2);
    EXPECT_EQ(m.get(1, 2), 4);
    EXPECT_EQ(m.get(3, 1), 3);
    EXPECT_EQ(m.get(3, 2), -6);
}

TEST(TMatrixTest, ProductOfTwoByTwoByHand) {
    TMatrix a(2, 2), b(2, 1), r(2, 1);
    a.set(1, 1, 1);
    a.set(1, 2, 2);
    a.set(2, 1, 3);
    a.set(2, 2, 4);
    b.set(1, 1, 5);
    b.set(2, 1, 6);
    ASSERT_TRUE(TMatrix::multiply(a, b, r));
    EXPECT_EQ(r.get(1, 1), 17);
    EXPECT_EQ(r.get(2, 1), 39);
    TMatrix wrong(1, 1);
    EXPECT_FALSE(TMatrix::multiply(a, b, wrong));
    EXPECT_FALSE(TMatrix::multiply(b, a, r));
    EXPECT_EQ(wrong.get(1, 1), 0);
}
