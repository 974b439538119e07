#include <gtest/gtest.h>

#include <vector>

#include "grid/GridPageBreaks.h"

namespace {

struct SBreakCase {
  const char* what;
  std::vector<int> sizes;  // entry 0 is the heading, never paged
  int groupSize;
  int length;
  std::vector<int> starts;
};

TEST(GridPageBreaksTest, GroupsFillPagesAndNeverSplitWhenTheyFit) {
  const std::vector<int> twenty(21, 10);
  const SBreakCase cases[] = {
      // Six groups of two rows of 10 fill a page of 120 exactly: 6 groups, then 4.
      {"six groups a page", twenty, 2, 120, {1, 13}},
      {"one pixel short", twenty, 2, 119, {1, 11}},
      {"everything fits", twenty, 2, 200, {1}},
      {"a group would cross the page end", {0, 10, 10, 10, 10, 10, 10}, 3, 50, {1, 4}},
      {"rows per group 0 counts as 1", {0, 10, 10, 10}, 0, 20, {1, 3}},
      {"rows per group below 0 counts as 1", {0, 10, 10, 10}, -4, 20, {1, 3}},
      {"hidden rows take no room", {0, 10, 0, 0, 10}, 1, 10, {1, 4}},
      {"no rows", {0}, 2, 100, {1}},
  };
  for (const SBreakCase& c : cases) {
    const auto size = [&c](int entry) { return c.sizes[std::size_t(entry)]; };
    EXPECT_EQ(BreakIntoPages(1, int(c.sizes.size()), c.groupSize, c.length, size), c.starts) << c.what;
  }
}

TEST(GridPageBreaksTest, WhatFitsNoPageStillMovesOn) {
  const SBreakCase cases[] = {
      // The second group (40) fits no page of 25: it starts a page and breaks between its rows.
      {"group taller than the page", {0, 5, 5, 20, 20}, 2, 25, {1, 3, 4}},
      {"group taller than the page on an empty page", {0, 10, 10, 10, 10}, 4, 25, {1, 3}},
      // A row of 50 gets a page of its own; the next row starts another.
      {"row taller than the page", {0, 10, 50, 10}, 1, 30, {1, 2, 3}},
      {"row taller than the page in a group", {0, 10, 50, 10, 10}, 2, 30, {1, 2, 3}},
      {"body of 0", {0, 10, 10, 10}, 2, 0, {1, 2, 3}},
      {"body below 0", {0, 10, 10}, 1, -7, {1, 2}},
      {"hidden rows after a tall row", {0, 50, 0, 0}, 1, 30, {1}},
  };
  for (const SBreakCase& c : cases) {
    const auto size = [&c](int entry) { return c.sizes[std::size_t(entry)]; };
    EXPECT_EQ(BreakIntoPages(1, int(c.sizes.size()), c.groupSize, c.length, size), c.starts) << c.what;
  }
}

}  // namespace
