#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "grid/GridQuickSort.h"

namespace {

// Rows of a text key and a height, the height showing which row went where.
struct TextRows : CGridSortRows {
  std::vector<std::pair<std::string, int>> rows;
  std::string pivot;
  void TakePivot(int row) override { pivot = rows[std::size_t(row)].first; }
  int CompareWithPivot(int row) override { return rows[std::size_t(row)].first.compare(pivot); }
  int CompareRows(int a, int b) override {
    return rows[std::size_t(a)].first.compare(rows[std::size_t(b)].first);
  }
  void SwapRows(int a, int b) override { std::swap(rows[std::size_t(a)], rows[std::size_t(b)]); }
};

TEST(GridQuickSortTest, SortsAscendingWithHeightsMovingAlongAndEqualKeysWhereTheAlgorithmPutsThem) {
  TextRows t;
  t.rows = {{"head", 0}, {"b", 11}, {"a", 12}, {"c", 13}, {"a", 14}, {"d", 15}};
  EXPECT_TRUE(GridQuickSort(t, true, 1, 5));
  // Traced by hand: pivot "c" swaps rows 3 and 4; rows 1..3 then sort round pivot "a", swapping 1 and 3.
  std::vector<std::pair<std::string, int>> want = {{"head", 0}, {"a", 14}, {"a", 12},
                                                   {"b", 11},   {"c", 13}, {"d", 15}};
  EXPECT_EQ(t.rows, want);
}

TEST(GridQuickSortTest, SortsDescendingAndRefusesAnEmptyRange) {
  TextRows t;
  t.rows = {{"b", 1}, {"a", 2}, {"c", 3}};
  EXPECT_TRUE(GridQuickSort(t, false, 0, 2));
  EXPECT_EQ(t.rows[0].first + t.rows[1].first + t.rows[2].first, "cba");
  EXPECT_FALSE(GridQuickSort(t, true, 2, 2));
  EXPECT_FALSE(GridQuickSort(t, true, 2, 1));
}

}  // namespace
