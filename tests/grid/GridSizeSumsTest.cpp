#include <gtest/gtest.h>

#include <random>

#include "grid/GridScrollMath.h"
#include "grid/GridSizeSums.h"

namespace {

// The walks the running sums replace, written out plainly.
int WalkFirstAtPosition(const std::vector<int>& sizes, int first, int pos) {
  int index = first;
  long long sum = 0;
  while (sum < pos && index < int(sizes.size()) - 1) sum += sizes[std::size_t(index++)];
  return index;
}

int WalkContaining(const std::vector<int>& sizes, int first, int pos) {
  int index = first;
  long long sum = 0;
  while (index < int(sizes.size()) - 1) {
    sum += sizes[std::size_t(index)];
    if (pos < sum) break;
    ++index;
    if (sum >= pos) break;
  }
  return index;
}

TEST(GridSizeSums, RunningSumsGiveTheWalksResults) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::vector<int> sizes(std::size_t(1 + random() % 60));
    for (int& size : sizes) size = int(random() % 4 == 0 ? 0 : random() % 30);
    CGridSizeSums sums;
    sums.Resize(int(sizes.size()), 0);
    for (std::size_t i = 0; i < sizes.size(); ++i) sums.Set(int(i), sizes[i]);
    const int first = int(random() % sizes.size());
    for (int pos = 0; pos < 700; pos += 3) {
      EXPECT_EQ(FirstIndexAtPosition(sums, first, pos), WalkFirstAtPosition(sizes, first, pos)) << pos;
      EXPECT_EQ(IndexContainingPosition(sums, first, pos), WalkContaining(sizes, first, pos)) << pos;
    }
  }
}

TEST(GridSizeSums, PrefixesFollowChangesAndResizes) {
  CGridSizeSums sums;
  sums.Resize(5, 10);
  EXPECT_EQ(sums.Total(), 50);
  sums.Set(2, 0);
  EXPECT_EQ(sums.Prefix(3), 20);
  sums.Resize(7, 1);
  EXPECT_EQ(sums.Total(), 42);
  EXPECT_EQ(sums.FirstPrefixReaching(21), 4);
  EXPECT_EQ(sums.FirstPrefixReaching(43), 8);
}

}  // namespace
