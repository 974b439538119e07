#pragma once
// Where the rows (or columns) of a grid printout break into pages. Consecutive groups of a
// fixed number of entries stay on one page, and a page holds what fits its length. Counting the
// pages and filling them both use these breaks, so the page count printed in a footer is the
// number of pages printed. Both grids print through it.

#include <functional>
#include <vector>

// The first entry of each page for the entries first to end - 1, whose sizes come from `size`
// (0 for an entry that is hidden or not printed), in groups of `groupSize` entries (a size below
// 1 counts as 1), on pages `length` long. A page takes groups while their sizes add up to at
// most the length. A group longer than a whole page starts a new page and breaks between its
// entries, and an entry longer than a page gets a page of its own, so every page moves on, even
// with a length of 0 or less. There is always at least the page that starts at `first`.
std::vector<int> BreakIntoPages(int first, int end, int groupSize, int length, const std::function<int(int)>& size);
