#include "bench/summary.h"

#include <gtest/gtest.h>

namespace {

TEST(SummaryTest, MedianIsTheMiddleOfTheSortedSamples) {
    const Summary odd = Summarize({30, 10, 20});
    EXPECT_EQ(odd.Median, 20);
    EXPECT_EQ(odd.Min, 10);
    EXPECT_EQ(odd.Max, 30);

    // An even count: the mean of the middle two, whatever the order they came in.
    const Summary even = Summarize({40, 10, 30, 20});
    EXPECT_EQ(even.Median, 25);
    EXPECT_EQ(even.Min, 10);
    EXPECT_EQ(even.Max, 40);
}

TEST(SummaryTest, OneOutlierMovesTheMedianNoFurtherThanItsNeighbour) {
    EXPECT_EQ(Summarize({12, 11, 900, 13, 12}).Median, 12);
}

TEST(SummaryTest, SingleAndNoSamples) {
    const Summary one = Summarize({7.5});
    EXPECT_EQ(one.Median, 7.5);
    EXPECT_EQ(one.Min, 7.5);
    EXPECT_EQ(one.Max, 7.5);

    const Summary none = Summarize({});
    EXPECT_EQ(none.Median, 0);
    EXPECT_EQ(none.Min, 0);
    EXPECT_EQ(none.Max, 0);
}

} // namespace
