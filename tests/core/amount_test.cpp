#include <gtest/gtest.h>

#include "Amount.h"

using namespace tavenko;

TEST(Round, TiesToEven) {
  EXPECT_EQ(Round(2.5L), 2);
  EXPECT_EQ(Round(3.5L), 4);
  EXPECT_EQ(Round(-2.5L), -2);
}
