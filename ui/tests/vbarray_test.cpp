// Declared bounds are the index ranges, and an index outside them is caught, never read.
#include <gtest/gtest.h>

#include "ui/vbarray.h"

TEST(Arrays, InclusiveBoundsAreTheIndexRange) {
  ui::Array<int, 21, 30> forces;
  forces(21) = 1;
  forces(30) = 2;
  EXPECT_EQ(forces(21) + forces(30), 3);
  EXPECT_THROW(forces(20), std::out_of_range);
  EXPECT_THROW(forces(31), std::out_of_range);
  ui::Array2<double, 1, 40, 1, 40> K;
  K(40, 40) = 5;
  EXPECT_THROW(K(0, 1), std::out_of_range);
  EXPECT_THROW(K(1, 41), std::out_of_range);
  ui::DynArray2<float> Q;
  Q.ReDim(1, 3, 0, 4);
  Q(3, 4) = 1;
  EXPECT_THROW(Q(4, 0), std::out_of_range);
  Q.ReDim(1, 2, 1, 2);
  EXPECT_EQ(Q(2, 2), 0.0f) << "ReDim empties";
  ui::DynArray<double> u;
  EXPECT_FALSE(u.contains(0));
  EXPECT_THROW(u(0), std::out_of_range);
}

TEST(Arrays, AConstArrayIsReadAndCheckedAsTheArrayItself) {
  ui::Array2<double, 1, 3, 1, 3> K;
  K(2, 3) = 7;
  ui::DynArray<float> P;
  P.ReDim(1, 2);
  P(2) = 4;
  ui::DynArray2<double> C;
  C.ReDim(1, 2, 1, 1);
  C(2, 1) = -1;
  const auto& k = K;
  const auto& p = P;
  const auto& c = C;
  EXPECT_EQ(k(2, 3), 7);
  EXPECT_EQ(p(2), 4);
  EXPECT_EQ(c(2, 1), -1);
  EXPECT_THROW(k(3, 4), std::out_of_range);
  EXPECT_THROW(p(3), std::out_of_range);
  EXPECT_THROW(c(1, 2), std::out_of_range);
}
