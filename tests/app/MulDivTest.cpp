#include "app/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDiv, RoundsToNearestWithoutOverflow) {
    struct Case {
        int a, b, c, result;
    };
    for (const Case& t :
         {Case{10, 6, 4, 15}, Case{3, 1, 2, 2}, Case{-3, 1, 2, -2}, Case{5, 1, 4, 1},
          Case{-5, 1, 4, -1}, Case{7, 7, 7, 7}, Case{INT_MAX, INT_MAX, INT_MAX, INT_MAX},
          Case{100000, 300000, 600000, 50000}, Case{5, 5, 0, 0}, Case{5, 5, -1, 0}}) {
        EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.result) << t.a << " * " << t.b << " / " << t.c;
    }
}
